// Opening the chooser of saved tournaments ("Reprendre un tournoi") on a
// results folder holding 1,000 of them, the most it lists: every code's
// identity read and the results of its ".VAR" counted for its line. Each
// tournament is a club evening of 13 tables and 26 boards with every result
// in (338 ".VAR" lines). The director leaves the list with Esc.
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "flows/Reload.h"
#include "support/TestState.h"

#include <benchmark/benchmark.h>

#include <algorithm>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int kTournaments = 1000;

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

void FillWithSavedEvenings(const QString& folder) {
  QByteArray var;
  for (int s = 1; s <= 13 * 26; ++s)
    var += QByteArray::number(s) + ' ' + QByteArray::number((s - 1) % 13 + 1) + " 420 " +
           QByteArray::number(14 + (s % 13)) + " 1 1 0 4PN=\r\n";
  const QByteArray pairs = "1 0 0 DUPONT Jean - MARTIN Paul\xA3" "DUPONT Jean\xA3" "MARTIN Paul\r\n";
  for (int i = 0; i < kTournaments; ++i) {
    const QString code = QStringLiteral("S%1").arg(i, 5, 10, QLatin1Char('0'));
    WriteFile(folder + code + ".PAI", pairs);
    WriteFile(folder + code + ".DAT", "07/12/2026\r\nLundi");
    WriteFile(folder + code + ".MUL", "26 26 07/12/2026:Tournoi du Lundi\r\nM\r\n\r\n2 13 13 13\r\n0\r\nN\r\n");
    WriteFile(folder + code + ".VAR", var);
    WriteFile(folder + code + ".SEA", "0  55.0000 0 0 DUPONT Jean/MARTIN Paul\r\n");
  }
}

void OpenTheChooser(benchmark::State& state) {
  QTemporaryDir dir;
  testing_support::resetGlobals();
  ProgramFolder = dir.path() + "/";
  DataFolder = dir.path() + "/Resultats/";
  QDir().mkpath(DataFolder);
  FillWithSavedEvenings(DataFolder);
  qsizetype shown = 0;
  qint64 slowest = 0;
  for (auto _ : state) {
    ui::ScriptedInteraction talk;
    talk.answer(0);  // Esc on the list
    QElapsedTimer clock;
    clock.start();
    benchmark::DoNotOptimize(ReloadTournament(QString()));
    slowest = std::max(slowest, clock.elapsed());
    shown = talk.lists.isEmpty() ? 0 : talk.lists[0].lines.size();
  }
  if (shown != kTournaments) state.SkipWithError("the chooser did not list every tournament");
  if (slowest >= 1000) state.SkipWithError("the chooser took a second or more to open");
  state.SetItemsProcessed(state.iterations() * kTournaments);
}

}  // namespace

// Must stay under one second on this machine.
BENCHMARK(OpenTheChooser)->Unit(benchmark::kMillisecond)->Iterations(3);
