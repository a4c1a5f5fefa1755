#pragma once
// The set-up of a federation tournament: the club's federation number
// ("LICENCEFFB.TXT"), the FFBClubNet folder ("FFBFOLDER.TXT"), the choice of
// today's session database, and the work behind the parameters window TForm75
// that follows the import (date, name, code, then the tournament menu and the
// devices).
#include <QString>

#include <functional>

// ClubFederationNumber from the first line of ProgramFolder + "LICENCEFFB.TXT";
// when the file is missing or its line is empty, the number is asked in
// forms::ClubLicence (again until one is given) and written as the file's only line.
// Cancelling the window runs the quit routine.
void ReadClubFederationNumber();
// TForm72's OK: the text trimmed; empty gives the refusal message and false.
bool ClubNumberOk(const QString& typed, QString& number);

// Asks for the FFBClubNet folder (message, then the folder selection);
// cancelling stops the program. FederationFolder gets the folder chosen.
void AskFederationFolder();
// A folder as typed ("C:\FFB\Data", "D:/FFB/"): every "\" made "/", blanks
// trimmed, one final "/".
QString NormaliseFederationFolder(const QString& folder);

// The session database of the day: the club number, the folder (from
// "FFBFOLDER.TXT", else the root folder + "FFBCLUBNET/", asked when missing,
// written back), then for a resumed tournament the file chosen by the
// director, for a new one the databases of today's names (one is taken,
// several are offered, none stops the program). Sets FederationFolder and
// FederationBwsFile.
void ChooseFfbBwsFile();
// The databases of today that exist, in the order searched: for each kind
// "TPP", "IMP", "SIMUL", "MULTI", "PATTON", the name without a suffix, then
// with each of "A".."Z", "1".."9", "0"; at most 26.
QStringList FederationCandidateFiles();

// What the parameters window shows and the director typed.
struct FederationParametersView {
  QString date;
  QString name;
  QString code;
};
// The window's defaults: today's date, "Tournoi du " + the weekday + the
// date, the code "TEST" (the start screen then puts the import's code).
void FederationParametersCreate(FederationParametersView& view);
// The check of an existing tournament of the typed code: 1 when the code may
// be used. The files of this import's own code (yyyymmddhh) are deleted
// without a question; those of another tournament only after the question of
// the existing tournament has been answered "erase" (its other answers come
// back and nothing is deleted).
int FederationCodeCheck(const QString& code);
// The OK: checks (a refusal leaves the window open: false), the code check,
// then the window hidden (hideWindow), the rounds, the tournament menu, the
// tournament's own copy of the database, the files saved, the counters and
// the devices started. True when the window has been left.
bool FederationParametersOk(FederationParametersView& view, const std::function<void()>& hideWindow);

// The federation tournament's code: yyyymmddhh.
QString FederationTournamentCode();

// What the federation summary window shows.
struct FederationSummary {
  QString code;
  QString movement;
  QString pairs;
  QString tables;
  QString bye;
  QString pairsNote;
};
FederationSummary BuildFederationSummary();
