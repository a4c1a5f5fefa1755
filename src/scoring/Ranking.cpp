#include "scoring/Ranking.h"

#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/Frequencies.h"
#include "scoring/Imps.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairLookups.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

using PairTable = std::array<double, kMaxPairs + 1>;

bool IsPair(int n) { return n >= 1 && n <= kMaxPairs; }

constexpr double kImpsLimit = 1000000;  // beyond any session

// x rounded to the nearest integer, ties to even (as nearbyint in the
// default rounding), by the shift that leaves no fraction in a double.
double NearestEven(double x) {
  constexpr double kShift = 6755399441055744.0;  // 1.5 x 2^52
  return std::fabs(x) < 0x1p51 ? (x + kShift) - kShift : x;
}

struct Totals {
  PairTable score{};
  std::array<int, kMaxPairs + 1> count{};
  QString manualAdjustment;  // the last result adjusted without percentages
};

// Totals of the percentages (none are needed in IMP scoring) and the last
// result adjusted without percentages.
Totals SumResults(bool percentages) {
  Totals t;
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  const int* const nsPair = &ResultNsPair[0];
  const int* const ewPair = &ResultEwPair[0];
  const int* const scores = &ResultScore[0];
  const double* const nsPercent = &ResultNsPercent[0];
  const double* const ewPercent = &ResultEwPercent[0];
  scoring::RecomputeShare sums;  // each result added to its pairs as the matchpoint pass adds them
  int manual = 0;
  const auto adjustedByHand = [&](int s) {
    return nsPair[s] != 0 && ewPair[s] != 0 && (nsPercent[s] == 0 || ewPercent[s] == 0);
  };
  if (!percentages) {
    for (int s = 1; s <= slotCount; ++s)
      if (scores[s] == kScoreAdjusted && adjustedByHand(s)) manual = s;
  }
  for (int s = 1; s <= slotCount && percentages; ++s) {
    const int ns = nsPair[s];
    const int ew = ewPair[s];
    const int score = scores[s];
    if (ns == 0 || ew == 0 || score == kScoreNone) continue;
    if (score == kScoreAdjusted && adjustedByHand(s)) {
      manual = s;
      continue;
    }
    if (score == kScoreAverage) continue;
    sums.add(s, nsPercent[s], ewPercent[s]);
  }
  t.score = sums.total;
  t.count = sums.count;
  if (manual > 0) {
    const int board = ResultsPerBoard > 0 ? (manual - 1) / ResultsPerBoard + 1 : 0;
    t.manualAdjustment = QStringLiteral("Ajuster manuellement la donne %1 par %2 contre %3.")
                             .arg(board)
                             .arg(FormatPairNumber(nsPair[manual]), FormatPairNumber(ewPair[manual]));
  }
  return t;
}

// Victory points (or IMPs in a Patton) of every pair, match by match.
PairTable ImpTotals() {
  PairTable result{};
  // Without boards per round the whole session counts as one match.
  const int perMatch = BoardsPerTable >= 1 ? BoardsPerTable : std::max(BoardCount, 1);
  const int matches = std::clamp(BoardCount, 0, kMaxBoards) / perMatch;
  if (ResultsPerBoard < 1 || matches < 1) return result;
  // IMPs of each pair in each match.
  std::array<std::array<double, kMaxPairs + 1>, kMaxBoards + 1> sums;
  for (int m = 1; m <= matches; ++m) sums[static_cast<std::size_t>(m)].fill(0);
  const int* const nsPair = &ResultNsPair[0];
  const int* const ewPair = &ResultEwPair[0];
  const int* const scores = &ResultScore[0];
  const double* const nsImps = &ResultNsPercent[0];
  const double* const ewImps = &ResultEwPercent[0];
  for (int board = 1; board <= matches * perMatch; ++board) {
    auto& m = sums[static_cast<std::size_t>((board - 1) / perMatch + 1)];
    const int last = std::min(board * ResultsPerBoard, kMaxResultSlots);
    for (int s = (board - 1) * ResultsPerBoard + 1; s <= last; ++s) {
      const int ns = nsPair[s];
      const int score = scores[s];
      if (ns == 0 || score == kScoreNone || score == kScoreAverage) continue;
      if (IsPair(ns)) m[static_cast<std::size_t>(ns)] += nsImps[s];
      const int ew = ewPair[s];
      if (IsPair(ew) && ew != ns) m[static_cast<std::size_t>(ew)] += ewImps[s];
    }
  }
  // The pairs of the slots, each once.
  int pairs[kMaxPairs];
  int pairCount = 0;
  std::array<bool, kMaxPairs + 1> listed{};
  for (int i = 1; i <= std::min(PairCount, kMaxPairs); ++i) {
    int p = PairNumbers[i];
    if (p < 0) p = -p <= ResultsPerBoard ? -p + ResultsPerBoard : -p;
    if (!IsPair(p) || listed[static_cast<std::size_t>(p)]) continue;  // an empty slot is no pair
    listed[static_cast<std::size_t>(p)] = true;
    pairs[pairCount++] = p;
  }
  // Match by match, each pair's total adds its matches in order: IMPs in a
  // Patton, else the victory points of the IMPs rounded (to the nearest,
  // ties to even), or those IMPs when the matches are too short for a scale.
  const bool scaled = BoardsPerTable >= kFewestBoardsWithVictoryPoints;
  for (int m = 1; m <= matches; ++m) {
    const auto& match = sums[static_cast<std::size_t>(m)];
    for (int k = 0; k < pairCount; ++k) {
      const auto p = static_cast<std::size_t>(pairs[k]);
      const double imps = match[p];
      if (IsPatton) {
        result[p] += imps;
        continue;
      }
      const int rounded = static_cast<int>(std::clamp(NearestEven(imps), -kImpsLimit, kImpsLimit));
      result[p] += scaled ? VictoryPointsFromImps(rounded, BoardsPerTable) : rounded;
    }
  }
  return result;
}

