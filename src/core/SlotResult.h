#pragma once
// A result as the program passes it around: stored in a slot, put back by
// an undo, read from the tournament's files, sent by a table and echoed to
// it. The tables' server shares it (core/ExchangeLines.h).
#include <QString>

#include <optional>
#include <utility>

// Score codes of a result.
inline constexpr int kScoreNone = 10000;     // no result yet ("?")
inline constexpr int kScoreAdjusted = 9999;  // "AJU."
inline constexpr int kScoreAverage = 9998;   // "MOY.", counts for neither pair

// Where a result came from.
enum class ResultSource {
  BoardSheet,   // typed or keyed at the board's sheet
  TableSheet,   // typed or keyed at the table's sheet
  Tablets,      // a tablet's result file, taken by the collection
  BridgeMates,  // a scorers' row, taken by the collection
  Adjustment,   // the director's percentages for one result ("AJU.")
  Files,        // read back from the tournament's files, or put back by an undo
};

// A result: the one value the sheets, the collections, the undo, the
// tournament's files and the devices' echoes pass each other. The slots keep
// its pairs, score, contract, lead and declarer; its origin and remark say
// how it reached them, its percentages those given with an adjusted score.
struct SlotResult {
  int ns = 0;  // the pairs as the movement seats them (ResultSwapped says whether they sat the other way)
  int ew = 0;
  QString contract;  // "4PN=", "PASSE", "MOY.", "AJU.", empty for points or for no result
  int score = kScoreNone;
  QString lead = QStringLiteral("?");
  QString declarer;
  ResultSource origin = ResultSource::Files;
  QString remark;  // an adjusted score's words for the devices ("Arbitral score (60%-40%)")
  // The percentages given with an adjusted score (N/S, E/W); without them
  // the slot's percentages are left to the frequencies, or cleared by a
  // collection.
  std::optional<std::pair<double, double>> percentages;
  bool leadGiven() const { return !lead.isEmpty() && lead != QLatin1String("?"); }
  bool operator==(const SlotResult&) const = default;
};

// A result of the fields a slot keeps, from origin.
inline SlotResult MakeResult(const QString& contract, int score, const QString& lead, const QString& declarer,
                             ResultSource origin = ResultSource::Files) {
  SlotResult r;
  r.contract = contract;
  r.score = score;
  r.lead = lead;
  r.declarer = declarer;
  r.origin = origin;
  return r;
}

// A slot's whole line: where it sits in the movement and the result it
// holds (a line of the results file with its lead and declarer, an undo).
struct SlotRecord {
  SlotResult result;
  int round = 0;
  int table = 0;
  int board = 0;
  int swapped = 0;
  bool operator==(const SlotRecord&) const = default;
};

