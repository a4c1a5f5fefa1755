#pragma once
// The work behind the tournament menu (the window is TForm5, flows/ui/TournamentMenuWindow): its
// show, its buttons, the counters, the collection timer of the table devices
// with its pause and restart, the adding of tablets to a BridgeMates
// tournament, and the recomputation that comes before every display.
#include "core/Flows.h"

#include <QString>

#include <functional>

// What the menu shows: the window applies it after each routine.
struct TournamentMenuView {
  QString caption;
  QString versionText;                 // Label6
  QString deviceText = QStringLiteral("Récupérés des tablettes");  // Label10
  bool deviceTextGreyed = false;
  QString deviceCount;                 // after Label10's text: the results entered, with table devices
  QString playersCounter;              // Label4
  QString resultsCounter;              // Label1
  bool pauseVisible = false;           // Button15 and its help Label7
  QString pauseCaption = QStringLiteral("<- Pause");
  bool runningNoticeVisible = false;   // Memo1
  bool stoppedNoticeVisible = false;   // Memo2
  bool editVisible = false;            // Edit1
  bool addTabletsVisible = false;      // Button11
  bool federationSaveEnabled = false;  // Button20
  bool cumulativeVisible = true;       // Button16
  bool pattonDisabled = false;         // Button1, 16, 12, 25, 26 disabled
  QString frequenciesCaption = QStringLiteral("Calcul des &fréquences");  // Button6
  QString resultsCaption = QStringLiteral("Calcul des &résultats");       // Button9
  bool timerEnabled = false;           // Timer1
  int timerInterval = 0;
};

// The menu's state, read and changed by the routines below.
TournamentMenuView& menuView();
// The window's show: buttons by mode, device line, caption, notices, and the
// Arrow Switch reminder for a new tournament.
void TournamentMenuShow();

// After the menu of a resumed tournament is shown, the notices and the pause
// button say what the collection timer does: running, the collection notice
// and "<- Pause"; stopped with table devices, the interrupted notice and the
// cream field; without devices, the cream field alone. No tablets added.
void ResumedMenuSettings();

// The counters: results entered and players named counted again from the
// result slots and the pair names, then shown by the menu window.
void RecountMenuCounters();
// The menu's counters set to these texts, the device line's count to the
// results entered (with table devices), and the menu redrawn.
void ShowMenuCounters(const QString& players, const QString& results);

// The collection timer: 500 ms with tablets, 1000 ms with BridgeMates; the
// running notice shown, the stopped one hidden.
void StartTabletRetrieval();
void StartBridgeMatesRetrieval();
// A long piece of work (a cumulation) stops the collection and, with table
// devices, shows the stopped notice; the resume gives back the menu as it
// was, timer and all.
void PauseMenuForWork();
void ResumeMenuAfterWork();
// Stops the timer (true when it was running) and starts it again.
bool StopRetrieval();
void RestartRetrieval();
// One tick of the timer. A tick that comes while the previous one, or a
// window it opened, is still running returns at once, and so does a tick
// that comes during a computation the director started (Interactive).
void CollectionTick();
// One collection from the table devices: the tablets' result files, or the
// BridgeMates database then the tablets' files.
void CollectFromTableDevices();
// The folders whose change wakes the collection between two ticks of its
// timer, so that a table hears sooner that its result is taken: the tables'
// folders of the tablets' exchange while the timer runs and the collection
// reads them, none otherwise.
QStringList CollectionWakeFolders();
// The collection woken by such a change: the tablets' result files only (a
// BridgeMates database is read at the timer's pace), refused as a tick is.
void CollectionWake();

// Button15: "<- Pause" asks and stops; any other caption restarts.
void PauseButtonClick();
// Label7: the help of the pause button.
void PauseHelpClick();

// Interactive frequencies, then (when computed) results, result files and
// the whole tournament saved.
void RecomputeAndSaveResults();
// Line 3 of ".DAT" gets "3" (BridgeMates and tablets) as its first
// character; a ".DAT" without line 3 gets the devices line. The file is
// replaced atomically.
void SetDevicesModeInDat();
// Button11: the tablets' server started beside the BridgeMates.
void AddTabletsClick();

// The buttons.
void TableSheetsClick();       // Button1
void TravellersClick();        // Button3
void PairNamesClick();         // Button4
void FrequenciesClick();       // Button6
void ResultsClick();           // Button9
void AdjustmentsClick();       // Button7
void BoardPrintoutClick();     // Button8
void ResultsDisplayClick();    // Button10
void PairRecapsClick();        // Button12
void MailRecapsClick();        // Button2
void BackupClick();            // Button13
void SeveralSessionsClick();   // Button16
void OptionsMenuClick();       // Button17
void MovementClick();          // Button19
void FederationSaveClick();    // Button20
void DiagramsClick();          // Button22
void WebClick();               // Button25
void BridgeWebsClick();        // Button26

// The lines of the Arrow Switch reminder as shown.
QStringList ArrowSwitchReminderLines();
