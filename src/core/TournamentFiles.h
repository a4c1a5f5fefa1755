#pragma once
// The tournament's file set in DataFolder, each file named DataFolder +
// TournamentCode + extension: ".DAT" (identity), ".VAR" (result slots),
// ".SPECS" (leads and declarers), ".MUL" (movement parameters), ".DIA" (deal
// diagrams), ".AS" (Arrow Switch). The pairs file ".PAI" is in PairsFile.h,
// the tablets' counters and pair-name files in DeviceFiles.h (both included
// here, so that this header gives every routine of the file set).
//
// Windows-1252 on disk, CR LF line ends (none after the last line of ".DAT"
// and ".MUL"); every file is rewritten whole through SafeRewrite. A reader
// that meets a line it cannot use names the file and the line and makes the
// fatal stop before it changes anything in memory.
#include "core/DeviceFiles.h"
#include "core/PairsFile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>


// The texts of the files as they are written.
QString DatFileText();
// Line 3 of ".DAT" as it is written with table devices.
QString DatDevicesLine();
QString ResultsFileText();  // ".VAR"
QString SpecsFileText();    // ".SPECS"
QString MulFileText();      // ".MUL"
QString DiaFileText();      // ".DIA"

// Writes ".DAT": the date, the title, and with table devices the devices line.
// Nothing without a tournament code.
void SaveDatFile();
// Writes ".VAR", ".SPECS" (table devices or leads asked), ".MUL", ".DIA" and
// ".AS" (Arrow Switch). ".VAR" and ".MUL" only once the movement has sized the
// result slots (ResultSlotCount > 0), so that a tournament quit before its
// movement reloads into the pairs entry. Nothing without a tournament code.
void SaveResults();
// Reads lines 1 and 2 of ".DAT": sets TournamentDatedToday, and when the
// tournament is not dated today takes its date and title. A missing file
// leaves everything as it is (TournamentDatedToday off).
void ReadDatFile();
// Line 3 of ".DAT": the devices kind (1 BridgeMates, 2 tablets, 3 both), pairs
// entered and deals entered at the tables. False when the line is missing or
// does not start with three integers.
bool ReadDatDevicesLine(int& devicesKind, bool& pairsEntered, bool& dealsAtTable);

// Reads ".VAR" (ResultSlotCount lines) into the result slots and, when it
// exists, ".SPECS" (leads and declarers, trimmed). A missing ".VAR", a missing
// ".SPECS" with table devices, a short file or a bad line is reported and
// makes the fatal stop with the slots untouched. Out of a resume ImpScoring
// is cleared, except for a Patton.
void LoadResults();

// Reads ".MUL" into BoardCount, DealCount, DateText, TournamentName, IsHowell,
// MitchellNumbering, BoardsPerTable, RoundCount, RoundsScheduled, RoundsPlayed,
// MitchellType and IsAppendix. A bad line is reported and makes the fatal stop.
void ReadMulFile();
// Reads ".DIA" into DealDiagrams 1..DealCount: each deal gets back the text
// written for it (trailing empty lines dropped). False when there is no file.
bool ReadDiaFile();
// The same from lines already read.
void ReadDiaLines(const QStringList& lines);

// The files of one tournament, by extension: deleted, backed up and purged
// together (the session database ".BWS" and the deals ".PBN" apart).
inline constexpr const char* kTournamentExtensions[] = {".DAT", ".PAI", ".VAR", ".MUL", ".ADJ", ".PEN",
                                                        ".SEA", ".DIA", ".DDM", ".SPECS", ".PAT", ".AS", ".CUM"};
// What a saved tournament holds, read from its files in DataFolder without
// loading it: the slots of its ".VAR" holding a result (none when the file is
// missing; a line that cannot be read counts none), and the time its files
// last changed (invalid when it has none).
struct SavedTournamentSummary {
  int results = 0;
  QDateTime lastChange;
};
SavedTournamentSummary SummariseSavedTournament(const QString& code);
// "aucun résultat", "1 résultat", "12 résultats".
QString ResultsCountText(int results);

// Deletes code's ".DAT" ".PAI" ".VAR" ".MUL" ".ADJ" ".PEN" ".SEA" ".DIA"
// ".DDM" ".SPECS" ".PAT" ".AS" ".CUM", and ".BWS" with BridgeMates. Missing files are
// ignored.
void DeleteTournamentFiles(const QString& code);
void DeleteCurrentTournamentFiles();
// The same without ".DAT" and ".PAI".
void DeleteCurrentResultFiles();
