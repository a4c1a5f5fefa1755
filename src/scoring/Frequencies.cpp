#include "scoring/Frequencies.h"

#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "platform/TextFiles.h"
#include "scoring/Imps.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairLookups.h"

#include <QFileInfo>

#include <algorithm>

namespace {

int SlotLimit() { return std::clamp(ResultSlotCount, 0, kMaxResultSlots); }
int BoardLimit() { return std::clamp(BoardCount, 0, kMaxBoards); }

bool Counted(int slot) { return ResultNsPair[slot] != 0 && ResultScore[slot] < kScoreAverage; }

// Matchpoints and percentages of every board. False when a board with a
// single result stopped the pass (without table devices).
bool ComputeMatchpoints() {
  const int slotCount = SlotLimit();
  for (int s = 1; s <= slotCount; ++s) {
    ResultMatchpoints[s] = 0;
    if (!ResultContract[s].contains(QLatin1String("AJU"))) {
      ResultNsPercent[s] = 0;
      ResultEwPercent[s] = 0;
    }
  }
  if (ResultsPerBoard < 1) return true;
  const int boards = BoardLimit();

  for (int b = 1; b <= boards; ++b) {
    const int first = (b - 1) * ResultsPerBoard + 1;
    const int last = std::min(b * ResultsPerBoard, slotCount);
    for (int i = first; i <= last; ++i) {
      if (!Counted(i)) continue;
      for (int j = i + 1; j <= last; ++j) {
        if (!Counted(j)) continue;
        const int d = ResultScore[i] - ResultScore[j];
        const int v = (d > 0 ? 1 : (d < 0 ? -1 : 0)) + 1;
        ResultMatchpoints[i] += v;
        ResultMatchpoints[j] += 2 - v;
      }
    }
  }

  const scoring::ExpectedSlots expected;
  for (int b = 1; b <= boards; ++b) {
    const int first = (b - 1) * ResultsPerBoard + 1;
    const int last = std::min(b * ResultsPerBoard, slotCount);
    int n = 0, adjusted = 0, absent = 0, single = 0;
    for (int s = first; s <= last; ++s) {
      if (ResultNsPair[s] == 0) continue;
      const int score = ResultScore[s];
      if (score < kScoreAverage) {
        ++n;
        single = s;
      } else if (score == kScoreAdjusted) {
        ++adjusted;
      } else if (score == kScoreAverage || (score == kScoreNone && expected.expected(s))) {
        ++absent;  // an average, or a result still owed by a table that plays
      }
    }
    if (n == 0) continue;
    if (n == 1) {
      if (!TableDevicesMode) {
        ShowAlert(QStringLiteral("Donne %1 <-- Un seul résultat! Corrigez, SVP...").arg(b));
        return false;
      }
      // A lone result has nobody to be compared with: an average for both.
      ResultNsPercent[single] = 50;
      ResultEwPercent[single] = 50;
      continue;
    }
    const long double top = 2.0L * (n - 1);
    const bool ventilate = AutoVentilation && adjusted + absent > 0;
    const long double all = n + adjusted + absent;
    for (int s = first; s <= last; ++s) {
      if (!Counted(s)) continue;
      long double ns = ResultMatchpoints[s] / top * 100.0L;
      if (ResultSwapped[s]) ns = 100.0L - ns;
      if (ventilate) {
        const long double m = top * ns / 100.0L;
        ns = (m * all / n + (all - n) / n) / (2.0L * (all - 1)) * 100.0L;
      }
      ResultNsPercent[s] = static_cast<double>(ns);
      ResultEwPercent[s] = static_cast<double>(100.0L - ns);
    }
  }
  return true;
}

// The director's adjustments of ".ADJ", listed in the warning window.
void ApplyAdjustments() {
  const QString fileName = scoring::AdjustmentsFileName();
  if (!platform::fileExists(fileName)) return;
  const std::optional<QStringList> lines = platform::tryReadTextLines(fileName);
  if (!lines) return;

  QStringList memo{QStringLiteral("Ajustements de fréquences"), QString(25, QLatin1Char('-')), QString()};
  const QString unit = ImpScoring ? QStringLiteral(" IMPs") : QStringLiteral("%");
  const int slotCount = SlotLimit();
  for (qsizetype i = 0; i < lines->size(); ++i) {
    const QString& line = lines->at(i);
    if (line.trimmed().isEmpty()) continue;
    const auto a = scoring::ParseAdjustmentLine(line);
    if (!a || a->slot < 1 || a->slot > slotCount || ResultNsPair[a->slot] == 0) {
      memo << QStringLiteral("Ligne %1 du fichier %2 ignorée (incorrecte) : %3")
                  .arg(i + 1)
                  .arg(QFileInfo(fileName).fileName(), line.trimmed());
      continue;
    }
    // A value of 0 is kept as 0.0001, as when typed, so that the result still
    // counts as adjusted.
    ResultNsPercent[a->slot] = a->ns == 0 ? 0.0001 : a->ns;
    ResultEwPercent[a->slot] = a->ew == 0 ? 0.0001 : a->ew;
    ResultScore[a->slot] = kScoreAdjusted;
    ResultContract[a->slot] = QStringLiteral("AJU.");
    ResultMatchpoints[a->slot] = 0;
    memo << QStringLiteral("Donne ") + QString::number(a->board) + QStringLiteral(" : ") + QStringLiteral("N/S ") +
                PairNumberText(ResultNsPair[a->slot]) + QStringLiteral(" ( ") + scoring::FixedText(a->ns, 5, 1) + unit +
                QStringLiteral(" ) contre ") + QStringLiteral("E/W ") + PairNumberText(ResultEwPair[a->slot]) +
                QStringLiteral(" ( ") + scoring::FixedText(a->ew, 5, 1) + unit + QStringLiteral(" )");
  }
  if (Interactive) scoring::ShowAttention(memo);
}

}  // namespace

