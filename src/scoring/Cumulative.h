#pragma once
// The cumulative tournament ("Tournoi en plusieurs séances"): the final
// rankings of several saved sessions ("<code>.SEA" of DataFolder) combined
// into one ranking. Pairs are recognised across sessions by their players'
// names, in either order; a pair's score is the average of its sessions, and
// a pair that missed a session is listed unranked with 0. The result becomes
// the current tournament, saved under its own code with the marker file
// "<code>.CUM", and shown in the end-of-cumulation window.
#include <QString>

#include <functional>
#include <optional>

// The whole run. Interactive (from the menu): the current tournament is saved
// and backed up first, and the code is asked; otherwise (the reload of a
// cumulative tournament) code is the cumulative's own code. The sessions are
// gathered apart from the tournament in memory: any stop (no session file,
// Esc, "Trop de paires!", no session chosen, an error while saving) leaves
// the tournament in memory and its files as they were, and the collection
// timer as it was. True when the cumulative tournament replaced it.
bool CumulateTournaments(bool interactive, const QString& code);

// Two pair texts "player 1/player 2" name the same pair: both parts equal
// (trimmed, case-sensitive) in the same or the crossed order. A text without
// "/" matches only the same whole text.
bool NamesMatch(const QString& a, const QString& b);

// Creates the empty marker file DataFolder + TournamentCode + ".CUM".
void WriteCumulativeMarker();

// One line of a session file: "0", the score (point or comma), "0", "0",
// then "player 1/player 2"; the first line of a Butler session ends with
// "\BUTLER" (taken off the names). Nothing for a line without a score or
// without names.
struct SessionLine {
  double score = 0;
  QString names;
  bool butler = false;
};
std::optional<SessionLine> ParseSessionLine(const QString& line);

