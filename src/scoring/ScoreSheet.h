#pragma once
// The traveller entry: one board at a time, one line per table that plays it,
// results typed as contracts or as points and stored at once into the board's
// result slots and saved. The window draws what this class holds and passes
// it the director's keys; nothing here opens a window (questions and the
// opening lead go through the installed interaction).
#include "core/State.h"
#include "scoring/ScoringSupport.h"

#include <QChar>
#include <QString>

#include <array>
#include <optional>

// True for a score that can be made at the table: 50 to 7600, a multiple of
// 10, not 60.
bool IsPossibleScore(int score);
// Whether score (from the N/S point of view) agrees with the vulnerability of
// board; always true with CoherenceTest off.
bool VulnerabilityCoherenceTest(int score, int board);

// The sheet's keys, recognised by the character typed.
enum class SheetKey {
  None,
  NextBoard,
  PreviousBoard,
  Down,
  Up,
  PageDown,
  PageUp,
  Enter,
  Close,
  Delete,
  ClearBoard,
  Swap,
  ToggleCoherence,
  ToggleTimesTen,
  ToggleOrder,
  ToggleEntryMode,
  ToggleLineSkip,
  Average,
  PassedOut,
  Adjusted,
  Repeat,
  Character,  // a character that may start a typed result
};
// The key for a key code (Qt::Key value) and the text it typed; keypad tells
// the numeric keypad. Letters count in either case; "$" and ";" swap like
// "Y", "!" repeats like the space bar (the keys of both keyboards there).
SheetKey SheetKeyFor(int key, const QString& text, bool keypad = false);

// What both entry windows share: the score typed as a number, the slot
// prepared for a new result, the deletion and the swap of a result, and the
// traveller of a board.

// A score typed as a number ("420", "-50"; ewColumn: typed for E/W) on
// board: the N/S score, 0 when the text evaluates to 0, nothing when it is
// refused (the message shown with its beeps; a score no contract gives reads
// the text between double quotes followed by refusal).
std::optional<int> TypedNumberScore(const QString& text, bool ewColumn, int board,
                                    const QString& refusal = QStringLiteral("\" : nombre incorrrect!"));
// Swaps N/S and E/W of the result of slot and saves; "MOY.", "AJU." and an
// empty slot are refused with the message.
bool SwapResultSides(int slot);
// The slots of a board's traveller lines in the order chosen (by rounds or
// by N/S pair), 0 for a line without a slot; returns the number of lines.
int BoardLineSlots(int board, std::array<int, kMaxTables + 1>& lineSlots);

// What the sheets say of the lines whose board the director settled at the
// desk in a tablets evening (drawn apart): the table can no longer change
// them, and a deletion hands the board back to it.
QString SettledLinesNote();

// Where the entry field opens.
enum class EntryColumn { None, Result, NsPoints, EwPoints };

class ScoreSheet {
 public:
  static constexpr int kColumns = 6;
  using Line = std::array<QString, kColumns>;

  // Board 1 laid out, with the tournament's options as they stand.
  ScoreSheet();

  int board() const { return board_; }
  int lineCount() const { return lineCount_; }
  int currentLine() const { return current_; }
  int slotOfLine(int line) const;  // 0 for a line without a slot
  int currentSlot() const { return slotOfLine(current_); }
  bool takesResult(int line) const;
  // The cursor stops on a line that takes a result or holds one.
  bool reachable(int line) const;
  // The six cells of a line as shown.
  Line cells(int line) const;
  // Whether the line's board is settled at its table by the director (a
  // tablets evening): the table's result is no longer taken.
  bool settled(int line) const;
  // The cells of a traveller line that has a slot (takes: it owes a result).
  static Line SlotCells(int slot, bool takes);
  // The status text beside the entry field for the current line.
  QString status() const;
  QString boardLabel() const;
  QString vulnerabilityLabel() const;
  // The texts of the "Options actuelles" box.
  QStringList optionTexts() const { return OptionTexts(); }
  static QStringList OptionTexts();
  // Lines moved by Page Up and Page Down.
  void setPageSize(int lines) { page_ = lines > 0 ? lines : 1; }

  void layOut(int board);
  void nextBoard();
  void previousBoard();
  void down();
  void up();
  void pageDown();
  void pageUp();
  void enter();
  void setCurrentLine(int line);

  void toggleCoherence();
  void toggleTimesTen();
  void toggleOrder();
  // F4: false (with the message shown) when the mode cannot change now.
  bool toggleEntryMode(bool withRefusals = true) { return ToggleEntryMode(withRefusals); }
  static bool ToggleEntryMode(bool withRefusals);
  void toggleLineSkip();
  // "Demander l'entame": false (with the message) when it cannot be set.
  bool setAskLead(bool on);

  // Every key before a result is typed or stored by a key: true when the
  // current line may receive one (the undo copy is then kept). "A" (key
  // Adjusted) also splits an arbitral score a table sent for the director.
  bool readyForResult(SheetKey key = SheetKey::None);
  // The first character typed: where the entry field opens and what it holds;
  // EntryColumn::None with the message shown when the character is refused.
  EntryColumn beginTyping(QChar typed, QString& fieldText);
  // A character typed in the number field: true when it validates the text
  // (the text may get its "-").
  static bool validatesNumber(QChar typed, QString& text);
  // Validation of the entry field: stores the result when it is sound.
  // True when a result was stored.
  bool validate(const QString& text, EntryColumn column);
  // The result keys.
  bool storeAverage();
  bool storePassedOut();
  bool storeAdjusted();
  bool storeRepeat();
  // Delete or "S" on the current line; "X" on the whole board; "Y" swap.
  void deleteCurrent();
  void clearBoard();
  void swapCurrent();
  // Leaving the window.
  static void close();

 private:
  enum class Kind { Typed, Repeat, Key };
  void store(const QString& text, int score, Kind kind);
  void restoreUndo();
  void afterStoreMove();
  void moveToTaking(int step);

  scoring::ExpectedSlots expected_;
  int board_ = 1;
  int lineCount_ = 0;
  int current_ = 1;
  int page_ = 19;
  std::array<int, kMaxTables + 1> slots_{};
  // The undo copy of the current slot.
  struct Undo {
    int slot = 0;
    SlotRecord record;
  } undo_;
  // The last result stored (repeat key).
  QString lastText_;
  std::optional<int> lastScore_;
};

// Writes or deletes the marker "DemanderEntame.TXT" of the program folder.
void WriteAskLeadMarker(bool on);
