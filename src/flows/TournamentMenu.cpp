#include "flows/TournamentMenu.h"

#include "core/Counts.h"
#include "core/DeviceFiles.h"
#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Questions.h"
#include "core/Settings.h"
#include "core/TournamentFileLines.h"
#include "core/TournamentFiles.h"
#include "devices/Companions.h"
#include "devices/DevicePolling.h"
#include "devices/FederationSave.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "devices/TablesServer.h"
#include "flows/GeneralOptions.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "publishing/BridgeWebs.h"
#include "publishing/DiagramDisplay.h"
#include "publishing/WebPages.h"
#include "scoring/Adjustments.h"
#include "scoring/BoardFrequencies.h"
#include "scoring/Cumulative.h"
#include "scoring/Frequencies.h"
#include "scoring/PairRecaps.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultListings.h"
#include "setup/MovementView.h"

namespace {

const QString kPause = QStringLiteral("<- Pause");
const QString kRestart = QStringLiteral("<- Relancer");
const QString kIncorrectResults =
    QStringLiteral("Attention! Les résultats du tournoi ne sont certainement pas corrects...");

// A feature of a later part of the program: when it is not there the button
// says so and does nothing.
template <typename F>
bool available(const F& work, const QString& function) {
  if (work) return true;
  ShowAlert(QStringLiteral("Désolé, la fonction \"") + function +
            QStringLiteral("\" n'est pas encore disponible dans cette version du programme."));
  return false;
}

// A caption shown for a second before and after a computation, and given
// back however the computation ends.
class TimedCaption {
 public:
  TimedCaption(QString& caption, const QString& during) : caption_(caption), original_(caption) { show(during); }
  ~TimedCaption() {
    caption_ = original_;
    RefreshMenu();
  }
  TimedCaption(const TimedCaption&) = delete;
  TimedCaption& operator=(const TimedCaption&) = delete;
  void show(const QString& text) {
    caption_ = text;
    RefreshMenu();
    PauseMs(1000);
  }

 private:
  QString& caption_;
  QString original_;
};

void startRetrieval(int interval) {
  TournamentMenuView& v = menuView();
  v.timerInterval = interval;
  v.timerEnabled = true;
  v.runningNoticeVisible = true;
  v.stoppedNoticeVisible = false;
  RefreshMenu();
}

void runService(const Face<void()>& work, const QString& function) {
  if (available(work, function)) work();
}

}  // namespace

TournamentMenuView& menuView() {
  static TournamentMenuView view;
  return view;
}

void TournamentMenuShow() {
  TournamentMenuView& v = menuView();
  v.pauseVisible = SettingExists(QStringLiteral("StartStop.TXT"));
  v.caption = QStringLiteral("Talvaron ") + TournamentCode;
  v.versionText = QStringLiteral("Version ") + VersionText;
  v.addTabletsVisible = TableDevicesMode && BridgeMatesMode && !ResumingTournament && !TabletsInUse;
  if (ResumingTournament) {
    v.editVisible = false;
    v.runningNoticeVisible = false;
    v.stoppedNoticeVisible = false;
    v.pauseVisible = false;
  } else {
    v.editVisible = !TableDevicesMode;
  }
  v.federationSaveEnabled = FederationMode;
  v.cumulativeVisible = !FederationMode;
  v.pattonDisabled = IsPatton;
  v.deviceTextGreyed = !TableDevicesMode;
  if (!TableDevicesMode)
    v.deviceText = QStringLiteral("Ni tablettes, ni BridgeMates...");
  else if (BridgeMatesMode)
    v.deviceText = TabletsInUse ? QStringLiteral("Bridgemates + tablettes") : QStringLiteral("Récupérés des Bridgemates");
  else
    v.deviceText = QStringLiteral("Récupérés des tablettes");
  if (ResumingTournament)
    ShowCounters();
  else
    RecountMenuCounters();
  if (ArrowSwitch && !ResumingTournament && flowWindows().showArrowSwitchReminder)
    flowWindows().showArrowSwitchReminder();
}

void ResumedMenuSettings() {
  TournamentMenuView& v = menuView();
  // What the notice and the button say is what the timer does: a tournament
  // without devices has no collection to speak of.
  const bool collecting = v.timerEnabled;
  v.runningNoticeVisible = collecting;
  v.stoppedNoticeVisible = TableDevicesMode && !collecting;
  v.editVisible = !collecting;
  v.pauseVisible = collecting;
  if (collecting) v.pauseCaption = kPause;
  v.addTabletsVisible = false;
  ShowCounters();
}

void RecountMenuCounters() {
  CountResumedTournament();
  ShowCounters();
}

