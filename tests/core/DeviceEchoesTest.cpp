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
  void resultChanged(int slot) override { calls << QStringLiteral("result %1").arg(slot); }
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
  deviceEchoes().resultChanged(7);
  InstallDeviceEchoes(nullptr);
  deviceEchoes().resultChanged(8);
  InitGlobals();
  EXPECT_EQ(echoes.calls, QStringList({"result 7"}));
}

}  // namespace
