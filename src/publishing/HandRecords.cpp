#include "publishing/HandRecords.h"

#include "core/CardLetters.h"
#include "core/DealDiagrams.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Printing.h"
#include "platform/TextFiles.h"
#include "publishing/DoubleDummy.h"
#include "setup/PairLookups.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMap>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <thread>

namespace {

const QString kSeatWords[4] = {QStringLiteral("Nord"), QStringLiteral("Est"), QStringLiteral("Sud"), QStringLiteral("Ouest")};
// The strains of the PBN tags in the order of their digits.
const int kPbnStrainOrder[5] = {StrainNoTrump, StrainSpades, StrainHearts, StrainDiamonds, StrainClubs};

QMap<int, PbnFigures>& pbnFigures() {
  static QMap<int, PbnFigures> figures;
  return figures;
}

// The computation on its thread, and the object of the main thread that
// takes its news.
struct Computation {
  std::thread worker;
  std::atomic<bool> running{false};
  QPointer<QObject> receiver;
  ~Computation() {
    if (worker.joinable()) worker.join();
  }
};
Computation& computation() {
  static Computation c;
  return c;
}

void reportRefusals(const QList<int>& boards) {
  QStringList lines;
  for (int b : boards) {
    const DealAnalysis& a = BoardAnalyses()[b];
    if (!a.deal.isEmpty() && !a.solved())
      lines << QStringLiteral("Donne %1 : pas de tableau du double mort. ").arg(b) + a.refusal;
  }
  if (!lines.isEmpty()) ShowAlert(lines.join(QStringLiteral("\r\n")));
}

// The differences between the PBN file's figures and the analyses, board by
// board; the figures are then forgotten.
void comparePbnFigures() {
  QStringList lines;
  for (auto it = pbnFigures().cbegin(); it != pbnFigures().cend(); ++it) {
    const auto analysis = CurrentAnalysis(it.key());
    if (!analysis || !analysis->solved()) continue;
    QStringList differences;
    if (it->tricks) {
      for (int seat = 0; seat < 4; ++seat)
        for (int strain = 0; strain < 5; ++strain)
          if ((*it->tricks)[seat][strain] != analysis->tricks[seat][strain])
            differences << QStringLiteral("%1 à %2 : %3 levées dans le fichier, %4 au calcul")
                               .arg(kSeatWords[seat], StrainText(strain))
                               .arg((*it->tricks)[seat][strain])
                               .arg(analysis->tricks[seat][strain]);
    }
    if (it->parScore && *it->parScore != analysis->parScore)
      differences << QStringLiteral("par %1 dans le fichier, %2 au calcul").arg(*it->parScore).arg(analysis->parScore);
    if (!differences.isEmpty())
      lines << QStringLiteral("Donne %1 : ").arg(it.key()) + differences.join(QStringLiteral(", ")) + QLatin1Char('.');
  }
  pbnFigures().clear();
  if (lines.isEmpty()) return;
  ShowAlert(QStringLiteral("Le fichier PBN ne donne pas les mêmes chiffres que le calcul au double mort. On garde le "
                           "calcul; le fichier PBN n'est pas modifié.\r\n") +
            lines.join(QStringLiteral("\r\n")));
}

void showProgress(int done, int total) {
  if (flowWindows().showAnalysisProgress) flowWindows().showAnalysisProgress(done, total);
}

// On the main thread, once the worker is done: the analyses of the same
// tournament's unchanged deals kept and saved, then told.
void finish(const QString& fileName, const QList<int>& boards, const QList<DealAnalysis>& analyses) {
  Computation& c = computation();
  if (c.worker.joinable()) c.worker.join();
  c.running = false;
  showProgress(0, 0);
  if (fileName != DealAnalysisFileName()) return;  // another tournament meanwhile
  for (qsizetype i = 0; i < boards.size(); ++i)
    if (DealKey(boards[i]) == analyses[i].deal) BoardAnalyses()[boards[i]] = analyses[i];
  try {
    if (!TournamentCode.isEmpty()) SaveDealAnalyses();
  } catch (const platform::IoError& e) {
    ShowAlert(e.message());
  }
  reportRefusals(boards);
  comparePbnFigures();
}

QObject* receiver() {
  Computation& c = computation();
  if (!c.receiver) c.receiver = new QObject(QCoreApplication::instance());
  return c.receiver;
}

}  // namespace

std::optional<std::array<std::array<int, 5>, 4>> TricksFromDoubleDummyTag(const QString& value) {
  const QString digits = value.trimmed();
  if (digits.size() != 20) return std::nullopt;
  std::array<std::array<int, 5>, 4> tricks{};
  for (int seat = 0; seat < 4; ++seat) {
    for (int k = 0; k < 5; ++k) {
      bool ok = false;
      const int n = QString(digits[seat * 5 + k]).toInt(&ok, 16);
      if (!ok || n > 13) return std::nullopt;
      tricks[seat][kPbnStrainOrder[k]] = n;
    }
  }
  return tricks;
}