// The ".PEN" lines applied to the scores; the memo lists them.
void ApplyPenalties(PairTable& score, QStringList& memo) {
  const QString fileName = scoring::PenaltiesFileName();
  const std::optional<QStringList> lines = platform::tryReadTextLines(fileName);
  if (!lines) return;
  memo << QStringLiteral("Ajustements finaux des résultats:") << QString();
  const QString unit = ImpScoring ? QStringLiteral(" VPs") : QStringLiteral(" %");
  for (qsizetype i = 0; i < lines->size(); ++i) {
    const QString& line = lines->at(i);
    if (line.trimmed().isEmpty()) continue;
    const auto pen = scoring::ParsePenaltyLine(line);
    const int slot = pen && IsPair(pen->pair) && scoring::PenaltyInReason(*pen) ? FindPairSlot(pen->pair) : 0;
    if (slot == 0) {
      memo << QStringLiteral("Ligne %1 du fichier %2 ignorée (incorrecte) : %3")
                  .arg(i + 1)
                  .arg(QFileInfo(fileName).fileName(), line.trimmed());
      continue;
    }
    memo << scoring::FixedText(pen->value, 7, 2) + unit + QStringLiteral(" à la paire ") +
                FormatPairNumber(pen->pair) + QStringLiteral(" : ") + PairLabels[slot];
    const double updated = score[pen->pair] + pen->value;
    if (ImpScoring || (updated >= 0 && updated <= 100))
      score[pen->pair] = updated;
    else
      memo << QStringLiteral("Résultat de ") + scoring::FixedText(updated, 7, 2) +
                  QStringLiteral(" impossible... pas d'ajustement!");
  }
}

bool IsNorthSouth(int pair) { return pair <= ResultsPerBoard; }

// Interleaves the best N/S and E/W pairs over the first places.
std::vector<int> Mix(std::vector<int> list, const PairTable& score, int places) {
  const int count = static_cast<int>(list.size()) - 1;
  std::vector<int> order(list.size(), 0);
  PairTable roundedScore{};
  for (std::size_t p = 1; p < roundedScore.size(); ++p) roundedScore[p] = RoundTo2Decimals(score[p]);
  auto rounded = [&](int pair) { return roundedScore[static_cast<std::size_t>(pair)]; };
  const int firstSide = rounded(SearchNext(list, 1, true)) >= rounded(SearchNext(list, 2, true)) ? 1 : 2;
  int placed[3] = {0, 0, 0};
  int i = 1;
  bool full = false;
  while (i <= places && !full) {
    int side = placed[1] < placed[2] ? 1 : (placed[2] < placed[1] ? 2 : firstSide);
    const int p = SearchNext(list, side, false);
    ++placed[side];
    order[static_cast<std::size_t>(i)] = p;
    const double s = rounded(p);
    // Pairs of the same side with the same score follow at once.
    for (int k = 1; k <= count; ++k) {
      const int q = list[static_cast<std::size_t>(k)];
      if (q <= 0 || (IsNorthSouth(q) ? 1 : 2) != side || rounded(q) != s) continue;
      if (i + 1 > places) {
        full = true;
        break;
      }
      ++i;
      order[static_cast<std::size_t>(i)] = q;
      list[static_cast<std::size_t>(k)] = 0;
      ++placed[side];
    }
    ++i;
  }
  // The rest follows in ranking order.
  int next = 1;
  while (next <= count && order[static_cast<std::size_t>(next)] != 0) ++next;
  for (int k = 1; k <= count && next <= count; ++k) {
    if (list[static_cast<std::size_t>(k)] <= 0) continue;
    order[static_cast<std::size_t>(next++)] = list[static_cast<std::size_t>(k)];
  }
  return order;
}

}  // namespace

