#pragma once
// The news about the results, told once by whoever made it and heard by
// every floor above that cares: the table devices echo it, the menu counts
// the results again. Listeners add themselves at start (the flows'
// counters, the devices' echo) and are told in the order they were added;
// with none added, telling does nothing. What a listener raises (the
// devices' writers raise platform::IoError and database errors) reaches the
// teller, and the listeners after it are not told.
#include <QString>

// The sheet a result was stored on.
enum class ResultSheet {
  Board,  // the board's sheet (one board, every table)
  Table,  // the table's sheet (one table, every board of the round)
};

// How the director gave a stored result.
enum class ResultOrigin {
  Typed,     // a contract or points
  Key,       // one key: average, passed out, the last result again
  Adjusted,  // an adjusted score ("AJU."), its percentages asked first
};

class ResultListener {
 public:
  // name: what the start-up check calls it when it is missing.
  explicit ResultListener(const char* name) : name_(name) {}
  virtual ~ResultListener() = default;
  ResultListener(const ResultListener&) = delete;
  ResultListener& operator=(const ResultListener&) = delete;

  // The slot's result stored from a sheet, saved already.
  virtual void resultStored(int /*slot*/, ResultSheet /*sheet*/, ResultOrigin /*origin*/) {}
  // The slot's result erased from a sheet (the board not played), saved already.
  virtual void resultErased(int /*slot*/, ResultSheet /*sheet*/) {}
  // An adjusted score given to the slot as two percentages, with its remark
  // ("Arbitral score (60%-40%)"); the sheet stores "AJU." after it.
  virtual void resultAdjusted(int /*slot*/, const QString& /*remark*/) {}
  // The results to be counted again as a whole, none told by itself: a
  // devices' pass saved, a referee's line written, a table sheet's empty
  // line erased.
  virtual void resultsCounted() {}

  const char* name() const { return name_; }

 private:
  const char* name_;
};

// The listeners the program adds at start, by name (the start-up check,
// EmptyFaces, lists those missing).
inline constexpr const char kMenuCountersListener[] = "AddResultListener(the menu's counters)";
inline constexpr const char kTableDevicesListener[] = "AddResultListener(the table devices)";

// Adds a listener (once, however often it is added); the caller keeps it
// alive until it removes it. A listener may add or remove any listener
// while it is told: one removed is told no more, one added hears the next
// news only.
void AddResultListener(ResultListener& listener);
void RemoveResultListener(ResultListener& listener);
// Whether a listener of that name is added.
bool ResultListenerAdded(const char* name);

// Each tells every listener added, in the order they were added.
void TellResultStored(int slot, ResultSheet sheet, ResultOrigin origin);
void TellResultErased(int slot, ResultSheet sheet);
void TellResultAdjusted(int slot, const QString& remark);
void TellResultsCounted();
