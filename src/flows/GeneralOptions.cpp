#include "flows/GeneralOptions.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Questions.h"
#include "core/ResultsFolder.h"
#include "core/Settings.h"
#include "core/Texts.h"
#include "core/TournamentFiles.h"
#include "devices/Companions.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "setup/Movements.h"

#include <optional>

namespace {

constexpr int kHighestNumber = 9999;

// A window of two (or three) choices preset on current (1-based); the
// answer is the chosen line, 0 for Esc.
int askChoice(const QString& form, const QString& caption, const QStringList& items, int current) {
  ui::Choice choice;
  choice.form = form;
  choice.caption = caption;
  choice.buttons = items;
  for (int i = 1; i <= items.size(); ++i) choice.codes << i;
  choice.extra.insert(QStringLiteral("current"), current);
  return ui::Ask(choice);
}

// The saved BYE position: direction and number, nothing when the file is
// absent or unreadable.
std::optional<std::pair<int, int>> savedByePosition() {
  const auto line = SettingFirstLine(kByePositionFile);
  if (!line) return std::nullopt;
  const QStringList parts = line->simplified().split(QLatin1Char(' '));
  const int direction = parts.value(0).toInt();
  const int number = parts.value(1).toInt();
  return std::make_pair(direction, number);
}

// The percentage of "Panachage différent": nothing when the director
// cancels (Esc, an empty field or 0, as the window's note says).
std::optional<int> askMixingPercent() {
  const int value = AskPercentage(QStringLiteral("Valeur du panachage (en %):"), kDefaultMixingPercent);
  if (value == 0) return std::nullopt;
  return value;
}

}  // namespace

OptionSummary FillOptionSummary() {
  OptionSummary s;
  s.ventilation = AutoVentilation ? QStringLiteral("Fréquences ventilées automatiques")
                                  : QStringLiteral("Pas de fréquences ventilées");
  s.sheetOrder = QStringLiteral("Affichage par ") + (SheetOrderByRounds ? QStringLiteral("tours") : QStringLiteral("N/S"));
  s.mixing = QStringLiteral("Panachage: %1%").arg(MixingPercent);
  s.formula = BridgeMatesMode ? QStringLiteral("Formule PAIRES (BridgeMates)")
                              : QStringLiteral("Formule: ") + (ImpScoring ? QStringLiteral("BUTLER") : QStringLiteral("PAIRES"));
  s.formulaEnabled = !BridgeMatesMode && !IsPatton && !FederationMode;
  if (RoundsPlayed == 0) {
    s.rounds = QStringLiteral("Impossible à modifier à ce stade...");
    s.roundsEnabled = false;
  } else {
    s.rounds = QStringLiteral("Nombre de tours: %1").arg(RoundsPlayed);
    s.roundsEnabled = !GeneralOptionsMode;
  }
  s.lineSkip = (SheetLineSkip ? QStringLiteral("Saut de ligne") : QStringLiteral("Pas de saut de ligne")) +
               QStringLiteral(" en bas de feuille");
  if (TableDevicesMode) {
    s.entry = QStringLiteral("Marque par contrat (tablettes ou BridgeMates)");
    s.entryEnabled = false;
  } else {
    s.entry =
        SettingExists(kContractsFile) ? QStringLiteral("Marque par contrat") : QStringLiteral("Marque par nombre");
    s.entryEnabled = !FederationMode;
  }
  if (BridgeMatesMode)
    s.timesTen = QStringLiteral("Sans objet (BridgeMates)");
  else
    s.timesTen = SettingExists(kTimesTenFile) ? QStringLiteral("Marque x 10") : QStringLiteral("Marque normale");
  s.timesTenEnabled = !BridgeMatesMode && !FederationMode;
  s.mitchell = SavedMitchellType == 0   ? QStringLiteral("On pose la question")
               : SavedMitchellType == 1 ? QStringLiteral("On saute à la moitié du tournoi")
                                        : QStringLiteral("Il y a une table-relais");
  s.passwordEnabled = TableDevicesMode;
  s.tabletPassword = !TableDevicesMode        ? QStringLiteral("-----")
                     : TabletPassword.isEmpty() ? QStringLiteral("Mot de passe vide...")
                                                : TabletPassword;
  if (!BridgeMatesMode) {
    s.bridgeMates = QStringLiteral("Sans objet...");
  } else {
    s.bridgeMatesEnabled = GeneralOptionsMode;
    s.bridgeMates = GeneralOptionsMode ? QStringLiteral("<- Cliquez pour modifier...")
                                       : QStringLiteral("<- Plus modifiable à ce moment du tournoi...");
  }
  if (const auto bye = savedByePosition())
    s.byePosition = QStringLiteral("En ") + (bye->first == 1 ? QStringLiteral("N/S") : QStringLiteral("E/W")) +
                    (bye->second == kHighestNumber ? QStringLiteral(" au numéro le plus élevé")
                                                   : QStringLiteral(" au numéro %1").arg(bye->second));
  else
    s.byePosition = QStringLiteral("Demandée systématiquement");
  s.dataFolder = DataFolder;
  s.clubMode = ClubMode;
  if (ClubMode) {
    if (const auto line = SettingFirstLine(kMembersLocationFile))
      MembersDatLocation = *line;
    else
      ShowAlert(QStringLiteral("Pas trouvé le fichier des membres du Bralmet; il faut absolument le créer..."));
  }
  s.membersFile = MembersDatLocation;
  return s;
}

