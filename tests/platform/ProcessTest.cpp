#include "platform/Process.h"

#include "support/TestState.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using testing_support::writeBytes;

namespace {

bool waitFor(const std::function<bool()>& condition) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 5000) {
    if (condition()) return true;
    QThread::msleep(20);
  }
  return condition();
}

}  // namespace

TEST(Processes, NamesAreComparedByTheirBaseNameWithoutCase) {
  EXPECT_EQ(platform::programBaseName("C:\\Talvaron\\TABLOSSE.EXE"), "TABLOSSE.EXE");
  EXPECT_EQ(platform::programBaseName("/opt/talvaron/BMPro.EXE"), "BMPro.EXE");
  EXPECT_TRUE(platform::sameProgramName("C:\\Talvaron\\TABLOSSE.EXE", "tablosse.exe"));
  EXPECT_TRUE(platform::sameProgramName("/opt/x/PCQuillmarkeServer.EXE", "pcquillmarkeserver.exe"));
  EXPECT_FALSE(platform::sameProgramName("TABLOSSE.EXE", "TABLOSSE"));
  EXPECT_FALSE(platform::sameProgramName("/opt/x/", ""));
}

TEST(Processes, StartAnswersWithTheShellCodes) {
  QTemporaryDir dir;
  platform::SystemProcesses system;
  EXPECT_EQ(system.start(dir.path() + "/Absent.EXE", {}), platform::kStartNotFound);
  EXPECT_EQ(system.start("talvaron-no-such-program-anywhere", {}), platform::kStartNotFound);
  EXPECT_EQ(system.start(dir.path(), {}), platform::kStartAccessRefused);

  writeBytes(dir.path() + "/Plain.EXE", "not a program");
  EXPECT_EQ(system.start(dir.path() + "/Plain.EXE", {}), platform::kStartAccessRefused);
  QFile::setPermissions(dir.path() + "/Plain.EXE", QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
  const int badFormat = system.start(dir.path() + "/Plain.EXE", {});
  EXPECT_GT(badFormat, 0);
  EXPECT_LE(badFormat, 32);
}

// A stand-in companion: a copy of "sleep" under the companion's name, found
// by its name whatever the case and the folder given, then stopped.
// The programs started here have names of their own: the device tests run
// the companions' stand-ins at the same time.
TEST(Processes, AStartedProgramIsFoundByNameAndStopped) {
  QTemporaryDir dir;
  const QString exe = dir.path() + "/SLEEPYTEST.EXE";
  ASSERT_TRUE(QFile::copy("/usr/bin/sleep", exe) || QFile::copy("/bin/sleep", exe));
  QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
  platform::SystemProcesses system;
  ASSERT_FALSE(system.isRunning("SLEEPYTEST.EXE"));
  EXPECT_FALSE(system.stop("SLEEPYTEST.EXE"));

  // Found without regard to case in its folder's name too.
  EXPECT_GT(system.start(dir.path() + "/sleepytest.exe", {"30"}), 32);
  EXPECT_TRUE(waitFor([&] { return system.isRunning("sleepytest.exe"); }));
  EXPECT_TRUE(system.isRunning("C:\\Talvaron\\SLEEPYTEST.EXE"));
  EXPECT_FALSE(system.isRunning("SLEEPYTEST"));

  EXPECT_TRUE(system.stop("Sleepytest.exe"));
  EXPECT_TRUE(waitFor([&] { return !system.isRunning("SLEEPYTEST.EXE"); }));
}

// A companion that is a script: the system runs its interpreter, yet the
// program it started is found by the script's name (longer than the 15
// characters the system keeps of a process name) and stopped; a program that
// merely has the name among its arguments is left alone.
TEST(Processes, AStartedScriptIsFoundByItsOwnName) {
  QTemporaryDir dir;
  const QString script = dir.path() + "/TalvaronTestServer.EXE";
  // Both end by themselves after 30 s should a stop fail.
  const QByteArray body = "#!/bin/sh\ni=0\nwhile [ $i -lt 30 ]; do sleep 1; i=$((i+1)); done\n";
  writeBytes(script, body);
  QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
  const QString bystander = dir.path() + "/Bystander.EXE";
  writeBytes(bystander, body);
  QFile::setPermissions(bystander, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
  platform::SystemProcesses system;
  ASSERT_FALSE(system.isRunning("TalvaronTestServer.EXE"));

  EXPECT_GT(system.start(bystander, {"TalvaronTestServer.EXE"}), 32);
  EXPECT_TRUE(waitFor([&] { return system.isRunning("Bystander.EXE"); }));
  EXPECT_FALSE(system.isRunning("TalvaronTestServer.EXE"));

  EXPECT_GT(system.start(script, {}), 32);
  EXPECT_TRUE(waitFor([&] { return system.isRunning("talvarontestserver.exe"); }));
  EXPECT_FALSE(system.isRunning("TalvaronTestSer"));
  EXPECT_TRUE(system.stop("C:\\Talvaron\\TalvaronTestServer.EXE"));
  EXPECT_TRUE(waitFor([&] { return !system.isRunning("TalvaronTestServer.EXE"); }));
  EXPECT_TRUE(system.isRunning("Bystander.EXE"));
  EXPECT_TRUE(system.stop("Bystander.EXE"));
}

TEST(Processes, TheFakeRecordsAndAnswersAsConfigured) {
  {
    platform::FakeProcesses fake;
    fake.running << "C:\\Talvaron\\BMPro.EXE";
    fake.startResults.insert("TABLOSSE.EXE", 2);
    EXPECT_TRUE(platform::processes().isRunning("bmpro.exe"));
    EXPECT_EQ(platform::processes().start("/p/Tablosse.exe", {"a"}), 2);
    EXPECT_FALSE(platform::processes().isRunning("TABLOSSE.EXE"));
    EXPECT_TRUE(platform::processes().stop("BMPRO.EXE"));
    EXPECT_FALSE(platform::processes().stop("BMPRO.EXE"));
    EXPECT_EQ(fake.events, QStringList({"running?: bmpro.exe", "start: /p/Tablosse.exe a", "running?: TABLOSSE.EXE",
                                        "stop: BMPRO.EXE", "stop: BMPRO.EXE"}));
  }
  EXPECT_NE(dynamic_cast<platform::SystemProcesses*>(&platform::processes()), nullptr);
}