double RoundTo2Decimals(double x) {
  const double hundredths = x * 100.0;
  // std::nearbyint's answer (a zero keeps its sign) without a call to it.
  const double whole = std::fabs(hundredths) < 0x1p51 ? std::copysign(NearestEven(hundredths), hundredths)
                                                       : std::nearbyint(hundredths);
  return whole / 100.0;
}

bool SameRankingScore(double a, double b) { return RoundTo2Decimals(a) == RoundTo2Decimals(b); }

std::vector<int> RankByScore(int count, const PairScore& score, ScoreComparison comparison) {
  count = std::clamp(count, 0, kMaxPairs);
  std::vector<int> order(static_cast<std::size_t>(count) + 1, 0);
  // The compared scores travel with their pairs, place by place, so that
  // each comparison reads them straight.
  std::array<double, kMaxPairs + 1> at{};
  for (int p = 1; p <= count; ++p) {
    order[static_cast<std::size_t>(p)] = p;
    at[static_cast<std::size_t>(p)] = comparison == ScoreComparison::Rounded ? RoundTo2Decimals(score(p)) : score(p);
  }
  // Place i holds the best seen so far; an exchange happens only when a
  // better score comes, which is rare once the best is found.
  for (std::size_t i = 1; i < order.size(); ++i) {
    double best = at[i];
    int bestPair = order[i];
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      if (at[j] > best) {
        std::swap(at[j], best);
        std::swap(order[j], bestPair);
      }
    }
    at[i] = best;
    order[i] = bestPair;
  }
  return order;
}

int SearchNext(std::vector<int>& ranking, int side, bool peek) {
  if (PairCount >= 1) {
    for (std::size_t k = 1; k < ranking.size(); ++k) {
      const int p = ranking[k];
      if (p <= 0 || (IsNorthSouth(p) ? 1 : 2) != side) continue;
      if (!peek) ranking[k] = 0;
      return p;
    }
  }
  FatalStop(QStringLiteral("Erreur non prévue dans SearchNext"));
}

void ComputeResults() { ComputeResults(nullptr); }

void ComputeResults(const scoring::RecomputeShare* share) {
  Totals totals;
  if (share && share->summed && !ImpScoring) {
    totals.score = share->total;  // the pass saw no adjusted result
    totals.count = share->count;
  } else {
    totals = SumResults(!ImpScoring);
  }
  if (!totals.manualAdjustment.isEmpty() && Interactive) {
    // The director adjusts that result by hand first; nothing is ranked.
    scoring::ShowAttention({totals.manualAdjustment});
    return;
  }

  PairTable score{};
  if (ImpScoring) {
    score = ImpTotals();
  } else {
    for (int p = 1; p <= kMaxPairs; ++p)
      if (totals.count[static_cast<std::size_t>(p)] > 0)
        score[static_cast<std::size_t>(p)] = totals.score[static_cast<std::size_t>(p)] / totals.count[static_cast<std::size_t>(p)];
  }

  QStringList penaltyMemo;
  const bool penalties = share ? share->penalties : platform::fileExists(scoring::PenaltiesFileName());
  if (penalties) ApplyPenalties(score, penaltyMemo);

  const PairScore scoreOf = [&score](int p) { return IsPair(p) ? score[static_cast<std::size_t>(p)] : 0.0; };
  std::vector<int> order = RankByScore(PairCount, scoreOf);
  const int places = ComputeMixingCount();
  if (MitchellNumbering && !ImpScoring && places > 0) order = Mix(std::move(order), score, places);

  for (int p = 1; p <= kMaxPairs; ++p) PairFinalScore[p] = score[static_cast<std::size_t>(p)];
  for (int i = 1; i <= kMaxPairs; ++i)
    RankingOrder[i] = i < static_cast<int>(order.size()) ? order[static_cast<std::size_t>(i)] : 0;

  // The windows come last: the shared state is complete while they are open.
  if (!Interactive) return;
  if (penalties) scoring::ShowAttention(penaltyMemo);
  if (penalties || (share ? share->adjustments : platform::fileExists(scoring::AdjustmentsFileName()))) {
    const ui::Choice c{.form = forms::AdjustmentsPrinting,
                       .caption = QStringLiteral("Question"),
                       .text = QStringLiteral("Faut-il imprimer les ajustements et pénalités?"),
                       .buttons = {QStringLiteral("&Oui"), QStringLiteral("ESC/Echap = &Non")},
                       .codes = {1, 2},
                       .cancelCode = 2};
    if (ui::Ask(c) == 1) PrintAdjustmentsAndPenalties();
  }
}

void RecomputeResults() {
  if (Interactive) {
    ComputeFrequencies();
    ComputeResults();
    return;
  }
  scoring::RecomputeShare share = scoring::LookUpRecomputeFiles();
  ComputeFrequencies(&share);
  ComputeResults(&share);
}

void RecomputeResultsSilently() {
  Interactive = false;
  scoring::RecomputeShare share = scoring::LookUpRecomputeFiles();
  ComputeFrequenciesSilently(&share);
  ComputeResults(&share);
}