void RunGeneralOptions() {
  for (;;) {
    ui::Choice window;
    window.form = forms::GeneralOptions;
    window.caption = QStringLiteral("Options générales");
    const int code = ui::Ask(window);
    if (code == kOptionEnd) return;
    RunOption(code);
  }
}

void RunOption(int code) {
  switch (code) {
    case kOptionVentilation: ChooseVentilation(); break;
    case kOptionSheetOrder: ChooseSheetOrder(); break;
    case kOptionMixing: ChooseMixing(); break;
    case kOptionFormula: ChooseScoringFormula(); break;
    case kOptionRounds: AskRoundsToPlay(true); break;
    case kOptionLineSkip: ChooseLineSkip(); break;
    case kOptionEntry: ToggleEntryByContracts(); break;
    case kOptionPbn:
      ui::Ask({.form = forms::DiagramOptions, .caption = QStringLiteral("Options des diagrammes")});
      break;
    case kOptionResultsFolder: ChooseResultsFolder(); break;
    case kOptionTimesTen: ToggleScoresTimesTen(); break;
    case kOptionTabletPassword:
    case kOptionTabletPasswordToo: ChangeTabletPassword(); break;
    case kOptionByePosition: ChooseByePosition(); break;
    case kOptionBridgeMates:
      ui::Ask({.form = forms::BridgeMatesSettings,
               .caption = QStringLiteral("Paramètres pour BridgeMates"),
               .text = QStringLiteral("Modifiez ces paramètres pour les BridgeMates"),
               .buttons = {QStringLiteral("OK")},
               .codes = {1}});
      break;
    case kOptionMembersFile: ChooseMembersFile(); break;
    default: break;
  }
}

void ChooseVentilation() {
  const int answer = askChoice(forms::SplitFrequenciesOption, QStringLiteral("Fréquences ventilées"),
                               {QStringLiteral("OUI (formule de Neuberg)"), QStringLiteral("NON (comme à la main)")},
                               AutoVentilation ? 1 : 2);
  if (answer == 1) {
    AutoVentilation = true;
    DeleteSetting(kVentilationOffFile);
  } else if (answer == 2) {
    AutoVentilation = false;
    WriteSettingLine(kVentilationOffFile, QStringLiteral("Pas de fréquences ventilées"));
  }
}

void ChooseSheetOrder() {
  const int answer = askChoice(
      forms::DisplayOrderOption, QStringLiteral("Affichage"),
      {QStringLiteral("Par numéros croissants de paires Nord/Sud"), QStringLiteral("Par numéros croissants de tours")},
      SheetOrderByRounds ? 2 : 1);
  if (answer == 1) {
    SheetOrderByRounds = false;
    WriteSettingLine(kSheetsByNsFile, QStringLiteral("Affichage par N/S"));
  } else if (answer == 2) {
    SheetOrderByRounds = true;
    DeleteSetting(kSheetsByNsFile);
  }
}

