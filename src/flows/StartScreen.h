#pragma once
// The work behind the start screen (the window itself is TForm1, flows/ui/StartScreenWindow):
// its creation and show, the device and entry choices, each stored at once
// in its settings file, the three buttons (new, resumed and FFBClubNet
// tournament) and the application-wide error handler's messages.
#include "core/Flows.h"
#include "platform/ShippedFiles.h"

#include <QString>

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
  bool programFolderMade = false;  // made by this start (an installed copy's first)
  platform::ShippedFilesUpdate shippedFiles;  // its shipped files brought up to date by this start
  // Where the installed copy's shipped files are (when some were kept, or their list is unreadable).
  QString shippedFolder;
};

// The status line: where the program folder and the results folder are; at
// the first start of an installed copy, that the folder was just made with an
// empty players file to fill; at the first start after an upgrade, what
// became of the folder's shipped files (those the director changed are kept,
// and named); last, the release the program comes from.
QString StartScreenStatus(const StartScreenView& view);

// The start screen's creation: the program folder made at an installed
// copy's first start, state initialised, option files read, device
// mode from its marker file, players-file check (which may end the program),
// then the controls.
void StartScreenCreate(StartScreenView& view);
// The start screen's show: PBN options, device kind (and the BridgeMates
// settings), entry by contracts, club-mode restrictions.
void StartScreenShow(StartScreenView& view);

// The start screen's boxes, named after their controls as they always were:
// the table devices on or off;
void BridgeBoxClick(StartScreenView& view, bool checked);
// the deals typed at the tables (ETUIS.TXT);
void CheckBox2Click(StartScreenView& view, bool checked);
// the players typed on the tablets (INTRO.TXT);
void CheckBox3Click(StartScreenView& view, bool checked);
// the club's own tournament (0) or the federation's (1, FFB.TXT);
void RadioGroup1Click(StartScreenView& view, int item);
// the tablets (0) or the BridgeMates (1), refused without their files.
void RadioGroup2Click(StartScreenView& view, int item);

// The three buttons.
void NewTournamentClick();
void ResumeTournamentClick();
void FederationTournamentClick();
// The work behind the first two buttons.
void StartNewTournament();
void ResumeTournament();
// A device tournament of today resumed, finished or not, collects again: a
// table may still send a correction, and what a crash left at the tables is
// taken (the exchange folder set, the BridgeMates' database named, the
// collection timer started). The servers are started again only when
// restartServers (an unfinished tournament); without its BridgeMates
// database an unfinished tournament's devices are switched off, with a
// message, while a finished one asks nothing and keeps its devices on (the
// quit still stops their servers) with nothing to collect. The resume then
// sends the tables their echoes again (ResendTableEchoes).
void RestartDeviceCollection(bool restartServers);

// The menu entries.
void AboutClick();
void OptionsClick();
void ClubPlayersClick();
