#include "core/Flows.h"
#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "support/TestState.h"

#include <QDir>

using testing_support::readBytes;

namespace {

class DeviceFilesTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    TabletSharedFolder = documentsDir() + "/Quillmarke";
    TabletSeriesFolder = TabletSharedFolder + "/Serie";
    QDir().mkpath(TabletSharedFolder);
  }
  void TearDown() override {
    flowSteps().showCounters = installedCounters;
    TabletSharedFolder.clear();
    TabletSeriesFolder.clear();
    TalvaronTest::TearDown();
  }
  const decltype(FlowSteps::showCounters) installedCounters = flowSteps().showCounters;
  QString namesFolder() const { return TabletSeriesFolder + "1/NomsPaires/"; }
};

}  // namespace

TEST_F(DeviceFilesTest, CountersAreResetShownAndWrittenForTheTabletServer) {
  QString players, results;
  flowSteps().showCounters = [&](const QString& p, const QString& r) { players = p, results = r; };
  PairCount = 14, ByePresent = true, ResultSlotCount = 84, ResultsEntered = 12, PlayersNamed = 3;
  ResetCounters();
  EXPECT_EQ(players, "0/26");
  EXPECT_EQ(results, "0/84");
  PairsEntered = true;
  ByePresent = false;
  ResetCounters();
  EXPECT_EQ(players, "28/28");

  PlayersNamed = 3, ResultsEntered = 27;
  WriteRecoveryCounters();
  EXPECT_EQ(readBytes(TabletSharedFolder + "/nPLAY_RECUP.TXT"), "3 28 27 84\r\n");
}

TEST_F(DeviceFilesTest, PairNameFilesAreNamedAfterThePairWithTheLabelAlone) {
  PairCount = 4, ResultsPerBoard = 2;
  for (int s = 1; s <= 4; ++s) PairNumbers[s] = s <= 2 ? s : -(s - 2);
  PairLabels[1] = QStringLiteral("DUPONT Zoé - MARTIN Anne");
  PairLabels[4] = "BYE";
  WritePairNameFiles();
  EXPECT_FALSE(QDir(namesFolder()).exists());  // only with table devices

  TableDevicesMode = true, MitchellNumbering = true;
  WritePairNameFiles();
  EXPECT_EQ(QDir(namesFolder()).entryList(QDir::Files), (QStringList{"E1.TXT", "E2.TXT", "N1.TXT", "N2.TXT"}));
  EXPECT_EQ(readBytes(namesFolder() + "N1.TXT"), "DUPONT Zo\xE9 - MARTIN Anne");
  EXPECT_EQ(readBytes(namesFolder() + "E2.TXT"), "BYE");

  QDir(namesFolder()).removeRecursively();
  MitchellNumbering = false;
  WritePairNameFiles();
  EXPECT_EQ(QDir(namesFolder()).entryList(QDir::Files), (QStringList{"P1.TXT", "P2.TXT", "P3.TXT", "P4.TXT"}));
  EXPECT_EQ(readBytes(namesFolder() + "P4.TXT"), "BYE");
}
