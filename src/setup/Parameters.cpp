#include "setup/Parameters.h"

#include "core/Backups.h"
#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "core/Settings.h"
#include "core/TournamentFiles.h"
#include "platform/TextFiles.h"
#include "setup/PairsEntry.h"

#include <QFile>

namespace {

const QString kNameFile = QStringLiteral("NOMBM.TXT");

// The answer given when the code field was left, acted on by the next OK;
// an erase keeps the backup folder its confirmation named.
struct PendingAnswer {
  QString code;
  int answer = 0;
  QString folder;
} pending;

// The backup folder the last confirmed erase named.
QString confirmedFolder;

void hideParameters() {
  if (flowWindows().hideParametersWindow) flowWindows().hideParametersWindow();
}

// A name Windows keeps for a device ("CON", "NUL", "COM1", "LPT1", ...): a
// file of that base name, whatever its extension, is the device, not a file.
bool isDeviceName(const QString& code) {
  const QString name = code.toUpper();
  if (name == QLatin1String("CON") || name == QLatin1String("PRN") || name == QLatin1String("AUX") ||
      name == QLatin1String("NUL"))
    return true;
  return name.size() == 4 && (name.startsWith(QLatin1String("COM")) || name.startsWith(QLatin1String("LPT"))) &&
         name[3] >= QLatin1Char('0') && name[3] <= QLatin1Char('9');
}

QString deviceNameMessage(const QString& code) {
  return QStringLiteral("Désolé, \"") + code +
         QStringLiteral("\" est un nom réservé par Windows (un périphérique) et ne peut pas servir de code de tournoi!");
}

bool pairsFileExists(const QString& code) { return platform::fileExists(DataFolder + code + QStringLiteral(".PAI")); }

// Copies DataFolder + from + ext to DataFolder + to + ext when it exists;
// the old file stays where it is.
void copyTournamentFile(const QString& from, const QString& to, const QString& ext) {
  const QString source = platform::resolvePath(DataFolder + from + ext);
  if (!QFile::exists(source)) return;
  const QString target = DataFolder + to + ext;
  if (const int code = platform::copyFileAtomically(source, target); code != 0)
    throw platform::IoError(code, target, QStringLiteral("Impossible de copier ") + source + QStringLiteral(" en ") + target);
}

// The pairs entry of the new tournament; with pressOk its OK is pressed at
// once (table devices, names not entered in the program).
void showPairsEntry(bool pressOk) {
  ShowPairsEntry();
  if (pressOk) AutoConfirmPairsEntry();
}

// "Vous rechargez cet ancien tournoi".
void reloadOldTournament() {
  ChoiceResult = 0;
  if (BridgeMatesMode)
    FatalStop(QStringLiteral("Désolé, avec des BridgeMates, cette option n'est pas disponible. Vous devez quitter "
                             "Talvaron et recharger un ancien tournoi dans le premier menu..."));
  DateText = TodayDateText();
  TournamentName = DefaultTournamentName();
  if (!flowSteps().reloadTournament(TournamentCode)) return;
  hideParameters();
  ShowTournamentMenu();
  if (TableDevicesMode) flowSteps().startTabletServer();
}

// "Vous créez un nouveau tournoi avec ces paires": the old tournament's
// pairs and identity files are copied to a new code. True when done.
bool newTournamentWithPairs() {
  ChoiceResult = 0;
  if (BridgeMatesMode) {
    ShowAlert(QStringLiteral("Désolé, avec des BridgeMates, cette option n'est pas disponible..."));
    return false;
  }
  QString newCode = TodayCode();
  ui::TextQuestion question;
  question.form = forms::TextQuestion;
  question.caption = QStringLiteral("Question");
  question.prompt = QStringLiteral("Code du tournoi? (vide=STOP)");
  question.text = newCode;
  const std::optional<QString> answer = ui::interaction().askText(question);
  newCode = answer.value_or(QString()).trimmed();
  if (newCode.isEmpty()) StopCompanionsAndHalt();
  if (const QString refusal = CodeRuleMessage(newCode); !refusal.isEmpty()) {
    ShowAlert(refusal);
    return false;
  }
  const QString oldCode = TournamentCode;
  if (newCode.compare(oldCode, Qt::CaseInsensitive) == 0) {
    ShowAlert(QStringLiteral("Désolé, le nouveau code doit être différent de l'ancien (") + oldCode +
              QStringLiteral(")! Recommencez..."));
    return false;
  }
  const bool replacing = pairsFileExists(newCode);
  if (replacing && ui::AskYesNoDefaultNo(QStringLiteral("Le tournoi ") + newCode +
                                         QStringLiteral(" existe aussi! Voulez-vous vraiment l'effacer et le remplacer?")) != 6) {
    ChoiceResult = 0;
    return false;
  }
  // The old tournament keeps every file: often it is the first session of
  // an event, to be cumulated with the one started here.
  ReadPairsFile(oldCode);
  // The tournament replaced goes to the backups, as an erased one does.
  if (replacing)
    SetAsideTournamentFiles(newCode);
  else
    DeleteTournamentFiles(newCode);
  copyTournamentFile(oldCode, newCode, QStringLiteral(".DAT"));
  copyTournamentFile(oldCode, newCode, QStringLiteral(".PAI"));
  TournamentCode = newCode;
  TournamentName = QStringLiteral("Tournoi ") + newCode;
  hideParameters();
  try {
    showPairsEntry(false);
  } catch (...) {
    ShowStartScreen();
    throw;
  }
  ChoiceResult = 6;
  return true;
}

}  // namespace

