#pragma once
// The files other programs read after every computation of the results: the
// ranking files "RESULTS.TXT" and "RESULTSF.TXT" (or the Patton team ranking)
// for the tablets' server, the board files "DONNE<n>.TXT" and the referee's
// "DonnesArbitre.TXT" with table devices, and the session file "<code>.SEA"
// that a cumulative tournament reads.
//
// With table devices the files go to TabletSharedFolder and their fields are
// separated by "$"; without, the ranking files go to the home folder (what
// stands for the root of drive C:) with no separator. Every file is rewritten
// whole through SafeRewrite, whose IoError names the file; numbers use ".".
#include <QString>

// WritePattonResultsFile in a Patton tournament; otherwise
// WriteDeviceResultsFiles then WriteMergedResultsFile.
void WriteResultFiles();
// "RESULTS.TXT": separate N/S and E/W lists, one list in a Howell.
// OneWinnerMitchell is left as IsHowell.
void WriteDeviceResultsFiles();
// "RESULTSF.TXT": one merged list. OneWinnerMitchell is left set.
void WriteMergedResultsFile();
// "RESULTS.TXT" holding the Patton team ranking (with devices the tablets'
// "RESULTSF.TXT" is deleted first).
void WritePattonResultsFile();
// With table devices, outside a pairs IMP tournament: "DONNE<n>.TXT" for
// each board 1..DealCount; a board without any result gets the line
// "Aucun résultat introduit" when reportEmpty is set.
void WriteBoardFiles(bool reportEmpty);
// "<code>.SEA" in DataFolder: the ranking with each pair's score and players.
// Without a computed ranking the file is deleted and the director told; with
// table devices it is copied to the tablets' "SEANCE.TXT".
void WriteSessionFile();

// The texts of the files as they are written (lines ended by CR LF).
QString RankingFileText(bool merged, const QString& separator);
QString PattonRankingFileText(const QString& separator);
QString BoardFileText(int board, bool reportEmpty);
// SaveDatFile, SavePairsFile, SaveResults, then the session file (WriteSessionFile).
void SaveTournamentAll();
