#pragma once
// The windows the program creates at its start, the start screen first, as
// a whole session needs them; and a button of the tournament menu by name.
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "flows/ui/ArrowSwitchReminderWindow.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "setup/ui/ExistingTournamentWindow.h"
#include "setup/ui/MovementViewWindow.h"
#include "setup/ui/NewTournamentParametersWindow.h"
#include "setup/ui/PairChangesWindows.h"
#include "setup/ui/PairsEntryWindow.h"
#include "setup/ui/ReloadedTournamentParametersWindow.h"

#include <QPushButton>

namespace sessions {

struct ProgramWindows {
  TForm1 start;
  TForm2 parameters;
  TForm3 existingTournament;
  TForm5 menu;
  TForm81 shortParameters;
  TForm90 arrowSwitchReminder;
  TForm59 quitConfirmation;
  TForm108 resumeWarning;
  TForm110 backupWait;
  TForm4 pairs;
  TForm73 movementView;
  TForm28 pairChanges;
};

inline QPushButton* menuButton(TForm5& menu, const char* name) {
  return menu.findChild<QPushButton*>(QLatin1String(name));
}

}  // namespace sessions
