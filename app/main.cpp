// Talvaron: scoring of duplicate-bridge pairs tournaments.
#include "core/ui/Application.h"
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "core/ui/WindowInteraction.h"
#include "devices/TableDeviceEchoes.h"
#include "devices/ui/FederationParametersWindow.h"
#include "flows/InstallFlows.h"
#include "flows/Quit.h"
#include "flows/ui/ArrowSwitchReminderWindow.h"
#include "flows/ui/OptionWindows.h"
#include "flows/ui/ProgramWindows.h"
#include "flows/ui/StartScreenTestEntry.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "setup/ui/ExistingTournamentWindow.h"
#include "setup/ui/MemberWindows.h"
#include "setup/ui/MovementViewWindow.h"
#include "setup/ui/NewTournamentParametersWindow.h"
#include "setup/ui/PairChangesWindows.h"
#include "setup/ui/PairsEntryWindow.h"
#include "setup/ui/ReloadedTournamentParametersWindow.h"

#include <QIcon>

#include <cstdio>

int main(int argc, char** argv) {
  ui::TalvaronApplication app(argc, argv);
  // The windows belong to the desktop's menu entry (the dock, Alt-Tab and
  // the favourites find it) and carry its icon: the desktop theme's, else the
  // one built into the executable.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.talvaron.Talvaron"));
  QIcon builtIn;
  for (int size : {16, 32, 48, 64, 128, 256}) builtIn.addFile(QStringLiteral(":/icons/%1.png").arg(size));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.talvaron.Talvaron"), builtIn));
  ui::InstallFrenchTranslations();
  ui::InstallWindowInteraction();
  InstallFlows();
  InstallTableDeviceEchoes();
  RegisterProgramWindows();
  InstallCompanionStopper();
  // Tests of the executable: every message is printed and closed.
  if (!qEnvironmentVariableIsEmpty("TALVARON_ANSWER_MESSAGES")) AnswerMessagesFromTests();
  // Tests of the executable: the steps of a file taken at the keyboard, from
  // the first window on.
  if (!qEnvironmentVariableIsEmpty("TALVARON_TEST_STEPS")) FollowStepsFromTests(qEnvironmentVariable("TALVARON_TEST_STEPS"));

  // Every window is created once, the start screen first: it is the main
  // window, and its creation reads the settings (and may end the program).
  TForm1 startScreen;
  TForm2 parameters;
  TForm3 existingTournament;
  TForm5 tournamentMenu;
  TForm81 shortParameters;
  TForm90 arrowSwitchReminder;
  TForm59 quitConfirmation;
  TForm108 resumeWarning;
  TForm110 backupWait;
  TForm4 pairsEntry;
  TForm73 movementView;
  TForm75 federationParameters;
  TForm28 pairChanges;
  TForm38 teamNames;

  // Every face and window the routines need is filled by now: the debug build
  // checks it at every start, any build when asked (the check's test).
  const bool onlyCheck = !qEnvironmentVariableIsEmpty("TALVARON_CHECK_INSTALLS");
#ifdef NDEBUG
  const bool check = onlyCheck;
#else
  const bool check = true;
#endif
  if (check) {
    const QStringList missing = ui::MissingInstalls();
    for (const QString& what : missing) std::fprintf(stderr, "not installed: %s\n", qPrintable(what));
    if (!missing.isEmpty()) return 3;
    if (onlyCheck) return 0;
  }

  startScreen.show();
  // Tests of the executable: the start screen closes itself once shown.
  if (!qEnvironmentVariableIsEmpty("TALVARON_CLOSE_START_SCREEN")) CloseStartScreenOnceShown(startScreen);
  return app.exec();
}