void ShowMenuCounters(const QString& players, const QString& results) {
  TournamentMenuView& v = menuView();
  v.playersCounter = players;
  v.resultsCounter = results;
  v.deviceCount = TableDevicesMode ? QString::number(ResultsEntered) : QString();
  RefreshMenu();
}

namespace {

// The menu as it was before a long piece of work stopped the collection.
TournamentMenuView& menuBeforeWork() {
  static TournamentMenuView view;
  return view;
}

}  // namespace

void PauseMenuForWork() {
  menuBeforeWork() = menuView();
  TournamentMenuView& v = menuView();
  v.timerEnabled = false;
  // Without devices there is no collection to interrupt, and nothing to say.
  if (TableDevicesMode) {
    v.pauseCaption = QStringLiteral("<-Start");
    v.runningNoticeVisible = false;
    v.stoppedNoticeVisible = true;
  }
  RefreshMenu();
}

void ResumeMenuAfterWork() {
  menuView() = menuBeforeWork();
  RefreshMenu();
}

void StartTabletRetrieval() { startRetrieval(500); }
void StartBridgeMatesRetrieval() { startRetrieval(1000); }

bool StopRetrieval() {
  const bool running = menuView().timerEnabled;
  menuView().timerEnabled = false;
  RefreshMenu();
  return running;
}

void RestartRetrieval() {
  menuView().timerEnabled = true;
  RefreshMenu();
}

void CollectFromTableDevices() {
  if (BridgeMatesMode)
    PollTableDevices();
  else
    ImportTabletResults();
}

QStringList CollectionWakeFolders() {
  if (!menuView().timerEnabled || !TableDevicesMode || (BridgeMatesMode && !TabletsInUse) ||
      TabletSeriesFolder.isEmpty())
    return {};
  QStringList folders;
  for (int t = 1; t <= ImportTableCount(); ++t) folders << TableFolder(t);
  return folders;
}

namespace {

// The collection's work, never entered again while it runs (a message it
// shows lets the event loop deliver ticks and wakes).
void collectOnce(void (*work)()) {
  static bool running = false;
  // A computation the director started (and any question it is asking) is
  // never interrupted by a silent recomputation.
  if (running || Interactive) return;
  running = true;
  struct Release {
    ~Release() { running = false; }
  } release;
  work();
}

}  // namespace

void CollectionTick() { collectOnce(CollectFromTableDevices); }

void CollectionWake() { collectOnce(ImportTabletResults); }

void PauseButtonClick() {
  TournamentMenuView& v = menuView();
  if (v.pauseCaption != kPause) {
    v.pauseCaption = kPause;
    if (BridgeMatesMode)
      StartBridgeMatesRetrieval();
    else
      StartTabletRetrieval();
    return;
  }
  ui::Choice question;
  question.form = forms::CollectionPause;
  question.caption = QStringLiteral("Arrêt de la récupération des résultats");
  question.text = QStringLiteral("Voulez-vous (temporairement) arrêter\r\nla récupération des résultats?");
  question.buttons = {QStringLiteral("&Oui (ENTER)"), QStringLiteral("&Non (Esc/Echap)")};
  question.codes = {1, 2};
  question.cancelCode = 2;
  if (ui::Ask(question) == 2) return;
  v.pauseCaption = kRestart;
  v.timerEnabled = false;
  v.runningNoticeVisible = false;
  v.stoppedNoticeVisible = true;
  RefreshMenu();
}

void PauseHelpClick() {
  if (menuView().pauseCaption.contains(QStringLiteral("Pause")))
    ShowAlert(QStringLiteral("Ce bouton (réservé au développement) permet d'arrêter temporairement la récupération "
                             "des résultats. Il passera à l'état \"Relancer\"..."));
  else
    ShowAlert(QStringLiteral("Ce bouton permet de relancer la récupération des résultats. Il passera à l'état "
                             "\"Pause\"..."));
}

void RecomputeAndSaveResults() {
  {
    const DirectorComputation director;
    ComputeFrequencies();
  }
  if (!FrequenciesComputed) return;
  ComputeResults();
  WriteResultFiles();
  SaveTournamentAll();
}

void SetDevicesModeInDat() {
  const QString path = DataFolder + TournamentCode + QStringLiteral(".DAT");
  QStringList lines = platform::tryReadTextLines(path).value_or(QStringList());
  const QStringList written = DatFileText().split(QStringLiteral("\r\n"));
  while (lines.size() < 2) lines << written.value(lines.size());
  QString devices = lines.value(2);
  if (devices.isEmpty()) devices = written.value(2);
  if (devices.isEmpty()) devices = QStringLiteral("3");
  devices[0] = QLatin1Char('3');
  tournament_files::RewriteWholeFile(path, lines[0] + QStringLiteral("\r\n") + lines[1] + QStringLiteral("\r\n") + devices);
}

