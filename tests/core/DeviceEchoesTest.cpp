// The start of the program tells the table devices what to forget and what
// to clean, through whatever echo is installed, and only through it.
#include "core/DeviceEchoes.h"
#include "core/Globals.h"
#include "core/State.h"
#include "support/TestState.h"

#include <QStringList>

namespace {

class RecordingEchoes : public DeviceEchoes {
 public:
  void stateCleared() override { calls << "cleared"; }
  // The devices' folders are found from the Documents folder: it must be
  // known when the leftovers are removed.
  void removeLeftovers() override { calls << "leftovers in " + DocumentsFolder; }
  void playerNamed(const QString& grid, int, int row, const QString&) override {
    calls << QStringLiteral("player %1 %2").arg(grid).arg(row);
  }
  QStringList calls;
};

class DeviceEchoesTest : public testing_support::TalvaronTest {
 protected:
  // The echo the test executable installed is put back after each test.
  void SetUp() override {
    TalvaronTest::SetUp();
    installed_ = &deviceEchoes();
  }
  void TearDown() override {
    InstallDeviceEchoes(installed_);
    TalvaronTest::TearDown();
  }
  DeviceEchoes* installed_ = nullptr;
};

TEST_F(DeviceEchoesTest, TheStartClearsThePollingStateThenRemovesLeftoversOnceTheFoldersAreKnown) {
  RecordingEchoes echoes;
  InstallDeviceEchoes(&echoes);
  DocumentsFolder.clear();
  InitGlobals();
  ASSERT_FALSE(DocumentsFolder.isEmpty());
  EXPECT_EQ(echoes.calls, QStringList({"cleared", "leftovers in " + DocumentsFolder}));
}

TEST_F(DeviceEchoesTest, WithoutAnInstalledEchoNothingReachesTheOldOne) {
  RecordingEchoes echoes;
  InstallDeviceEchoes(&echoes);
  deviceEchoes().playerNamed("NS", 1, 7, "Alice");
  InstallDeviceEchoes(nullptr);
  deviceEchoes().playerNamed("NS", 1, 8, "Bob");
  InitGlobals();
  EXPECT_EQ(echoes.calls, QStringList({"player NS 7"}));
}

}  // namespace
