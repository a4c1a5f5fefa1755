#include "publishing/DoubleDummy.h"

#include <dds/dll.h>

#include <QHash>

#include <cstring>
#include <mutex>

namespace {

const QString kRanks = QStringLiteral("AKQJT98765432");
const QString kSeatNames[4] = {QStringLiteral("de Nord"), QStringLiteral("d'Est"), QStringLiteral("de Sud"), QStringLiteral("d'Ouest")};
// The ranks as a lead card is written.
const QString kFrenchRanks[13] = {QStringLiteral("A"), QStringLiteral("R"), QStringLiteral("D"), QStringLiteral("V"),
                                  QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("8"), QStringLiteral("7"),
                                  QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2")};
const QString kSuitSymbols[4] = {QStringLiteral("♠"), QStringLiteral("♥"), QStringLiteral("♦"), QStringLiteral("♣")};
// The solver takes up to 32 tables a call when it solves the five strains.
constexpr int kTablesPerCall = 32;

std::mutex& solverLock() {
  static std::mutex lock;
  return lock;
}

// The solver's own threads are set once before its first call (it asks for it).
void prepareSolver() {
  static const bool prepared = [] {
    SetMaxThreads(0);
    return true;
  }();
  (void)prepared;
}

// The solver's vulnerability code from the board's: none, both, N/S, E/W.
int solverVulnerability(int vulnerability) {
  switch (vulnerability) {
    case 1: return 2;
    case 2: return 3;
    case 3: return 1;
    default: return 0;
  }
}

QString solverError(int code) {
  char text[80] = {};
  ErrorMessage(code, text);
  return QStringLiteral("Le calcul au double mort a échoué (%1).").arg(QString::fromLatin1(text));
}

// The table in the order of the program: [seat][clubs .. no trump] from the
// solver's [spades, hearts, diamonds, clubs, no trump][seat].
std::array<std::array<int, 5>, 4> programTable(const ddTableResults& table) {
  std::array<std::array<int, 5>, 4> tricks{};
  for (int seat = 0; seat < 4; ++seat) {
    tricks[seat][StrainClubs] = table.resTable[3][seat];
    tricks[seat][StrainDiamonds] = table.resTable[2][seat];
    tricks[seat][StrainHearts] = table.resTable[1][seat];
    tricks[seat][StrainSpades] = table.resTable[0][seat];
    tricks[seat][StrainNoTrump] = table.resTable[4][seat];
  }
  return tricks;
}

}  // namespace

QString DealRefusal(const QString& deal) {
  const QString text = deal.trimmed();
  static const QString starts = QStringLiteral("NESW");
  if (text.size() < 2 || text[1] != QLatin1Char(':') || !starts.contains(text[0].toUpper()))
    return QStringLiteral("La donne n'est pas lisible.");
  const QStringList hands = text.mid(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (hands.size() != 4) return QStringLiteral("La donne n'a pas quatre mains.");
  const int first = static_cast<int>(starts.indexOf(text[0].toUpper()));
  int owner[4][13];
  for (auto& suit : owner)
    for (int& o : suit) o = -1;
  for (int h = 0; h < 4; ++h) {
    const int seat = (first + h) % 4;
    const QStringList suits = hands[h].split(QLatin1Char('.'));
    if (suits.size() != 4) return QStringLiteral("La main %1 n'a pas quatre couleurs.").arg(kSeatNames[seat]);
    int cards = 0;
    for (int s = 0; s < 4; ++s) {
      for (const QChar c : suits[s]) {
        const qsizetype rank = kRanks.indexOf(c.toUpper());
        if (rank < 0) return QStringLiteral("La main %1 contient un caractère inconnu (%2).").arg(kSeatNames[seat], c);
        if (owner[s][rank] >= 0)
          return QStringLiteral("La carte %1%2 est dans deux mains.").arg(kFrenchRanks[rank], kSuitSymbols[s]);
        owner[s][rank] = seat;
        ++cards;
      }
    }
    if (cards != 13) return QStringLiteral("La main %1 a %2 cartes au lieu de 13.").arg(kSeatNames[seat]).arg(cards);
  }
  return {};
}

QList<DealAnalysis> SolveDeals(const QList<DealToSolve>& deals, const std::function<void(int done)>& progress) {
  QList<DealAnalysis> analyses(deals.size());
  // Each distinct deal the solver can take, once.
  QStringList distinct;
  QHash<QString, int> index;
  for (qsizetype i = 0; i < deals.size(); ++i) {
    analyses[i].deal = deals[i].deal;
    analyses[i].refusal = DealRefusal(deals[i].deal);
    if (analyses[i].refusal.isEmpty() && !index.contains(deals[i].deal)) {
      index.insert(deals[i].deal, static_cast<int>(distinct.size()));
      distinct << deals[i].deal;
    }
  }
  QList<ddTableResults> tables(distinct.size());
  QList<QString> failures(distinct.size());
  {
    const std::lock_guard<std::mutex> hold(solverLock());
    prepareSolver();
    int trumpFilter[DDS_STRAINS] = {0, 0, 0, 0, 0};
    for (qsizetype start = 0; start < distinct.size(); start += kTablesPerCall) {
      const int count = static_cast<int>(std::min<qsizetype>(kTablesPerCall, distinct.size() - start));
      auto batch = std::make_unique<ddTableDealsPBN>();
      auto results = std::make_unique<ddTablesRes>();
      auto pars = std::make_unique<allParResults>();
      batch->noOfTables = count;
      for (int k = 0; k < count; ++k) {
        const QByteArray pbn = distinct[start + k].toLatin1();
        std::strncpy(batch->deals[k].cards, pbn.constData(), sizeof batch->deals[k].cards - 1);
      }
      const int code = CalcAllTablesPBN(batch.get(), -1, trumpFilter, results.get(), pars.get());
      for (int k = 0; k < count; ++k) {
        if (code == RETURN_NO_FAULT) tables[start + k] = results->results[k];
        else failures[start + k] = solverError(code);
      }
      if (progress) {
        int done = 0;
        const qsizetype solvedUpTo = start + count;
        for (const DealToSolve& d : deals)
          if (!index.contains(d.deal) || index.value(d.deal) < solvedUpTo) ++done;
        progress(done);
      }
    }
    for (qsizetype i = 0; i < deals.size(); ++i) {
      DealAnalysis& a = analyses[i];
      if (!a.refusal.isEmpty()) continue;
      const int k = index.value(deals[i].deal);
      if (!failures[k].isEmpty()) {
        a.refusal = failures[k];
        continue;
      }
      a.tricks = programTable(tables[k]);
      parResultsDealer par{};
      const int code = DealerPar(&tables[k], &par, deals[i].dealer, solverVulnerability(deals[i].vulnerability));
      if (code != RETURN_NO_FAULT) {
        a.refusal = solverError(code);
        continue;
      }
      a.parScore = par.score;
      for (int c = 0; c < std::min(par.number, 10); ++c) {
        const auto contract = ParContractFromCode(QString::fromLatin1(par.contracts[c]));
        if (contract) a.parContracts << *contract;
      }
    }
  }
  if (progress && distinct.isEmpty()) progress(static_cast<int>(deals.size()));
  return analyses;
}

void SetSolverThreads(int threads) {
  const std::lock_guard<std::mutex> hold(solverLock());
  prepareSolver();
  SetMaxThreads(threads);
}
