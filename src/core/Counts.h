#pragma once
// The tournament's counts, always taken again from the slots: the pairs
// entered, the results entered and the players named.
#include <QString>

// Number of pair slots 1..42 holding a pair; none shows "Aucune paire introduite!".
int CountPairs();

// The players the evening expects: two a pair, the BYE pair's seats not
// counted.
int CountPlayersExpected();
// Results entered (slots whose score is not 10000) and players named (a seat
// the tablets sent empty is not a player), counted again from the slots.
void CountResumedTournament();
// The menu shows the counters as they stand: players named / expected and
// results entered / result slots ("3/28", "27/84").
void ShowCounters();
class ResultListener;
// The menu's counters listening to the results' news: counted again
// (flowSteps().recountMenuCounters) after every news from the table sheet,
// after the board sheet's only with the table devices (without them the
// counters it leaves are the menu's own until it counts again), and whenever
// the results are to be counted as a whole. Added by whoever fills the
// flows' steps.
ResultListener& MenuCountersListener();
// A default player name: the letter followed by a number ("N12").
bool IsDefaultNameFor(const QString& name, const QString& letters);