std::optional<std::array<std::array<int, 5>, 4>> TricksFromOptimumTable(const QStringList& rows) {
  static const QString seats = QStringLiteral("NESW");
  static const QStringList strains{QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("H"), QStringLiteral("S"),
                                   QStringLiteral("NT")};
  std::array<std::array<int, 5>, 4> tricks{};
  int seen = 0;
  for (const QString& row : rows) {
    const QStringList fields = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() != 3 || fields[0].size() != 1) continue;
    const qsizetype seat = seats.indexOf(fields[0].toUpper());
    const qsizetype strain = strains.indexOf(fields[1].toUpper() == QLatin1String("N") ? QStringLiteral("NT") : fields[1].toUpper());
    bool ok = false;
    const int n = fields[2].toInt(&ok);
    if (seat < 0 || strain < 0 || !ok || n < 0 || n > 13) return std::nullopt;
    tricks[seat][strain] = n;
    ++seen;
  }
  if (seen != 20) return std::nullopt;
  return tricks;
}

std::optional<int> ScoreFromOptimumTag(const QString& value) {
  const QStringList fields = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (fields.size() != 2) return std::nullopt;
  bool ok = false;
  const int score = fields[1].toInt(&ok);
  if (!ok) return std::nullopt;
  if (fields[0].compare(QLatin1String("NS"), Qt::CaseInsensitive) == 0) return score;
  if (fields[0].compare(QLatin1String("EW"), Qt::CaseInsensitive) == 0) return -score;
  return std::nullopt;
}

void NotePbnFigures(int board, const PbnFigures& figures) {
  if (figures.tricks || figures.parScore) pbnFigures().insert(board, figures);
}

void ForgetPbnFigures() { pbnFigures().clear(); }

void StartDealAnalyses() {
  WaitForDealAnalyses();
  if (!TournamentCode.isEmpty()) LoadDealAnalyses();
  QList<int> boards;
  QList<DealToSolve> deals;
  const int count = std::min(DealCount, kMaxBoards);
  for (int b = 1; b <= count; ++b) {
    const QString key = DealKey(b);
    if (key.isEmpty() || BoardAnalyses()[b].deal == key) continue;
    boards << b;
    deals << DealToSolve{key, (b - 1) % 4, BoardVulnerability(b)};
  }
  if (deals.isEmpty()) {
    comparePbnFigures();
    return;
  }
  Computation& c = computation();
  c.running = true;
  showProgress(0, static_cast<int>(deals.size()));
  QPointer<QObject> target = receiver();
  const QString fileName = DealAnalysisFileName();
  c.worker = std::thread([target, fileName, boards, deals] {
    const int total = static_cast<int>(deals.size());
    const QList<DealAnalysis> analyses = SolveDeals(deals, [target, total](int done) {
      if (target) QMetaObject::invokeMethod(target, [done, total] { showProgress(done, total); }, Qt::QueuedConnection);
    });
    if (target) QMetaObject::invokeMethod(target, [fileName, boards, analyses] { finish(fileName, boards, analyses); }, Qt::QueuedConnection);
  });
}

bool DealAnalysesRunning() { return computation().running; }

void WaitForDealAnalyses() {
  while (computation().running) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

HandRecordSheet BuildHandRecordSheet() {
  WaitForDealAnalyses();
  BuildMovementTitle();
  HandRecordSheet sheet{MovementTitle, {}};
  const int count = std::min(DealCount, kMaxBoards);
  for (int b = 1; b <= count; ++b) {
    if (DealDiagrams[b].isEmpty()) continue;
    HandRecord r;
    r.board = b;
    r.dealer = kSeatWords[(b - 1) % 4];
    r.vulnerability = VulnerabilityText(b);
    for (int seat = 0; seat < 4; ++seat)
      for (int suit = 0; suit < 4; ++suit)
        r.hands[seat][suit] = FrenchCardLetters(HoldingFromDiagram(b, kSeatWords[seat], QString(QLatin1Char(kFrenchSuitLetters[suit]))));
    r.analysis = CurrentAnalysis(b);
    if (r.analysis && !r.analysis->solved()) {
      r.missing = QStringLiteral("Pas de tableau du double mort : ") + r.analysis->refusal;
      r.analysis.reset();
    } else if (!r.analysis) {
      r.missing = QStringLiteral("Pas de tableau du double mort.");
    }
    sheet.deals << r;
  }
  return sheet;
}

void PrintHandRecords() { flowWindows().printHandRecords(BuildHandRecordSheet()); }
