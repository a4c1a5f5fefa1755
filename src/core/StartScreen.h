#pragma once
// The work behind the start screen (the window itself is core/ui's TForm1):
// its creation and show, the device and entry choices, each stored at once
// in its settings file, the three buttons (new, resumed and FFBClubNet
// tournament) and the application-wide error handler's messages.
#include <QString>

#include <exception>
#include <functional>

// What the start screen shows: the window applies it after each routine.
struct StartScreenView {
  bool clubLabelVisible = false;    // Label9 "(Bralmet)"
  bool clubPlayersMenuVisible = false;
  bool bridgeBoxChecked = false;
  bool checkBox2Checked = false;    // the players enter the deals
  bool checkBox2Enabled = false;
  bool checkBox3Checked = false;    // the players enter their names
  bool checkBox3Enabled = false;
  int radioGroup1Item = 0;          // 0 "Standard", 1 "FFB"
  bool radioGroup1Enabled = false;
  bool radioGroup1FfbEnabled = true;
  int radioGroup2Item = 0;          // 0 tablets, 1 BridgeMates
  bool radioGroup2Enabled = false;
  bool memo1Visible = false;
  bool memo1Enabled = true;
  bool newButtonVisible = true;         // SpeedButton1
  bool federationButtonVisible = false;  // SpeedButton3
  QString federationButtonCaption = QStringLiteral("Jouer un tournoi &FFBClubNet");
};

// The start screen's creation: state initialised, option files read, device
// mode from its marker file, players-file check (which may end the program),
// then the controls.
void StartScreenCreate(StartScreenView& view);
// The start screen's show: PBN options, device kind (and the BridgeMates
// settings), entry by contracts, club-mode restrictions.
void StartScreenShow(StartScreenView& view);

void BridgeBoxClick(StartScreenView& view, bool checked);
void CheckBox2Click(StartScreenView& view, bool checked);
void CheckBox3Click(StartScreenView& view, bool checked);
void RadioGroup1Click(StartScreenView& view, int item);
void RadioGroup2Click(StartScreenView& view, int item);

// The three buttons.
void NewTournamentClick();
void ResumeTournamentClick();
void FederationTournamentClick();
// The work behind the first two buttons.
void StartNewTournament();
void ResumeTournament();

// The menu entries.
void AboutClick();
void OptionsClick();
void ClubPlayersClick();

// The start screen hidden (a tournament begins) and shown again (a resume
// cancelled); both do nothing until the window is there.
void HideStartScreen();
void ShowStartScreen();

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

// Results entered (slots whose score is not 10000) and players named (a seat
// the tablets sent empty is not a player), counted again from the slots.
void CountResumedTournament();
// A default player name: the letter followed by a number ("N12").
bool IsDefaultNameFor(const QString& name, const QString& letters);

// The work that later parts of the program provide. A button whose work is
// not there yet says so and stops.
struct StartScreenServices {
  std::function<void()> hideStartScreen;
  std::function<void()> showStartScreen;
  std::function<void()> showParametersWindow;
  std::function<void(const FederationSummary&)> showFederationSummary;
};
StartScreenServices& startScreenServices();

// The message shown for an error that escaped an event handler: the French
// text naming the file for platform::IoError; the error's own text otherwise.
QString EscapedErrorMessage(const std::exception& error);
// Shows the message of an escaped error in the system message box. A fatal
// stop (tests) is passed on.
void ReportEscapedError(std::exception_ptr error);
// Runs one step of a longer piece of work: an error it raises is shown as
// the error handler shows it and the caller goes on with its next step. A
// fatal stop is passed on.
void RunReported(const std::function<void()>& step);
