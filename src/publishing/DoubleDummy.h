#pragma once
// The double-dummy solver (Debian's libdds) called on a set of deals: the
// tricks of every declarer in every strain, then the par for the deal's
// dealer and vulnerability. One computation runs at a time in the whole
// program (the solver keeps its state in the library); the calls block, so
// the desk runs them on a thread of their own (publishing/HandRecords.h).
#include "core/DealAnalyses.h"

#include <QList>
#include <QString>

#include <functional>

struct DealToSolve {
  QString deal;           // a PBN deal ("N:AKQJ.AKQ.AKQ.AKQ ...")
  int dealer = 0;         // AnalysisSeat
  int vulnerability = 0;  // 0 none, 1 N/S, 2 E/W, 3 both (as BoardVulnerability)
};

// Why the solver cannot take the deal, in French ("La main d'Est a 12 cartes
// au lieu de 13."), or "" when its four hands hold the 52 cards, 13 each.
QString DealRefusal(const QString& deal);

// The analyses of the deals, in their order: a refused deal gets its reason
// (DealRefusal, or the solver's own error). Identical deals are solved once.
// progress(done) is called after each batch of the solver, on the calling
// thread.
QList<DealAnalysis> SolveDeals(const QList<DealToSolve>& deals, const std::function<void(int done)>& progress = {});

// The solver's threads from now on (0: as many as the machine has cores).
void SetSolverThreads(int threads);
