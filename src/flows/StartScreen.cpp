#include "flows/StartScreen.h"

#include "core/CompanionPrograms.h"
#include "core/Counts.h"
#include "core/ErrorReports.h"
#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/TournamentFiles.h"
#include "devices/BridgeMatesControl.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/BridgeMatesImport.h"
#include "devices/Companions.h"
#include "devices/DevicePolling.h"
#include "devices/FederationImport.h"
#include "devices/FederationSetup.h"
#include "devices/TableStates.h"
#include "devices/TabletLines.h"
#include "devices/TabletFiles.h"
#include "devices/TablesServer.h"
#include "flows/GeneralOptions.h"
#include "flows/Reload.h"
#include "flows/TournamentMenu.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "setup/ClubMembers.h"
#include "setup/Players.h"

#include <QFileInfo>

#include <cerrno>

namespace {

const QString kNewTournament = QStringLiteral("Débuter un nouveau tournoi");
const QString kResume = QStringLiteral("Reprendre un ancien tournoi");
const QString kFederation = QStringLiteral("Jouer un tournoi FFBClubNet");

// A piece of work provided by a later part of the program: when it is not
// there the function says so, the start screen comes back and the caller stops.
template <typename F>
bool available(const F& work, const QString& function) {
  if (work) return true;
  ShowAlert(QStringLiteral("Désolé, la fonction \"") + function +
            QStringLiteral("\" n'est pas encore disponible dans cette version du programme."));
  ShowStartScreen();
  return false;
}

// The "Tournoi" group shows the mode in force, never another one.
void showTournamentKind(StartScreenView& view) { view.radioGroup1Item = FederationMode ? 1 : 0; }

void noDeviceState(StartScreenView& view) {
  TableDevicesMode = false;
  view.bridgeBoxChecked = false;
  view.checkBox2Checked = false;
  view.checkBox3Checked = false;
  view.radioGroup1Enabled = false;
  view.radioGroup2Enabled = false;
  showTournamentKind(view);
  view.radioGroup2Item = 0;
  view.memo1Enabled = false;
  DeleteSetting(QStringLiteral("INTRO.TXT"));
  DeleteSetting(QStringLiteral("ETUIS.TXT"));
}

void showTournamentButtons(StartScreenView& view) {
  view.federationButtonVisible = FederationMode;
  view.newButtonVisible = !FederationMode;
}

// Steps shared by the new and the resumed tournament before the start
// screen is hidden: the registry value saved, the programs located.
void locatePrograms() {
  if (ClubMode) SaveOverrideDBSettings();
  if (BridgeMatesMode)
    LocateExternalProgram(QStringLiteral("BMPro.TXT"), QStringLiteral("BMPro.EXE"),
                          QStringLiteral("Recherche du programme BMPro.EXE. Une seule fois..."));
  if (ClubMode)
    LocateExternalProgram(QStringLiteral("Tallyvane.TXT"), QStringLiteral("Tallyvane.EXE"),
                          QStringLiteral("Recherche du programme Tallyvane.EXE. Une seule fois..."));
}

bool tournamentFilesExist(const QString& code) {
  for (const char* ext : kTournamentExtensions)
    if (platform::fileExists(DataFolder + code + QLatin1String(ext))) return true;
  return BridgeMatesMode && platform::fileExists(DataFolder + code + QStringLiteral(".BWS"));
}



}  // namespace

