#include "core/Counts.h"

#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ResultNews.h"

#include <QRegularExpression>

int CountPairs() {
  int count = 0;
  for (int s = 1; s <= kMaxPairs; ++s)
    if (PairNumbers[s] != 0) ++count;
  if (count == 0) ShowAlert(QStringLiteral("Aucune paire introduite!"));
  return count;
}

bool IsDefaultNameFor(const QString& name, const QString& letters) {
  if (name.size() < 2 || !letters.contains(name[0])) return false;
  for (qsizetype i = 1; i < name.size(); ++i)
    if (!name[i].isDigit()) return false;
  return true;
}

int CountPlayersExpected() { return 2 * (PairCount - (ByePresent ? 1 : 0)); }

void CountResumedTournament() {
  ResultsEntered = 0;
  for (int s = 1; s <= ResultSlotCount && s <= kMaxResultSlots; ++s)
    if (ResultNsPair[s] != 0 && ResultScore[s] != kScoreNone) ++ResultsEntered;
  PlayersExpected = CountPlayersExpected();
  if (PairsEntered) {
    PlayersNamed = PlayersExpected;
    return;
  }
  // The seat a tablet sent empty ("S4 *** Pas rempli ***") names nobody; the
  // server's own "*** Pas rempli ***" and the BridgeMates' "*** Non
  // introduit" are players who sat down without typing a number, so that
  // the count reaches the total and the player numbers stop being polled.
  static const QRegularExpression emptySeat(QStringLiteral("^[NSEO][0-9]+ \\*\\*\\* Pas rempli \\*\\*\\*$"));
  auto named = [](const QString& raw, const QString& letters) {
    const QString n = raw.trimmed();
    return !n.isEmpty() && n != QStringLiteral("BYE") && !IsDefaultNameFor(n, letters) && !emptySeat.match(n).hasMatch();
  };
  PlayersNamed = 0;
  for (int p = 1; p <= PairCount && p <= kMaxPairs; ++p) {
    if (named(Player1Names[p], QStringLiteral("NE"))) ++PlayersNamed;
    if (named(Player2Names[p], QStringLiteral("SW"))) ++PlayersNamed;
  }
}

void ShowCounters() {
  if (flowSteps().showCounters)
    flowSteps().showCounters(QStringLiteral("%1/%2").arg(PlayersNamed).arg(PlayersExpected),
                             QStringLiteral("%1/%2").arg(ResultsEntered).arg(ResultSlotCount));
}

namespace {

class MenuCounters : public ResultListener {
 public:
  MenuCounters() : ResultListener(kMenuCountersListener) {}
  void resultStored(int, ResultSheet sheet, ResultOrigin) override { countFrom(sheet); }
  void resultErased(int, ResultSheet sheet) override { countFrom(sheet); }
  // The sheet stores "AJU." right after, and counts then.
  void resultAdjusted(int, const QString&) override {}
  void resultsCounted() override { flowSteps().recountMenuCounters(); }

 private:
  static void countFrom(ResultSheet sheet) {
    if (sheet == ResultSheet::Table || TableDevicesMode) flowSteps().recountMenuCounters();
  }
};

}  // namespace

ResultListener& MenuCountersListener() {
  static MenuCounters counters;
  return counters;
}
