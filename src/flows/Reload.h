#pragma once
// The reload of a saved tournament from its file set in DataFolder: the
// choice among the saved tournaments, the repair of file names the program
// cannot use, and the way back to the pairs entry for a tournament that was
// never started.
#include <QString>
#include <QStringList>


// Brings the tournament of code (chosen by the director when code is empty
// or in federation mode) back into memory. True when the whole tournament is
// loaded and the caller may go on. False when the director cancelled, when
// the tournament went back to the pairs entry or to its cumulation, or on a
// refusal (with its message); the start screen is then shown again unless
// another window took over. Bad files make the fatal stop of their readers.
bool ReloadTournament(const QString& code);

// Shows "Erreur dans la date "<text>". On garde dd/mm/yyyy." (the date kept).
void CheckDateText(const QString& text);
// Takes a date typed as "dd/mm/yyyy" as the tournament's date (date texts,
// short date, weekday title); false, after CheckDateText, when it is not a
// real date of years 1..3000.
bool TakeTypedDate(const QString& text);

// The code of a ".PAI" file name with every character that is not a letter
// A-Z (either case) or a digit replaced by "X".
QString RepairedTournamentCode(const QString& pairsFileName);
// Renames every file of DataFolder whose name starts with oldCode + "." so that
// it starts with newCode. Refused, with a message and nothing renamed, when a
// file of newCode already exists. True when renamed.
bool RenameTournamentFiles(const QString& oldCode, const QString& newCode);
// The chooser's lines for these codes, newest first: "CODE du <title> <date>"
// from each code's ".DAT", then SavedTournamentNote, which tells apart two
// tournaments of one day.
QStringList TournamentChooserLines(QStringList codes);
// "   (12 résultats, modifié le dd/MM/yyyy à hh:mm)": the results the saved
// tournament holds and when its files last changed, read without loading it.
QString SavedTournamentNote(const QString& code);