QString StartScreenStatus(const StartScreenView& view) {
  const QString results = QStringLiteral("\nRésultats : ") + DataFolder;
  QString text;
  if (view.programFolderMade)
    text = QStringLiteral("Premier démarrage : dossier du programme créé, ") + ProgramFolder +
           QStringLiteral("\nFichier de joueurs à compléter (vide) : ") + ProgramFolder + PlayersFileName + results;
  else
    text = QStringLiteral("Dossier du programme : ") + ProgramFolder + results;
  const platform::ShippedFilesUpdate& update = view.shippedFiles;
  if (!update.added.isEmpty() || !update.replaced.isEmpty() || !update.kept.isEmpty() || !update.newer.isEmpty()) {
    auto count = [](qsizetype n, const QString& what) {
      return QString::number(n) + u' ' + what + (n > 1 ? QStringLiteral("s") : QString());
    };
    const QString elsewhere = QStringLiteral(" (ceux de la version ") + update.version + QStringLiteral(" sont dans ") +
                              view.shippedFolder + u')';
    text += QStringLiteral("\nFichiers livrés mis à jour (version ") + update.version + QStringLiteral(") : ") +
            count(update.added.size(), QStringLiteral("ajouté")) + QStringLiteral(", ") +
            count(update.replaced.size(), QStringLiteral("remplacé"));
    if (!update.kept.isEmpty())
      text += QStringLiteral("\nGardés tels que vous les avez modifiés : ") + update.kept.join(QStringLiteral(", ")) +
              elsewhere;
    if (!update.newer.isEmpty())
      text += QStringLiteral("\nGardés tels que livrés par la version plus récente ") + update.newerVersion +
              QStringLiteral(" : ") + update.newer.join(QStringLiteral(", ")) + elsewhere;
  }
  if (!update.refused.isEmpty())
    text += QStringLiteral("\nFichiers livrés de la version ") + update.version +
            QStringLiteral(" non mis à jour, écriture refusée dans ") + ProgramFolder + QStringLiteral(" : ") +
            update.refused.join(QStringLiteral(", "));
  if (update.unreadableList)
    text += QStringLiteral("\nFichiers livrés non mis à jour : leur liste ") + view.shippedFolder +
            platform::kShippedListName + QStringLiteral(" est illisible");
  return text + QStringLiteral("\nTalvaron ") + PackageVersion();
}

void StartScreenCreate(StartScreenView& view) {
  // Each step runs even when an earlier one failed (a settings file that
  // cannot be written in a read-only program folder): the screen never comes
  // up half set up, and the players-file check always has its say.
  RunReported([&] {
    const platform::ProgramFolderStart start = MakeProgramFolder();
    view.programFolderMade = start.made;
    view.shippedFiles = start.update;
    // Named only beside the files kept, or with a list that cannot be read.
    if (!start.update.kept.isEmpty() || !start.update.newer.isEmpty() || start.update.unreadableList)
      view.shippedFolder = platform::shippedFilesFolder();
  });
  RunReported(InitGlobals);
  view.clubLabelVisible = ClubMode;
  RunReported(LoadStartupOptions);
  TableDevicesMode = SettingExists(QStringLiteral("QUILLMARKE.TXT"));
  if (!TableDevicesMode) RunReported([&] { noDeviceState(view); });
  CheckPlayerFile();
  view.bridgeBoxChecked = TableDevicesMode;
  view.radioGroup1Enabled = TableDevicesMode;
  view.checkBox2Enabled = TableDevicesMode;
  view.checkBox3Enabled = TableDevicesMode;
  FederationMode = SettingExists(QStringLiteral("FFB.TXT"));
  showTournamentKind(view);
  if (FederationMode) {
    view.checkBox2Enabled = false;
    view.checkBox3Enabled = false;
    view.memo1Visible = true;
  } else {
    view.memo1Visible = false;
  }
  showTournamentButtons(view);
  if (TableDevicesMode) {
    EnterDealsAtTable = SettingExists(QStringLiteral("ETUIS.TXT"));
    view.checkBox2Checked = EnterDealsAtTable;
    view.checkBox3Checked = SettingExists(QStringLiteral("INTRO.TXT"));
    PairsEntered = !view.checkBox3Checked;
  }
}

void StartScreenShow(StartScreenView& view) {
  view.clubPlayersMenuVisible = ClubMode;
  RunReported(ReadPbnOptions);
  HideTableStatusStrip();
  if (TableDevicesMode) {
    bool bridgeMates = false;
    RunReported([&] { bridgeMates = ReadDeviceKind(); });
    view.radioGroup2Item = bridgeMates ? 1 : 0;
    if (bridgeMates) RunReported(ReadBMParams);
    view.radioGroup1Enabled = true;
    view.radioGroup2Enabled = true;
    EntryByContracts = true;
  } else {
    TabletsMode = false;
    BridgeMatesMode = false;
    view.radioGroup2Enabled = false;
    EntryByContracts = SettingExists(kContractsFile);
  }
  if (ClubMode) {
    // No federation tournament in club mode: the mode goes with its marker.
    if (FederationMode) {
      FederationMode = false;
      DeleteSetting(QStringLiteral("FFB.TXT"));
      view.memo1Visible = false;
      view.checkBox2Enabled = view.checkBox3Enabled = TableDevicesMode;
      showTournamentButtons(view);
    }
    showTournamentKind(view);
    view.radioGroup1FfbEnabled = false;
  }
}

