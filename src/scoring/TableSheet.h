#pragma once
// The table-sheet entry: results typed from the sheets filled at the tables,
// one sheet per table and round, with the traveller of the current line's
// board beside it. It keeps the traveller entry's rules (possible scores,
// vulnerability, declarer, deletion, swap): this class holds the sheet and
// the round loop; the window draws it and passes it the keys.
#include "core/ResultNews.h"
#include "scoring/ScoreSheet.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <functional>

// The table sheets use the traveller's tests.
inline bool IsPossibleSheetScore(int score) { return IsPossibleScore(score); }
inline bool SheetVulnerabilityTest(int score, int board) { return VulnerabilityCoherenceTest(score, board); }
// The declarer stored for a sheet result: ResultDeclarerText, empty where
// that gives "?".
QString SheetDeclarerText(int score, const QString& text);

class TableSheet {
 public:
  static constexpr int kSheetColumns = 4;
  static constexpr int kBoardColumns = 5;
  using SheetLine = std::array<QString, kSheetColumns>;
  using BoardLine = std::array<QString, kBoardColumns>;

  // The skip case of the round loop: Mitchell numbering, an even number of
  // tables and the skip at half-time.
  static bool SkipCase();
  // The last round before the players skip a table (skip case), read from
  // the movement's slots: the first round after which the E/W pairs do not
  // all move up one table. The program's own skip Mitchell skips after half
  // the tables, the federation's even-table kinds one round earlier; 0 when
  // the slots hold no skip (fewer rounds played than the skip needs).
  static int SkipRound();
  // Whether a round can be typed: 1 to RoundCount, never the table count in
  // the skip case (that round is the one skipped).
  static bool RoundPlayable(int round);

  // A new round (LastSheetRound): both counters back to 1 and the sheet laid
  // out. False when the movement has no slot for the round (message shown).
  bool startRound();
  // LayOutTableSheet: finds the current table's slots in LastSheetRound and
  // lays out the sheet; false (message shown, nothing changed) when no
  // table of the round is found.
  bool layOut();
  void nextTable();
  void previousTable();
  void down();
  void up();

  bool laidOut() const { return laidOut_; }
  bool byeTable() const { return bye_; }
  int tableCounter() const { return table_; }
  int nsCounter() const { return ns_; }
  int ewPair() const { return ew_; }  // as numbered in the result slots
  int boardSet() const { return set_; }
  int lineCount() const { return laidOut_ ? std::clamp(BoardsPerTable, 0, kMaxBoards) : 0; }
  int currentLine() const { return current_; }
  int slotOfLine(int line) const;  // 0 when the board has no slot for the sheet's N/S pair
  int currentSlot() const { return slotOfLine(current_); }
  bool takesResult(int line) const;
  // A line that holds a result, even beyond RoundsPlayed: it can be deleted.
  bool holdsResult(int line) const;
  SheetLine sheetCells(int line) const;
  // Whether the line's board is settled at this table by the director (a
  // tablets evening).
  bool settled(int line) const;
  QString tableLabel() const;
  QString roundLabel() const;
  QString nsLabel() const;
  QString ewLabel() const;
  QString status() const;
  QStringList optionTexts() const;

  // The board grid: the traveller of the current line's board (0: hidden).
  int board() const { return bye_ || !laidOut_ ? 0 : boardOf(current_); }
  int boardLineCount() const { return std::clamp(ResultsPerBoard, 0, kMaxTables); }
  BoardLine boardCells(int line) const;
  QString boardLabel() const;
  QString vulnerabilityLabel() const;

  void toggleCoherence() { CoherenceTest = !CoherenceTest; }
  void toggleTimesTen() { ScoresTimesTen = !ScoresTimesTen; }
  void toggleOrder() { SheetOrderByRounds = !SheetOrderByRounds; }
  void toggleLineSkip() { SheetLineSkip = !SheetLineSkip; }
  // F4: false (with the message) when the mode cannot change now.
  bool toggleEntryMode(bool withRefusals = true);

  // A key that would change a result, in a federation tournament: two beeps;
  // the caller closes the window, then calls launchEditor().
  void editorBeeps() const;
  void launchEditor() const;
  // Every result key and character: true when the current line may receive
  // a result (the undo copy is then kept; a line with a result says so). "A"
  // (key Adjusted) also splits an arbitral score a table sent for the
  // director.
  bool readyForResult(SheetKey key = SheetKey::None);
  // The first character typed: true with the field's text when it opens the
  // entry field; false, with the message for a refused character.
  bool beginTyping(QChar typed, QString& fieldText) const;
  // A character typed in the number field: true when it validates the text.
  static bool validatesNumber(QChar typed, QString& text);
  // Validation of the entry field: true when a result was stored.
  bool validate(const QString& text);
  bool storeAverage();
  bool storePassedOut();
  bool storeAdjusted();
  // Delete or "S"; "Y".
  void deleteCurrent();
  void swapCurrent();

 private:
  int boardOf(int line) const { return (set_ - 1) * BoardsPerTable + line; }
  bool findSlot(int& found, bool& byTable) const;
  void stepCounters(bool forward);
  void store(const QString& text, int score, ResultOrigin origin);
  void restoreUndo();

  int table_ = 1;
  int ns_ = 1;
  int ew_ = 0;
  int set_ = 1;
  int current_ = 1;
  bool forward_ = true;
  bool bye_ = false;
  bool laidOut_ = false;
  int storing_ = 0;
  struct Undo {
    bool held = false;
    int slot = 0;
    SlotRecord record;
  } undo_;
};

// The round loop of the tournament menu's table-sheet button: asks each
// round and shows its sheets through showSheet until the director stops or
// the last round is typed.
void EnterTableSheets(const std::function<void(TableSheet&)>& showSheet);