// An ASCII letter or digit. Upper-casing first would let in letters that
// only become ASCII in capitals ("ı" gives "I", "ſ" gives "S"), and the
// files would be named otherwise than the code.
bool IsCodeCharacter(QChar c) {
  return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
         (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

QString TodayCode() { return DateYear + DateMonth + DateDay; }
QString TodayDateText() { return DateDay + QLatin1Char('/') + DateMonth + QLatin1Char('/') + DateYear; }
QString DefaultTournamentName() {
  return QStringLiteral("Tournoi du ") + TournamentTitle + QLatin1Char(' ') + TodayDateText();
}

QString CodeRuleMessage(const QString& code) {
  if (code.isEmpty()) return QStringLiteral("Le code du tournoi ne peut être vide! Recommencez...");
  for (const QChar c : code)
    if (!IsCodeCharacter(c)) return QStringLiteral("Désolé, uniquement des caractères alphanumériques: aA...zZ 1...0");
  if (isDeviceName(code)) return deviceNameMessage(code) + QStringLiteral(" Recommencez...");
  if (TableDevicesMode && BridgeMatesMode && code != TodayCode())
    return QStringLiteral("Désolé, avec les BridgeMates, le code est obligatoirement YYYYMMDD!");
  return {};
}

void ParametersCreate(ParametersView& view) {
  pending = {};
  view.date = TodayDateText();
  view.name = DefaultTournamentName();
  view.code = TodayCode();
  view.radioItem = 0;
}

void ParametersRadioClick(ParametersView& view, int item) {
  view.radioItem = item;
  view.code = item == 0 ? TodayCode() : QStringLiteral("TEST");
}

int TournamentExists(const QString& code) {
  TournamentCode = code;
  if (FederationMode || !pairsFileExists(code)) return 1;
  return AskAboutExistingTournament(code);
}

int AskAboutExistingTournament(const QString& code) {
  ui::interaction().beep();
  ui::Choice question;
  question.form = forms::ExistingTournament;
  question.caption = QStringLiteral("Message");
  question.text = QStringLiteral("Le tournoi ") + code + QStringLiteral(" existe!");
  question.buttons = {QStringLiteral("Vous &gardez le nom et effacez l'ancien"),
                      QStringLiteral("Vous &introduisez un autre code"),
                      QStringLiteral("Vous &rechargez cet ancien tournoi"),
                      QStringLiteral("Vous créez un &nouveau tournoi avec ces paires"),
                      QStringLiteral("Vous revenez au &menu précédent")};
  question.codes = {kEraseOld, kOtherCode, kReloadOld, kNewWithPairs, kBackToParameters};
  question.cancelCode = 0;
  const int answer = ui::Ask(question);
  if (answer == 0) flowSteps().quitProgram();
  // The default button erases: one Enter too many must not lose a finished
  // tournament, so the erase is confirmed, no being the default.
  if (answer == kEraseOld && !ConfirmErasingTournament(code)) return kBackToParameters;
  return answer;
}

bool ConfirmErasingTournament(const QString& code) {
  const SavedTournamentSummary saved = SummariseSavedTournament(code);
  const QString folder = SetAsideFolder(code);
  const QString question =
      QStringLiteral("Voulez-vous vraiment effacer le tournoi ") + code + QStringLiteral(" (") +
      ResultsCountText(saved.results) + QStringLiteral(")? Ses fichiers seront déplacés dans le dossier des sauvegardes ") +
      folder + QStringLiteral(". (O = Oui, effacer ; ENTER = Non)");
  const bool yes = ui::AskYesNoDefaultNo(question) == 6;
  confirmedFolder = yes ? folder : QString();
  return yes;
}

QString ConfirmedEraseFolder() { return confirmedFolder; }

void WriteBridgeMatesNameFile() {
  TextFile file;
  SafeRewrite(file, SettingsPath(kNameFile));
  file.writeLine(TournamentCode);
  file.writeLine(DateText);
  file.writeLine(TournamentName);
  CloseTextFile(file);
}

void ParametersCodeLeft(ParametersView& view) {
  const QString code = view.code;
  if (!CodeRuleMessage(code).isEmpty()) return;
  const int answer = TournamentExists(code);
  pending = {};
  if (answer == kEraseOld || answer == kNewWithPairs)
    pending = {code, answer, answer == kEraseOld ? confirmedFolder : QString()};
  else if (answer == kReloadOld)
    reloadOldTournament();
}

bool ParametersOk(ParametersView& view) {
  if (view.date.contains(QLatin1Char(':'))) {
    ShowAlert(QStringLiteral("Désolé, le caractère \":\" est interdit dans la date (il sépare la date du nom du "
                             "tournoi dans les fichiers). Recommencez..."));
    return false;
  }
  DateText = view.date.isEmpty() ? QStringLiteral("Aujourd'hui") : view.date;
  TournamentName = view.name.isEmpty() ? QStringLiteral("Tournoi standard") : view.name;
  const QString code = view.code;
  if (const QString refusal = CodeRuleMessage(code); !refusal.isEmpty()) {
    ShowAlert(refusal);
    if (TableDevicesMode && BridgeMatesMode && !code.isEmpty() && refusal.contains(QStringLiteral("YYYYMMDD")))
      ParametersRadioClick(view, 0);
    return false;
  }
  TournamentCode = code;
  DeleteSetting(kNameFile);
  if (BridgeMatesMode) WriteBridgeMatesNameFile();
  IsPatton = false;

  int answer = 0;
  QString eraseFolder;
  if (pending.answer != 0 && pending.code == code && pairsFileExists(code)) {
    answer = pending.answer;
    eraseFolder = pending.folder;
  } else {
    answer = TournamentExists(code);
    if (answer == kEraseOld) eraseFolder = confirmedFolder;
  }
  pending = {};
  TournamentCode = code;
  switch (answer) {
    case 1:
      break;  // a new code, or the old tournament erased below
    case kReloadOld:
      reloadOldTournament();
      return false;
    case kNewWithPairs:
      return newTournamentWithPairs();
    default:
      ChoiceResult = answer == kOtherCode ? kOtherCode : 0;
      return false;
  }
  const bool erase = pairsFileExists(code) && !FederationMode;
  hideParameters();
  try {
    if (erase) SetAsideTournamentFiles(code, eraseFolder);
    SaveDatFile();
    if (FederationMode) {
      WritePairNameFiles();
      ShowTournamentMenu();
      ResetCounters();
      SavePairsFile();
      SaveResults();
    } else {
      showPairsEntry(TableDevicesMode && !PairsEntered);
    }
  } catch (...) {
    // Never left without a window: the start screen comes back first.
    ShowStartScreen();
    throw;
  }
  return true;
}

void ParametersBack() {
  // An answer given on this visit is not the next visit's.
  pending = {};
  hideParameters();
  ShowStartScreen();
}

bool ShortParametersOk(const QString& date, const QString& name, const QString& code) {
  const QString previousCode = TournamentCode;
  DateText = date.isEmpty() ? QStringLiteral("Aujourd'hui") : date;
  TournamentName = name.isEmpty() ? QStringLiteral("Tournoi standard") : name;
  QString newCode = code;
  if (newCode.isEmpty()) {
    newCode = TodayDateText();
    ShowAlert(QStringLiteral("Le code du tournoi ne peut être vide! On prend ") + newCode);
  }
  for (QChar& c : newCode) {
    if (IsCodeCharacter(c)) continue;
    c = QLatin1Char('X');
    ShowAlert(QStringLiteral("Désolé, uniquement des caractères alphanumériques: aA...zZ 1...0. On remplace les "
                             "autres par X..."));
  }
  if (isDeviceName(newCode)) {
    ShowAlert(deviceNameMessage(newCode) + QStringLiteral(" On ajoute un X..."));
    newCode += QLatin1Char('X');
  }
  // As for an erase, one Enter too many must not replace another tournament:
  // no is the default, and the tournament replaced goes to the backups.
  if (newCode.compare(previousCode, Qt::CaseInsensitive) != 0 && pairsFileExists(newCode)) {
    if (ui::AskYesNoDefaultNo(QStringLiteral("Le tournoi ") + newCode +
                              QStringLiteral(" existe déjà! Voulez-vous vraiment le remplacer?")) != 6)
      return false;
    SetAsideTournamentFiles(newCode);
  }
  TournamentCode = newCode;
  return true;
}

std::optional<QString> AskShortParameters() {
  ui::TextQuestion question;
  question.form = forms::ReloadedTournamentParameters;
  question.caption = QStringLiteral("Paramètres du tournoi");
  question.prompt = QStringLiteral("Tapez la date à laquelle vous allez le jouer");
  question.text = TodayDateText();
  return ui::interaction().askText(question);
}
