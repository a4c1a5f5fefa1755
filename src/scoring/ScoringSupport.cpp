#include "scoring/ScoringSupport.h"

#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/SafeFiles.h"
#include "platform/TextFiles.h"
#include "core/Questions.h"
#include "core/Texts.h"
#include "setup/PairLookups.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace scoring {
namespace {

QStringList Fields(const QString& line) {
  static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
  return line.trimmed().split(blanks, Qt::SkipEmptyParts);
}

std::optional<int> ParseInteger(const QString& text) {
  bool ok = false;
  const int n = text.toInt(&ok);
  if (ok) return n;
  const std::optional<double> x = ParseReal(text);
  if (x && std::isfinite(*x) && std::floor(*x) == *x && std::fabs(*x) < 1e9) return static_cast<int>(*x);
  return std::nullopt;
}

}  // namespace

std::optional<double> ParseReal(const QString& text) {
  bool ok = false;
  const double x = ParseDecimalNumber(text, &ok);
  if (!ok) return std::nullopt;
  return x;
}

std::optional<AdjustmentLine> ParseAdjustmentLine(const QString& line) {
  const QStringList f = Fields(line);
  if (f.size() < 4) return std::nullopt;
  const auto slot = ParseInteger(f[0]);
  const auto board = ParseInteger(f[1]);
  const auto ns = ParseReal(f[2]);
  const auto ew = ParseReal(f[3]);
  if (!slot || !board || !ns || !ew) return std::nullopt;
  return AdjustmentLine{*slot, *board, *ns, *ew};
}

std::optional<PenaltyLine> ParsePenaltyLine(const QString& line) {
  const QStringList f = Fields(line);
  if (f.size() < 2) return std::nullopt;
  const auto pair = ParseInteger(f[0]);
  const auto value = ParseReal(f[1]);
  if (!pair || !value) return std::nullopt;
  return PenaltyLine{*pair, *value};
}

bool AdjustmentInReason(const AdjustmentLine& line) {
  constexpr double kMostImps = 24;  // the top of the IMP scale
  const auto fits = [](double x) { return ImpScoring ? std::fabs(x) <= kMostImps : x >= 0 && x <= 100; };
  return fits(line.ns) && fits(line.ew);
}

bool PenaltyInReason(const PenaltyLine& line) {
  // In IMP scoring, a whole session's scale: 25 victory points a match, or
  // 24 IMPs a board in a Patton, so at most 25 a board.
  const double most = ImpScoring ? 25.0 * std::clamp(BoardCount, 1, kMaxBoards) : 100.0;
  return std::fabs(line.value) <= most;
}

QString AdjustmentsFileName() { return DataFolder + TournamentCode + QStringLiteral(".ADJ"); }
QString PenaltiesFileName() { return DataFolder + TournamentCode + QStringLiteral(".PEN"); }

RecomputeShare LookUpRecomputeFiles() {
  const std::vector<bool> present =
      platform::filesExist(DataFolder, {TournamentCode + QStringLiteral(".ADJ"), TournamentCode + QStringLiteral(".PEN")});
  RecomputeShare share;
  share.adjustments = present[0];
  share.penalties = present[1];
  return share;
}

void RewriteOrDelete(const QString& fileName, const QStringList& kept) {
  if (kept.isEmpty()) {
    platform::deleteFile(fileName);
    return;
  }
  TextFile out;
  SafeRewrite(out, fileName);
  for (const QString& line : kept) out.writeLine(line);
  CloseTextFile(out);
}

QString FixedText(double value, int width, int decimals) {
  return QString::number(value, 'f', decimals).rightJustified(width, QLatin1Char(' '));
}

void ShowAttention(const QStringList& lines) { ShowWarningWindow(lines.join(QLatin1Char('\n'))); }

ExpectedSlots::ExpectedSlots() {
  for (int n = 1; n <= kMaxPairs; ++n) bye_[n] = IsByeSlot(FindPairSlot(n));
  // With an odd number of pairs the highest number is nobody: the movement
  // may still seat it N/S, against a real pair, at a table that never plays.
  if (PairCount != PairSlotCount) phantom_ = PairSlotCount;
}

int AskOneOfTwo(const QString& form, const QString& caption, const QString& text, const QString& first,
                const QString& second) {
  return ui::Ask({.form = form,
                  .caption = caption,
                  .text = text,
                  .buttons = {first, second},
                  .codes = {1, 2},
                  .cancelCode = 0,
                  .extra = {{QStringLiteral("hint"), QStringLiteral("Annuler = ESC/Echap")}}});
}

}  // namespace scoring
