#pragma once
// Movement description files: a header "sets pairs rounds kind" (kind text
// beginning with H for a Howell, M for a Mitchell), then one line per table
// and round: "round N/S E/W set [table]". The reader of the set-up reports a
// bad line and gives up (the director mends the file); the federation's
// reader stops the program. Both write the movement into the result slots.
#include <QString>
#include <QStringList>

// The header of a movement file.
struct MovementHeader {
  int sets = 0;
  int pairs = 0;
  int rounds = 0;
  QChar kind;  // 'H', 'M', or what the text began with
};
// Parses a header line; false when it does not begin with three integers.
bool ParseMovementHeader(const QString& line, MovementHeader& header);

// ArrowSwitch and ArrowSwitchText from a file name: "Arrow" anywhere turns
// it on; "Arrow Switch (1)" and "Arrow Switch (2)" name the rounds.
void SetArrowSwitchFromName(const QString& fileName);
// Whether a file name is the Mitchell-Appendix file for tables tables
// ("A7-" + (tables - 7) or "A9-" + (tables - 9), then ".TXT").
bool IsAppendixFileName(const QString& fileName, int tables);

// The line error of the set-up: " Erreur: " + message + " N° de ligne du
// fichier = " + line, shown with a beep.
void ReportMovementLineError(const QString& message, int line);
// The fatal line error of a federation tournament: names the file, then the
// program stops.
[[noreturn]] void StopOnMovementLineError(const QString& path, const QString& message, int line);

// The boards per table of a movement file of sets board sets ("Nombre de
// boards par table"): sets BoardsPerTable and returns true, or returns false
// with the message to report on line 1.
bool AskBoardsPerTableForFile(int sets, QString& error);

// Reads the movement file lines (of the file named fileName, for the Arrow
// Switch and Appendix marks) into the result slots for the set-up. False
// after a reported line error. Sets TableCount, RoundCount, BoardSetCount,
// BoardsPerTable, BoardCount, IsHowell, MitchellNumbering, MitchellType.
bool ReadMovementLines(const QStringList& lines, const QString& fileName);
// The same from a file (the caller has checked that it exists).
bool ReadMovementFile(const QString& path);

// Reads MovementFolder + name for a federation tournament (BoardsPerTable,
// RoundsPlayed, IsPatton already set). Any error stops the program.
void LoadFederationMovement(const QString& name);

// Lists the files of MovementFolderInUse that fit the pairs and lets the
// director choose one ("Choix du mouvement"). name gets the file name,
// "Changer" (the club toggle was switched off) or "VIDE" / "" (nothing).
void ChooseMovementFile(QString& name);
// The lines offered by ChooseMovementFile and the file name of each; an
// empty list after a message when nothing fits.
void ListMovementFiles(QStringList& lines, QStringList& names);
