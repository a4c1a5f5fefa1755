#include "core/Flows.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesControl.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "support/BridgeMatesScorers.h"
#include "support/TestState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

using testing_support::BridgeMatesScorers;
using testing_support::readBytes;

class BridgeMatesControlTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    registry.createKey(platform::kBridgeMatesSettingsKey);
    QDir().mkpath(dataDir() + "My Club");
    BwsFileName = dataDir() + "My Club/20261207.BWS";
    ASSERT_TRUE(QFile::copy(testing_support::BuiltBwsTemplate(), BwsFileName));
    QFile::setPermissions(BwsFileName, QFile::ReadOwner | QFile::WriteOwner);
  }
  int handRecordWhen() { return BridgeMatesScorers(BwsFileName).rows("Settings")[0]["BM2EnterHandRecordWhen"].toInt(); }
  ui::ScriptedInteraction talk;
  platform::MemoryRegistry registry;
};

// The real stand-in receives "/f:[...]" as one argument, blanks and all.
TEST_F(BridgeMatesControlTest, TheControlProgramGetsTheDatabaseAsOneArgument) {
  const QString exe = programDir() + "BMPro.EXE";
  ASSERT_TRUE(QFile::copy(testing_support::BuiltControlStandIn(), exe));
  QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EnterDealsAtTable = true;
  StartBridgeMatesControl();
  const QString log = programDir() + "BMPro-arguments.txt";
  QElapsedTimer clock;
  clock.start();
  while (readBytes(log).count('\n') < 7 && clock.elapsed() < 5000) QThread::msleep(20);
  platform::SystemProcesses system;
  EXPECT_TRUE(system.isRunning("BMPro.EXE"));
  system.stop("BMPro.EXE");
  EXPECT_EQ(readBytes(log), ("start\n/f:[" + BwsFileName + "]\n/s\n/h:[1]\n/r\n/m\n/h[1]\n").toUtf8());
  EXPECT_EQ(handRecordWhen(), 1);
  EXPECT_EQ(registry.value(platform::kBridgeMatesSettingsKey, "OverrideDBSettings"), "no");
  EXPECT_TRUE(talk.events.isEmpty());

  EnterDealsAtTable = false;
  EXPECT_EQ(BridgeMatesControlArguments().last(), "/m");
}

TEST_F(BridgeMatesControlTest, ARestartStopsTheRunningCopyWaitsThenStarts) {
  platform::FakeProcesses processes;
  processes.running << "C:\\BM\\bmpro.exe";
  BridgeMatesControlPath = programDir() + "BMPro.EXE";
  RestartBridgeMatesControl();
  EXPECT_EQ(processes.events, QStringList({"running?: BMPro.EXE", "stop: BMPro.EXE",
                                           "start: " + programDir() + "BMPro.EXE /f:[" + BwsFileName + "] /s /h:[1] /r /m"}));
  EXPECT_EQ(talk.events, QStringList({"pause: 1000"}));
  EXPECT_EQ(BridgeMatesScorers(BwsFileName).rows("Settings")[0]["BM2EnterHandRecord"].toInt(), 0);

  // Without the control program's key: a warning naming the key and the
  // file that stands for the registry, and the start goes on.
  registry.keys.clear();
  processes.events.clear();
  registry.where = "/home/club/.talvaron-registre.ini";
  StartBridgeMatesControl();
  EXPECT_EQ(talk.messages,
            QStringList({"Je ne trouve pas la clé RFCM de BMPro (la section [Software\\VB and VBA Program "
                         "Settings\\RFCM\\Settings]) dans le fichier /home/club/.talvaron-registre.ini, qui tient "
                         "lieu ici de registre de Windows. Ajoutez-y cette ligne de section suivie de la ligne "
                         "OverrideDBSettings=no (voir le README). Sinon, BMPro et les BridgeMates risquent de ne pas "
                         "fonctionner correctement..."}));
  EXPECT_EQ(processes.events.size(), 1);
  BridgeMatesControlPath.clear();
}

TEST_F(BridgeMatesControlTest, AFailedStartStopsTheProgram) {
  platform::FakeProcesses processes;
  processes.startResults.insert("BMPRO.EXE", 5);
  int companionsStopped = 0;
  flowSteps().stopCompanions = [&] { ++companionsStopped; };
  EXPECT_THROW(StartBridgeMatesControl(), FatalStopError);
  flowSteps().stopCompanions = nullptr;
  EXPECT_EQ(talk.messages, QStringList({"Erreur 5 au lancement de BMPro.EXE. Impossible de continuer! On arrête"}));
  EXPECT_EQ(companionsStopped, 1);
}