void ChooseMixing() {
  const int answer = askChoice(forms::MixingOption, QStringLiteral("Panachage"),
                               {QStringLiteral("Panachage standard (10%)"), QStringLiteral("Panachage différent")},
                               MixingPercent == kDefaultMixingPercent ? 1 : 2);
  int percent = kDefaultMixingPercent;
  if (answer == 0) return;
  if (answer == 2) {
    const std::optional<int> typed = askMixingPercent();
    if (!typed) return;
    percent = *typed;
  }
  if (percent == kDefaultMixingPercent)
    DeleteSetting(kMixingFile);
  else
    WriteSettingLine(kMixingFile, QString::number(percent));
  MixingPercent = percent;
  if (GeneralOptionsMode) return;
  Interactive = false;
  ComputeFrequencies();
  {
    const DirectorComputation director;
    ComputeResults();
  }
  SaveTournamentAll();
}

void ChooseScoringFormula() {
  const int answer = askChoice(
      forms::ComputationOption, QStringLiteral("Calcul"),
      {QStringLiteral("Formule \"Paires\" (au TOP unique)"), QStringLiteral("Formule \"Butler\" (en IMP's-VP's)")},
      ImpScoring ? 2 : 1);
  if (answer != 0) ImpScoring = answer == 2;
}

void ChooseLineSkip() {
  const int answer = askChoice(forms::SkipOption, QStringLiteral("Saut"),
                               {QStringLiteral("Saut automatique"), QStringLiteral("Pas de saut")}, SheetLineSkip ? 1 : 2);
  if (answer == 1) {
    SheetLineSkip = true;
    WriteSettingLine(kLineSkipFile, QStringLiteral("X"));
  } else if (answer == 2) {
    SheetLineSkip = false;
    DeleteSetting(kLineSkipFile);
  }
}

void ToggleEntryByContracts() {
  if (FederationMode) {
    EntryByContracts = true;
    ShowAlert(QStringLiteral("Impossible de modifier le type de marque dans un tournoi FFB..."));
    return;
  }
  if (TableDevicesMode) {
    EntryByContracts = true;
    ShowAlert(QStringLiteral("Impossible de modifier le type de marque dans un tournoi avec tablettes ou BridgeMates..."));
    return;
  }
  if (SettingExists(kContractsFile)) {
    DeleteSetting(kContractsFile);
    DeleteSetting(kAskLeadFile);
    EntryByContracts = false;
    // Without contracts there is no lead to ask.
    AskOpeningLead = false;
  } else {
    WriteSettingLine(kContractsFile, QStringLiteral("Contrat"));
    WriteSettingLine(kAskLeadFile, QStringLiteral("Entame demandée"));
    EntryByContracts = true;
    AskOpeningLead = true;
  }
}

void ChooseResultsFolder() {
  ui::Ask({.form = forms::ResultsFolderOption,
           .caption = QStringLiteral("Dossier des résultats"),
           .text = DataFolder,
           .buttons = {QStringLiteral("&OK")},
           .codes = {1}});
}

bool ChangeResultsFolder(const QString& path) {
  if (TrimText(path).isEmpty()) return false;
  for (const QChar c : QStringLiteral("àâéèêëîïùûÿç")) {
    if (!path.contains(c, Qt::CaseInsensitive)) continue;
    ShowAlert(QStringLiteral("Sous Windows 10 ou +, désolé, aucun caractère diacritique (\"") + c +
              QStringLiteral("\") ne peut être utilisé dans le nom d'un dossier!"));
    return false;
  }
  if (platform::fromCp1252(platform::toCp1252(path)) != path) {
    ShowAlert(QStringLiteral("Désolé, le nom du dossier \"") + path +
              QStringLiteral("\" contient un caractère qui ne peut pas être enregistré dans PATH.TXT!"));
    return false;
  }
  const QString previous = DataFolder;
  const QString folder = path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')) ? path : path + QLatin1Char('/');
  if (!LockResultsFolder(folder, QStringLiteral("choisissez un autre dossier."))) return false;
  DataFolder = folder;
  try {
    WritePathFile();
  } catch (...) {
    DataFolder = previous;
    LockResultsFolder(previous, QStringLiteral("le dossier n'est pas changé."));
    throw;
  }
  return true;
}