namespace {

// What follows the device box: with devices the marker names their kind and
// the device choices are offered with their current values; without, the
// marker goes and so do the choices.
void ApplyDeviceBox(StartScreenView& view, const QString& kind) {
  const bool on = view.bridgeBoxChecked;
  if (on) {
    WriteDeviceKind(kind);
    // The two choices show what their files hold, as at the start: what
    // the director sees is what a restart would find.
    EnterDealsAtTable = SettingExists(QStringLiteral("ETUIS.TXT"));
    view.checkBox2Checked = EnterDealsAtTable;
    view.checkBox3Checked = SettingExists(QStringLiteral("INTRO.TXT"));
    PairsEntered = !view.checkBox3Checked;
  } else {
    DeleteSetting(QStringLiteral("QUILLMARKE.TXT"));
    showTournamentKind(view);
  }
  view.checkBox2Enabled = on;
  view.checkBox3Enabled = on;
  view.radioGroup1Enabled = on;
}

}  // namespace

void BridgeBoxClick(StartScreenView& view, bool checked) {
  view.bridgeBoxChecked = checked;
  TableDevicesMode = checked;
  // The device kind follows the box and the kind chosen, so that no device
  // flag outlives the box.
  TabletsMode = checked && view.radioGroup2Item == 0;
  BridgeMatesMode = checked && view.radioGroup2Item == 1;
  if (checked) {
    EntryByContracts = true;
    showTournamentKind(view);
  }
  ApplyDeviceBox(view, view.radioGroup2Item == 0 ? kTabletsKind : kBridgeMatesKind);
  view.radioGroup2Enabled = checked;
}

void CheckBox2Click(StartScreenView& view, bool checked) {
  view.checkBox2Checked = checked;
  EnterDealsAtTable = checked;
  if (checked)
    CreateEmptySetting(QStringLiteral("ETUIS.TXT"));
  else
    DeleteSetting(QStringLiteral("ETUIS.TXT"));
}

void CheckBox3Click(StartScreenView& view, bool checked) {
  view.checkBox3Checked = checked;
  if (checked)
    WriteSettingLine(QStringLiteral("INTRO.TXT"), QStringLiteral("Joueurs à introduire sur les tablettes"));
  else
    DeleteSetting(QStringLiteral("INTRO.TXT"));
  PairsEntered = !checked;
}

void RadioGroup1Click(StartScreenView& view, int item) {
  view.radioGroup1Item = item;
  if (item == 0) {
    FederationMode = false;
    DeleteSetting(QStringLiteral("FFB.TXT"));
  } else {
    FederationMode = true;
    CreateEmptySetting(QStringLiteral("FFB.TXT"));
    view.federationButtonCaption = QStringLiteral("Jouer un tournoi FFBClubNet");
  }
  view.checkBox3Enabled = !FederationMode;
  view.checkBox2Enabled = true;
  view.memo1Visible = FederationMode;
  showTournamentButtons(view);
}

void RadioGroup2Click(StartScreenView& view, int item) {
  view.radioGroup2Item = item;
  QString kind;
  if (item == 0) {
    BridgeMatesMode = false;
    TabletsMode = true;
    kind = kTabletsKind;
  } else {
    QString missing;
    if (!SettingExists(QStringLiteral("BRIDGEMATE.BWS")))
      missing = QStringLiteral("BRIDGEMATE.BWS");
    else if (!SettingExists(QStringLiteral("TABLOSSE.EXE")))
      missing = QStringLiteral("TABLOSSE.EXE");
    if (!missing.isEmpty()) {
      ShowAlert(QStringLiteral("Désolé, pas d'utilisation des BridgeMates possible: ") + missing +
                QStringLiteral(" n'a pas été trouvé dans ce dossier!"));
      TableDevicesMode = TabletsMode = BridgeMatesMode = false;
      view.bridgeBoxChecked = false;
      view.radioGroup2Item = 0;
      view.radioGroup1Enabled = false;
      view.radioGroup2Enabled = false;
      view.checkBox2Enabled = false;
      view.checkBox3Enabled = false;
      DeleteSetting(QStringLiteral("QUILLMARKE.TXT"));
      return;
    }
    BridgeMatesMode = true;
    TabletsMode = false;
    kind = kBridgeMatesKind;
    ReadBMParams();
  }
  TableDevicesMode = view.bridgeBoxChecked;
  ApplyDeviceBox(view, kind);
  showTournamentButtons(view);
}