void ComputeFrequencies() {
  FrequenciesComputed = false;
  if (Interactive && !CheckMissingResults(false)) return;
  for (int b = 1; b <= BoardLimit(); ++b) BoardVentilated[b] = false;
  if (ImpScoring) {
    ComputeButlerImps();
  } else if (!ComputeMatchpoints()) {
    return;
  }
  // Complete from here: the adjustments window only lists what was applied.
  FrequenciesComputed = true;
  ApplyAdjustments();
}

bool CheckMissingResults(bool listOnly) {
  QStringList memo{QStringLiteral("Résultat(s) manquant(s):"), QString()};
  bool missing = false;
  if (ResultsPerBoard > 0) {
    const scoring::ExpectedSlots expected;
    const int slotCount = SlotLimit();
    for (int b = 1; b <= BoardLimit(); ++b) {
      QString line = QStringLiteral("Donne %1 :").arg(b);
      bool any = false;
      const int last = std::min(b * ResultsPerBoard, slotCount);
      for (int s = (b - 1) * ResultsPerBoard + 1; s <= last; ++s) {
        if (ResultScore[s] != kScoreNone || !expected.expected(s)) continue;
        line += QLatin1Char(' ') + FormatPairNumber(ResultNsPair[s]) + QLatin1Char('/') +
                FormatPairNumber(ResultEwPair[s]);
        any = true;
      }
      if (any) {
        memo << line;
        missing = true;
      }
    }
  }

  ui::Choice c;
  c.form = QStringLiteral("TForm15");
  c.caption = QStringLiteral("Vérification des marques");
  if (listOnly) {
    if (!missing) memo = QStringList{QString(), QStringLiteral("Tous les résultats ont été introduits...")};
    c.buttons = {QStringLiteral("&OK / ESC")};
    c.codes = {1};
    c.cancelCode = 0;
    c.extra.insert(QStringLiteral("label"), QString());
    c.extra.insert(QStringLiteral("defaultButton"), 0);
  } else {
    if (!missing) {
      ResultsAvailable = true;
      return true;
    }
    c.buttons = {QStringLiteral("&Non"), QStringLiteral("&Oui / ESC")};
    c.codes = {1, 2};
    c.cancelCode = 2;  // Esc goes on
    c.extra.insert(QStringLiteral("label"), QStringLiteral("On continue quand même?"));
    c.extra.insert(QStringLiteral("defaultButton"), 1);  // Enter goes on too
  }
  c.text = memo.join(QLatin1Char('\n'));
  c.extra.insert(QStringLiteral("lines"), memo);
  const int answer = ui::Ask(c);
  ResultsAvailable = listOnly ? !missing : answer == 2;
  return ResultsAvailable;
}

QString PrintNumberText(double x) { return scoring::FixedText(x, 8, ImpScoring ? 0 : 2); }

void WritePrintNumber(TextFile& printout, double x) { printout.write(PrintNumberText(x)); }