int MitchellTypeOnShow() {
  const auto line = SettingFirstLine(kMitchellTypeFile);
  if (!line) return 0;
  const QString text = TrimText(*line);
  if (IsInteger(text) && text.toInt() >= 0 && text.toInt() <= 2) return text.toInt();
  ShowAlert(QStringLiteral("Bug! Valeur incorrecte (") + text + QStringLiteral(" dans ") +
            SettingsPath(kMitchellTypeFile) + QStringLiteral("! On suppose qu'on posera la qestion..."));
  DeleteSetting(kMitchellTypeFile);
  SavedMitchellType = 0;
  return -1;
}

void ApplyMitchellType(int type) {
  if (type == 1 || type == 2)
    WriteSettingLine(kMitchellTypeFile, QString::number(type));
  else
    DeleteSetting(kMitchellTypeFile);
  SavedMitchellType = type == 1 || type == 2 ? type : 0;
}

void ChooseMitchellType() {
  const int current = MitchellTypeOnShow();
  if (current < 0) return;
  const int answer = askChoice(forms::EvenMitchellOption, QStringLiteral("Choix pour un mitchell pair"),
                               {QStringLiteral("On pose la question lors du prochain tournoi"),
                                QStringLiteral("On saute à la moitié du tournoi"), QStringLiteral("Il y a une table-relais")},
                               current + 1);
  if (answer != 0) ApplyMitchellType(answer - 1);
}

void ToggleScoresTimesTen() {
  if (SettingExists(kTimesTenFile)) {
    DeleteSetting(kTimesTenFile);
    ScoresTimesTen = false;
  } else {
    WriteSettingLine(kTimesTenFile, QStringLiteral("Marque x 10"));
    ScoresTimesTen = true;
  }
}

QString ByePositionText() {
  const auto bye = savedByePosition();
  if (!bye) return QStringLiteral("Demandé systématiquement");
  return (bye->second == kHighestNumber ? QStringLiteral("Numéro le plus élevé") : QStringLiteral("Numéro %1").arg(bye->second)) +
         (bye->first == 1 ? QStringLiteral(" en N/S") : QStringLiteral(" en E/W"));
}

bool ApplyByePosition(int direction, const QString& number, bool highest) {
  const QString n = TrimText(number);
  if (n.isEmpty() && !highest) {
    ShowAlert(QStringLiteral("Si vous ne cochez pas la case \"Au numéro le plus élevé\", il faut absolument introduire un "
                             "numéro (ou laisser la position du BYE telle qu'elle est avec la touche ESC)"));
    return false;
  }
  if (!n.isEmpty() && !IsInteger(n)) {
    ShowAlert(QStringLiteral("Ce n'est pas un nombre!"));
    return false;
  }
  if (!n.isEmpty() && highest) {
    ShowAlert(QStringLiteral("Vous ne pouvez pas cocher la case \"Au numéro le plus élevé\" et en même temps indiquer un "
                             "nombre!"));
    return false;
  }
  WriteSettingLine(kByePositionFile,
                   QStringLiteral("%1 %2").arg(direction == 1 ? 1 : 2).arg(highest ? kHighestNumber : n.toInt()));
  return true;
}

void ForgetByePosition() { DeleteSetting(kByePositionFile); }

void ChooseByePosition() {
  ui::Choice window;
  window.form = forms::ByePosition;
  window.caption = QStringLiteral("Modification de la position du BYE");
  window.text = ByePositionText();
  ui::Ask(window);
}

void ChooseMembersFile() {
  if (!ClubMode) return;
  if (const auto line = SettingFirstLine(kMembersLocationFile)) {
    MembersDatLocation = *line;
  } else {
    MembersDatLocation = QStringLiteral("?");
    WriteSettingLine(kMembersLocationFile, MembersDatLocation);
  }
  ui::Choice window;
  window.form = forms::MembersFile;
  window.caption = QStringLiteral("Fichier des membres");
  window.text = MembersDatLocation;
  ui::Ask(window);
}

void SetClubMode(bool on) {
  ClubMode = on;
  if (on)
    WriteSettingLine(kClubMarkerFile, QStringLiteral("Ce programme tourne au Bralmet..."));
  else
    DeleteSetting(kClubMarkerFile);
}