void NewTournamentClick() {
  ResumeChosen = 0;
  ResumingTournament = false;
  LoadPlayers();
  StartNewTournament();
}

void StartNewTournament() {
  locatePrograms();
  ResumingTournament = false;
  FlowWindows& s = flowWindows();
  if (!available(s.showParametersWindow, kNewTournament)) return;
  if (TableDevicesMode && !LockExchangeFolder()) return;
  HideStartScreen();
  s.showParametersWindow();
}

void ResumeTournamentClick() {
  ResumeChosen = 1;
  ResumingTournament = true;
  LoadPlayers();
  if (FederationMode) {
    ShowAlert(QStringLiteral(
        "Attention, en mode \"FFB\", vous allez devoir montrer, à la fois le fichier de récupération de Talvaron et le "
        "BWS du mouvement créé par FFBClubNet. Aucune vérification n'est faite sur la cohérence interne des deux "
        "fichiers!"));
    ImportFederationSession();
  }
  ResumeTournament();
}

namespace {

// The recomputation of a resumed tournament, silent and as the collection
// computes it, with the result files of the devices.
void RecomputeResumedTournament() {
  RefreshFrequenciesForDevices();
  RefreshResultsForDevices();
}

void ResumeAfterHidingTheStartScreen();

}  // namespace

void ResumeTournament() {
  locatePrograms();
  HideStartScreen();
  // An error on the way brings the start screen back before it is shown, so
  // that the director is never left without a window.
  try {
    ResumeAfterHidingTheStartScreen();
  } catch (const FatalStopError&) {
    throw;
  } catch (...) {
    ShowStartScreen();
    throw;
  }
}

namespace {

// The programs that serve this evening's devices, as the director knows
// them: the BridgeMates' control program, the Windows tablet server where it
// is in the program folder, and the tables' server for every evening with
// tablets.
QStringList eveningServers() {
  QStringList names;
  if (BridgeMatesMode) names << QFileInfo(kBridgeMatesControlName).completeBaseName();
  if (TabletsMode || TabletsInUse) {
    if (WindowsTabletServerPresent()) names << QFileInfo(kTabletServerName).completeBaseName();
    names << kTablesServerName;
  }
  return names;
}

// The unfinished tournament of today: the director agrees that the servers
// that no longer run be started again (TForm108), or goes back.
bool restartAgreed() {
  QString crashed = QStringLiteral("du PC, du programme");
  const QStringList servers = eveningServers();
  for (qsizetype i = 0; i < servers.size(); ++i)
    crashed += (i + 1 == servers.size() ? QStringLiteral(" ou de \"") : QStringLiteral(", de \"")) + servers[i] + u'"';
  ui::Choice warning;
  warning.form = forms::UnfinishedTournamentWarning;
  warning.caption = QStringLiteral("Avertissement");
  warning.text = QStringLiteral("Vous rechargez un tournoi joué aujourd'hui et qui n'est pas terminé.\r\n"
                                "Ce n'est normal qu'après un plantage ") +
                 crashed +
                 QStringLiteral(".\r\n"
                                "Les serveurs qui ne tournent plus vont être relancés.");
  warning.buttons = {QStringLiteral("Je suis d'accord"), QStringLiteral("Retour au menu")};
  warning.codes = {1, 2};
  warning.cancelCode = 2;
  return ui::Ask(warning) != 2;
}

}  // namespace

