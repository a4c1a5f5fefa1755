#include "flows/Quit.h"

#include "core/Backups.h"
#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Notices.h"
#include "core/Settings.h"
#include "core/TournamentFiles.h"
#include "devices/Companions.h"
#include "devices/TableStates.h"
#include "devices/TablesServer.h"
#include "flows/TournamentMenu.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "scoring/ResultFiles.h"

namespace {

// The device servers and the control program, in the order they are stopped.
// The tables' server is not among them: this copy stops its own, and only it.
const QString kCompanions[] = {kTabletServerName, kBridgeMatesControlName, kTabletCompanionName};

}  // namespace

void StopDeviceServers() {
  StopTablesServer();
  if (!TableDevicesMode) return;
  for (const QString& exe : kCompanions) {
    if (platform::processes().isRunning(exe)) {
      platform::processes().stop(exe);
      PauseMs(1000);
    }
  }
}

void InstallCompanionStopper() { flowSteps().stopCompanions = StopDeviceServers; }

void QuitProgram() {
  if (ui::Ask({.form = forms::QuitConfirmation,
               .caption = QStringLiteral("Confirmation?"),
               .text = QStringLiteral("Vraiment quitter le programme?"),
               .buttons = {QStringLiteral("&OK"), QStringLiteral("&Annuler = ESC")},
               .codes = {1, 0},
               .cancelCode = 0}) != 1)
    return;

  // No result is collected while the tournament is saved and backed up.
  const bool collecting = StopRetrieval();
  try {
    if (ImpScoring)
      ShowAlert(QStringLiteral("Attention! Les résultats du tournoi seront quand même sauvés en formule Paires. Si vous "
                               "le rechargez, n'oubliez pas de recocher la formule Butler avant de recalculer les "
                               "résultats..."));
    if (!TournamentCode.isEmpty() && !CumulativeMode) {
      SaveTournamentAll();
      BackupAndPurge();
      DeleteSetting(QStringLiteral("NOMBM.TXT"));
      RestoreOverrideDBSettings();
    }
  } catch (...) {
    // The program stays open: the collection goes on.
    if (collecting) RestartRetrieval();
    throw;
  }
  HideTableStatusStrip();
  StopCompanionsAndHalt(0);
}
