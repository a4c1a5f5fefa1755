#pragma once
// The parameters of a new tournament: its date text, name and code, the rule
// of the code, the question asked when a tournament of that code exists, the
// short parameters asked after a reloaded pairs file, and "NOMBM.TXT".
#include <QString>

#include <optional>

// What the parameters window shows and the director typed.
struct ParametersView {
  QString date;
  QString name;
  QString code;
  int radioItem = 0;  // 0 "Date inverse", 1 "TEST"
};

// The answers of the question window asked when the tournament exists.
enum ExistingTournamentAnswer {
  kEraseOld = 1,        // keep the code and erase the old tournament
  kOtherCode = 3,       // type another code
  kReloadOld = 4,       // reload the old tournament
  kBackToParameters = 5,
  kNewWithPairs = 6,    // a new tournament with the old one's pairs
};

// yyyymmdd of today (from DateYear, DateMonth, DateDay).
// A character a tournament code may hold: an ASCII letter or digit.
bool IsCodeCharacter(QChar c);
QString TodayCode();
// dd/mm/yyyy of today.
QString TodayDateText();
// "Tournoi du " + weekday + " " + dd/mm/yyyy.
QString DefaultTournamentName();

// The refusal of a code, or "" when it is valid: not empty, letters a-z A-Z
// and digits only, not a name Windows keeps for a device ("CON", "COM1");
// with BridgeMates at the tables, yyyymmdd of today.
QString CodeRuleMessage(const QString& code);

// The window's defaults: today's date, the default name, the code yyyymmdd,
// "Date inverse".
void ParametersCreate(ParametersView& view);
// "Date inverse" puts yyyymmdd of today in the code, "TEST" puts "TEST".
void ParametersRadioClick(ParametersView& view, int item);
// Leaving the code field: a valid code of an existing tournament raises the
// question at once. Nothing is erased or moved from here: an answer that
// would erase is kept and acted on by the next OK with the same code.
void ParametersCodeLeft(ParametersView& view);
// The OK: date, name and code taken and checked (a refusal shows its
// message and leaves the window open), "NOMBM.TXT", the question when the
// tournament exists, then ".DAT" and the pairs entry (the tournament menu
// in a federation tournament). True when the window is left for the next
// step.
bool ParametersOk(ParametersView& view);
// The return to the start screen.
void ParametersBack();

// The question when DataFolder + code + ".PAI" exists (outside a federation
// tournament): its answer, 1 when the tournament does not exist. The
// question's quit button and Esc run the quit routine (answer 0).
int TournamentExists(const QString& code);
// The question itself (beep, then forms::ExistingTournament headed "Le tournoi " + code +
// " existe!"): its answer; the quit button and Esc run the quit routine (0).
// Erasing is confirmed first (ConfirmErasingTournament); declined, the
// answer is kBackToParameters.
int AskAboutExistingTournament(const QString& code);
// Asks, no being the default, whether the tournament of code (named with the
// results it holds) is to be erased, its files going to the backups (the
// question names the very folder, SetAsideFolder). True for yes.
bool ConfirmErasingTournament(const QString& code);
// The backup folder the last erase confirmed with yes named ("" after a no):
// where SetAsideTournamentFiles is to put that tournament's files.
QString ConfirmedEraseFolder();

// Writes ProgramFolder + "NOMBM.TXT": the code, the date text and the name.
void WriteBridgeMatesNameFile();

// The short parameters after a reloaded pairs file: the date, the name and
// the code typed (an empty code becomes today's date, every character
// outside the code rule becomes "X", each change with its message). A code
// of another tournament that exists is taken only when the director agrees.
// True when the window may close.
bool ShortParametersOk(const QString& date, const QString& name, const QString& code);

// The short parameters window forms::ReloadedTournamentParameters shown and waited for: its OK takes
// the name and the code (ShortParametersOk) and the date typed comes back
// for the caller to check; nothing when no window answered.
std::optional<QString> AskShortParameters();