void RestartDeviceCollection(bool restartServers) {
  SetTabletFolders();
  if (BridgeMatesMode) {
    BwsFileName = DataFolder + TournamentCode + QStringLiteral(".BWS");
    if (!platform::fileExists(BwsFileName)) {
      // Finished: no question, the devices stay as they are; there is just no database to poll.
      if (!restartServers) return;
      ShowAlert(QStringLiteral("Pas trouvé le fichier ") + BwsFileName +
                QStringLiteral(". Impossible de relancer les BridgeMates avec BMPro. Dites-le à Teo VARNAL..."));
      TableDevicesMode = TabletsMode = BridgeMatesMode = false;
      return;
    }
  }
  if (BridgeMatesMode) {
    if (restartServers && !platform::processes().isRunning(QStringLiteral("BMPro.EXE"))) StartBridgeMatesControl();
    StartBridgeMatesRetrieval();
    // The tablets added to the evening reach their pages again.
    if (TabletsInUse) StartTablesServer();
  }
  if (TabletsMode) {
    if (restartServers && WindowsTabletServerPresent() && !platform::processes().isRunning(kTabletServerName))
      StartTabletServer();
    StartTabletRetrieval();
    if (restartServers)
      StartTabletCompanion();
    else
      StartTablesServer();  // a finished evening too: the tables may still send a correction
  }
}

namespace {

void ResumeAfterHidingTheStartScreen() {
  if (!ReloadTournament(QString())) return;
  if (FederationMode)
    ShowAlert(QStringLiteral(
        "Attention! Il faut absolument que le tournoi que vous rechargez soit le dernier que vous avez joué ou que "
        "c'était du à un plantage général. Sinon, son comportement peut être imprévisible, y compris des erreurs "
        "fatales!"));
  CountResumedTournament();

  const bool collects = TournamentDatedToday && TableDevicesMode;
  if (collects) {
    if (!LockExchangeFolder()) {
      ShowStartScreen();
      return;
    }
    const bool unfinished = ResultsEntered != ResultSlotCount;
    if (unfinished && !restartAgreed()) {
      ShowStartScreen();
      return;
    }
    RestartDeviceCollection(unfinished);
  }
  // The result files of the devices go to the exchange folder, also for a
  // tournament of another day.
  if (TableDevicesMode) SetTabletFolders();
  RecomputeResumedTournament();
  // The tables and the BridgeMates' control program are sent every stored
  // result again (once recomputed: the splits of ".ADJ" stand), so that what
  // they show is what is stored.
  if (collects && TableDevicesMode) {
    ResendTableEchoes();
    // A database that cannot be read now is said, and the resume goes on.
    if (BridgeMatesMode) RunReported(ResendBridgeMatesCorrections);
  }
  if (!TournamentDatedToday) ResultsEntered = ResultSlotCount;
  // The tournament menu: until it is there the start screen comes back.
  ShowTournamentMenu();
  ResumedMenuSettings();
  // The BridgeMates' strip beside the menu, as after a start; the tables
  // already complete are shown so.
  if (collects && TableDevicesMode && BridgeMatesMode) {
    ShowTableStatusStrip();
    for (int t = 1; t <= TableCount; ++t)
      if (IsTableComplete(t)) SetTableState(t, TableFinished);
  }
}

}  // namespace

void FederationTournamentClick() {
  EntryByContracts = true;
  FlowWindows& s = flowWindows();
  if (!available(s.showFederationSummary, kFederation)) return;
  if (TableDevicesMode && !LockExchangeFolder()) return;
  LoadPlayers();
  HideStartScreen();
  // A database that cannot be read brings the start screen back before the
  // error is shown.
  try {
    ImportFederationSession();
  } catch (const FatalStopError&) {
    throw;
  } catch (...) {
    ShowStartScreen();
    throw;
  }
  if (BridgeMatesMode)
    LocateExternalProgram(QStringLiteral("BMPro.TXT"), QStringLiteral("BMPro.EXE"),
                          QStringLiteral("Recherche du programme BMPro.EXE. Une seule fois..."));
  const QString previousCode = TournamentCode;
  TournamentCode = FederationTournamentCode();
  if (tournamentFilesExist(TournamentCode)) {
    const int answer = ui::AskYesNo(QStringLiteral("Il existe déjà des fichiers du tournoi ") + TournamentCode +
                                    QStringLiteral(" dans le dossier ") + DataFolder +
                                    QStringLiteral(". Voulez-vous vraiment les effacer?"));
    if (answer == 7) {
      // Kept: the quit must not save over them either.
      TournamentCode = previousCode;
      ShowStartScreen();
      return;
    }
  }
  DeleteCurrentTournamentFiles();
  s.showFederationSummary();
}

void AboutClick() { ShowAboutMessage(); }

void OptionsClick() {
  GeneralOptionsMode = true;
  RunGeneralOptions();
}

void ClubPlayersClick() { ShowClubPlayers(); }