void AddTabletsClick() {
  if (WindowsTabletServerPresent()) StartCompanionOrHalt(kTabletServerName, true);
  // The tablets added to a BridgeMates evening reach their pages as on a
  // tablets evening.
  StartTablesServer();
  TabletsInUse = true;
  SetDevicesModeInDat();
  menuView().deviceText = QStringLiteral("Bridgemates + tablettes");
  menuView().addTabletsVisible = false;
  RefreshMenu();
  WriteRecoveryCounters();
}

void TableSheetsClick() {
  if (TableDevicesMode) {
    ShowAlert(QStringLiteral("Cette fonction n'a de sens que pour la version standard (sans tablettes ni BridgeMates)."));
    return;
  }
  runService(flowWindows().enterTableSheets, QStringLiteral("Introduction des feuilles de table"));
}

void TravellersClick() {
  runService(flowWindows().showTravellerEntry,
             QStringLiteral("Introduction/Visualisation des feuilles de marque"));
}

void PairNamesClick() {
  runService(flowWindows().showPairChanges, QStringLiteral("Voir/Modifier/Imprimer les noms des paires"));
}

void FrequenciesClick() {
  {
    TimedCaption caption(menuView().frequenciesCaption, QStringLiteral("Calcul des fréquences en cours..."));
    const DirectorComputation director;
    ComputeFrequencies();
    caption.show(QStringLiteral("Fréquences calculées..."));
  }
  WriteBoardFiles(true);
  if (!FrequenciesComputed) ShowAlert(kIncorrectResults);
}

void ResultsClick() {
  {
    TimedCaption caption(menuView().resultsCaption, QStringLiteral("Calcul en cours..."));
    const DirectorComputation director;
    // Results ranked on frequencies never computed would all be 0: the
    // frequencies come first, and without them no result file is written.
    ComputeFrequencies();
    if (FrequenciesComputed) {
      ComputeResults();
      caption.show(QStringLiteral("Résultats calculés..."));
    }
  }
  if (FrequenciesComputed) {
    WriteResultFiles();
    SaveTournamentAll();
  }
  WriteBoardFiles(true);
  if (!FrequenciesComputed) ShowAlert(kIncorrectResults);
}

void AdjustmentsClick() {
  AdjustmentsAndPenaltiesMenu();
}

void BoardPrintoutClick() {
  RecomputeAndSaveResults();
  if (ResultsAvailable) PrintBoardFrequencies();
}

void ResultsDisplayClick() {
  RecomputeAndSaveResults();
  if (!ResultsAvailable) return;
  if (IsPatton)
    ShowPattonResults();
  else
    ShowPairResults();
}

void PairRecapsClick() {
  RecomputeAndSaveResults();
  if (!FrequenciesComputed) {
    ShowAlert(kIncorrectResults);
    return;
  }
  if (FederationMode || ImpScoring) {
    ShowAlert(QStringLiteral("Désolé, pas de récapitulatifs en calcul Butler ou en Patton ou dans un tournoi FFB"));
    return;
  }
  PrintPairRecaps(true);
}

void MailRecapsClick() {
  RecomputeAndSaveResults();
  if (ResultsAvailable) MailPairRecaps();
}

void BackupClick() {
  ShowAlert(QStringLiteral("Depuis 1998, un sauvetage de sécurité complet est réalisé après chaque introduction d'une "
                           "donnée (Clavier, Tablettes/Smartphones et BridgeMates)... Ce bouton est donc devenu "
                           "obsolète!"));
  SaveResults();
}

void SeveralSessionsClick() {
  if (BridgeMatesMode) {
    ShowAlert(QStringLiteral("Cette fonction n'a pas programmée pour la version avec BridgeMates."));
    return;
  }
  CumulateTournaments(true, QString());
}

void OptionsMenuClick() {
  GeneralOptionsMode = false;
  RunGeneralOptions();
}

void MovementClick() { VoirMouvement(); }

void FederationSaveClick() { SaveForFederation(); }

void DiagramsClick() { ShowDiagrams(); }

void WebClick() {
  RecomputeAndSaveResults();
  if (FrequenciesComputed) SaveResultsForWeb();
}

void BridgeWebsClick() { BridgeWebsFunctions(); }

QStringList ArrowSwitchReminderLines() {
  QString devices;
  if (TableDevicesMode) {
    if (BridgeMatesMode)
      devices = QStringLiteral("C'est indiqué sur les BridgeMates.");
    else
      devices = QStringLiteral("C'est indiqué sur les tablettes.");
  }
  return {QStringLiteral("Rappel:"),
          QStringLiteral("On joue un mouvement Arrow Switch."),
          QStringLiteral("N'oubliez pas de rappeler aux joueurs "),
          QStringLiteral("qu'ils vont devoir changer de direction"),
          ArrowSwitchText + QStringLiteral(". "),
          devices};
}
