#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/ResultsFolder.h"
#include "core/Settings.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/TextFiles.h"
#include "support/TestState.h"

#include <QDir>

using testing_support::readBytes;
using testing_support::writeBytes;

class SettingsTest : public testing_support::TalvaronTest {
 protected:
  void setting(const QString& name, const QByteArray& bytes) { writeBytes(programDir() + name, bytes); }
  ui::ScriptedInteraction talk;
};

TEST_F(SettingsTest, ExactlyOnePlayersFileMustExist) {
  EXPECT_THROW(CheckPlayerFile(), FatalStopError);
  EXPECT_EQ(talk.events, QStringList({"beep", "system: Attention! Un des fichiers de joueurs FICHIER.TXT ou JOUEURS.TXT "
                                               "doit absolument être présent. Désolé, on arrête..."}));
  setting("joueurs.txt", "DUPONT Jean 12\r\n");
  CheckPlayerFile();
  EXPECT_TRUE(PlayersFileFound);
  EXPECT_EQ(PlayersFileName, "JOUEURS.TXT");

  setting("FICHIER.TXT", "");
  talk.events.clear();
  try {
    CheckPlayerFile();
    FAIL() << "both players files accepted";
  } catch (const FatalStopError& stop) {
    EXPECT_EQ(stop.exitCode(), 1);
  }
  EXPECT_EQ(talk.events, QStringList({"beep", "system: Vous avez créé les deux fichiers FICHIER.TXT et JOUEURS.TXT. Le "
                                               "premier est juste historique. Effacez-le et recommencez!"}));
}

TEST_F(SettingsTest, RoundsShownAcceptMinusOneToTenElseTwoWithItsMessage) {
  struct Case {
    QByteArray content;
    int value;
    QString message;
  };
  const QList<Case> cases = {
      {"-1\r\n", -1, {}},
      {" 10 \r\n", 10, {}},
      {"abc\r\n", 2, "nToursAffichage.TXT ne contient pas un nombre (abc). Il est mis à 2..."},
      {"11\r\n", 2, "nToursAffichage.TXT contient un nombre incorrect (11). Il est mis à 2..."},
      {"-2", 2, "nToursAffichage.TXT contient un nombre incorrect (-2). Il est mis à 2..."},
      {"", 2, "nToursAffichage.TXT ne contient pas un nombre (). Il est mis à 2..."},
  };
  for (const Case& c : cases) {
    setting("nToursAffichage.TXT", c.content);
    talk.messages.clear();
    talk.beeps = 0;
    RoundsShownCount = 99;
    LoadStartupOptions();
    EXPECT_EQ(RoundsShownCount, c.value) << c.content.constData();
    EXPECT_EQ(talk.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.content.constData();
    EXPECT_EQ(talk.beeps, c.message.isEmpty() ? 0 : 1);
  }
  QFile::remove(programDir() + "nToursAffichage.TXT");
  RoundsShownCount = 99;
  LoadStartupOptions();
  EXPECT_EQ(RoundsShownCount, 2);
}

TEST_F(SettingsTest, ValueFilesFallBackToTheirDefaultNamingFileAndValue) {
  LoadStartupOptions();  // all absent: defaults, silently
  EXPECT_EQ(MixingPercent, 10);
  EXPECT_EQ(PercentagesFromRound, 9999);
  EXPECT_EQ(SavedMitchellType, 0);
  EXPECT_TRUE(talk.messages.isEmpty());

  setting("PANACHEPCKT.TXT", "101\r\n");
  setting("nToursPourcentages.TXT", "9999\r\n");
  LoadStartupOptions();
  EXPECT_EQ(MixingPercent, 10);
  EXPECT_EQ(PercentagesFromRound, 9999);
  EXPECT_EQ(talk.messages, QStringList({"PANACHEPCKT.TXT contient un nombre incorrect (101). Il est mis à 10...",
                                        "nToursPourcentages.TXT contient un nombre incorrect (9999). Il est mis à 9999..."}));

  talk.messages.clear();
  setting("PANACHEPCKT.TXT", "dix");
  setting("nToursPourcentages.TXT", "0\r\n");
  LoadStartupOptions();
  EXPECT_EQ(MixingPercent, 10);
  EXPECT_EQ(PercentagesFromRound, 0);
  EXPECT_EQ(talk.messages, QStringList({"PANACHEPCKT.TXT ne contient pas un nombre (dix). Il est mis à 10..."}));

  setting("PANACHEPCKT.TXT", "0\r\n");
  LoadStartupOptions();
  EXPECT_EQ(MixingPercent, 0);
}

TEST_F(SettingsTest, MitchellTypeOutsideZeroToTwoAsks) {
  for (const auto& [content, expected] : QList<QPair<QByteArray, int>>{{"1\r\n", 1}, {"2", 2}, {"3\r\n", 0}, {"-1", 0}, {"x", 0}}) {
    setting("MITCHELLPAIR.TXT", content);
    SavedMitchellType = 7;
    LoadStartupOptions();
    EXPECT_EQ(SavedMitchellType, expected) << content.constData();
  }
  EXPECT_TRUE(talk.messages.isEmpty());
}

TEST_F(SettingsTest, MarkerFilesActByTheirPresenceWhateverTheirCase) {
  LoadStartupOptions();
  EXPECT_TRUE(SheetOrderByRounds);
  EXPECT_TRUE(AutoVentilation);
  EXPECT_FALSE(SheetLineSkip || ScoresTimesTen || AskOpeningLead || ClubMovements);
  EXPECT_EQ(TabletPassword, "FarnelTosk");
  EXPECT_TRUE(CoherenceTest && MitchellNumbering);
  EXPECT_EQ(PbnOption, 1);
  EXPECT_EQ(readBytes(programDir() + "OPTIONPBN.TXT"), "1\r\n");
  EXPECT_FALSE(QFile::exists(programDir() + "NOMPBN.TXT"));  // only read for option 4

  for (const char* name : {"affparns.txt", "VENTILNON.TXT", "SautAuto.TXT", "MARQUEX10.TXT", "DemanderEntame.TXT",
                           "MouvementsBralmet.TXT"})
    setting(name, "");
  setting("ANDROIDPASSWORD.TXT", "Secret\r\n");
  setting("OPTIONPBN.TXT", "4\r\n");
  IsHowell = ArrowSwitch = true;
  PairNumbers[3] = 3;
  LoadStartupOptions();
  EXPECT_FALSE(SheetOrderByRounds);
  EXPECT_FALSE(AutoVentilation);
  EXPECT_TRUE(SheetLineSkip && ScoresTimesTen && AskOpeningLead && ClubMovements);
  EXPECT_EQ(TabletPassword, "Secret");
  EXPECT_FALSE(IsHowell || ArrowSwitch);
  EXPECT_EQ(PairNumbers[3], 0);
  EXPECT_EQ(PbnOption, 4);
  EXPECT_EQ(PbnName, "TEST");
  EXPECT_EQ(readBytes(programDir() + "NOMPBN.TXT"), "TEST\r\n");
}

TEST_F(SettingsTest, MovementFoldersFollowTheClubModeAndTheHowellsFolder) {
  LoadStartupOptions();
  EXPECT_EQ(MovementFolder, programDir());
  EXPECT_EQ(MovementFolderInUse, programDir());

  QDir().mkpath(programDir() + "howells");
  LoadStartupOptions();
  EXPECT_EQ(MovementFolder, programDir() + "howells/");

  QDir(programDir() + "howells").removeRecursively();
  ClubMode = true;
  LoadStartupOptions();
  EXPECT_EQ(MovementFolder, programDir() + "Howells/");
  EXPECT_EQ(ClubMovementFolder, programDir() + "Howells/Bralmet/");
  EXPECT_EQ(MovementFolderInUse, ClubMovementFolder);
  EXPECT_TRUE(QDir(ClubMovementFolder).exists());
}

TEST_F(SettingsTest, PbnOptionsHaveOneDefaultAndMissingFilesAreCreated) {
  ReadPbnOptions();
  EXPECT_EQ(PbnOption, 1);
  EXPECT_EQ(PbnName, "TEST");
  EXPECT_EQ(DiagramFolder, DataFolder);
  EXPECT_EQ(readBytes(programDir() + "OPTIONPBN.TXT"), "1\r\n");
  EXPECT_EQ(readBytes(programDir() + "NOMPBN.TXT"), "TEST\r\n");
  EXPECT_EQ(readBytes(programDir() + "DOSSIERPBN.TXT"), (DataFolder + "\r\n").toUtf8());

  setting("OPTIONPBN.TXT", "7\r\n");  // reported and reset by the PBN import
  setting("NOMPBN.TXT", "Donnes\r\n");
  setting("DOSSIERPBN.TXT", "/srv/pbn\r\n");
  ReadPbnOptions();
  EXPECT_EQ(PbnOption, 7);
  EXPECT_EQ(PbnName, "Donnes");
  EXPECT_EQ(DiagramFolder, "/srv/pbn/");
}

TEST_F(SettingsTest, DeviceKindIsTheExactFirstLineOfTheMarker) {
  setting("QUILLMARKE.TXT", "BridgeMates\r\n");
  EXPECT_TRUE(ReadDeviceKind());
  EXPECT_TRUE(BridgeMatesMode);
  EXPECT_FALSE(TabletsMode);
  EXPECT_TRUE(talk.messages.isEmpty());

  setting("QUILLMARKE.TXT", "BridgeMates \r\n");
  EXPECT_FALSE(ReadDeviceKind());
  EXPECT_TRUE(TabletsMode);
  EXPECT_EQ(talk.messages, QStringList({"Problème: les dispositifs ne sont ni des tablettes ni des BridgeMates! On suppose "
                                        "des tablettes..."}));
  EXPECT_EQ(talk.beepsBefore("Problème"), 1);
  EXPECT_EQ(readBytes(programDir() + "QUILLMARKE.TXT"), "Tablettes\r\n");

  talk.messages.clear();
  setting("QUILLMARKE.TXT", "");
  EXPECT_FALSE(ReadDeviceKind());
  EXPECT_TRUE(talk.messages.isEmpty());
  EXPECT_EQ(readBytes(programDir() + "QUILLMARKE.TXT"), "Tablettes\r\n");
}

TEST_F(SettingsTest, BridgeMatesParametersAreReadLineByLine) {
  setting("BMParams.TXT",
          "1 LeadCard\r\n0 BM2ValidateLeadCard\r\n1 BM2ShowPlayerNames\r\nx MemberNumbersNoBlankEntry\r\n3 AffichageNoms\r\n"
          "123456 BM2PinCode\r\n");
  ReadBMParams();
  EXPECT_TRUE(BmLeadCard);
  EXPECT_FALSE(BmValidateLeadCard);
  EXPECT_TRUE(BmShowPlayerNames);
  EXPECT_FALSE(BmNoBlankMemberNumber);
  EXPECT_EQ(NameDisplayMode, 3);
  EXPECT_EQ(BridgeMatesPin, "1234");
  EXPECT_TRUE(talk.events.isEmpty());

  setting("BMParams.TXT", "1 LeadCard\r\n1\r\n1\r\n1\r\n9 AffichageNoms\r\n");
  ReadBMParams();
  EXPECT_EQ(NameDisplayMode, 1);
  EXPECT_EQ(BridgeMatesPin, "3861");
}

TEST_F(SettingsTest, FirstUseOfBridgeMatesAsksForTheParametersAndSetsTheRegistryInClubMode) {
  platform::MemoryRegistry registry;
  platform::FakeProcesses processes;
  registry.createKey(platform::kBridgeMatesSettingsKey);
  talk.answer(1);
  ReadBMParams();  // not in club mode: the registry is left alone
  ASSERT_EQ(talk.choices.size(), 1);
  EXPECT_EQ(talk.choices[0].form, "TForm93");
  EXPECT_EQ(talk.messages, QStringList({"La première fois que vous utilisez les BridgeMates, vous allez devoir créer "
                                        "certains paramètres. Vous pourrez encore les modifier plus tard dans les "
                                        "options du programme..."}));
  EXPECT_EQ(BridgeMatesPin, "3861");
  EXPECT_EQ(registry.writes, 0);
  // Written even when the window wrote nothing: the message is shown once.
  EXPECT_EQ(readBytes(programDir() + "BMParams.TXT"),
            "1 LeadCard\r\n1 BM2ValidateLeadCard\r\n1 BM2ShowPlayerNames\r\n1 MemberNumbersNoBlankEntry\r\n"
            "1 AffichageNoms\r\n3861 BM2PinCode\r\n");
  ReadBMParams();
  EXPECT_EQ(talk.messages.size(), 1);

  ClubMode = BridgeMatesMode = true;
  QFile::remove(programDir() + "BMParams.TXT");
  talk.answer(1);
  ReadBMParams();
  EXPECT_EQ(registry.value(platform::kBridgeMatesSettingsKey, "OverrideDBSettings"), "no");
  EXPECT_TRUE(processes.events.isEmpty());  // the key exists: the control program is not started
}

TEST_F(SettingsTest, FirstUseWithoutTheControlProgramsKeyRunsItOnce) {
  platform::MemoryRegistry registry;
  platform::FakeProcesses processes;
  ClubMode = BridgeMatesMode = true;
  processes.running << "BMPro.EXE";
  writeBytes(programDir() + "BMPro.EXE", "stand-in");
  talk.answer(1).answer(1);
  ReadBMParams();
  EXPECT_EQ(processes.events, QStringList({"running?: BMPro.EXE", "stop: BMPro.EXE", "start: " + programDir() + "BMPro.EXE"}));
  EXPECT_EQ(talk.pausedMs, 1000);
  ASSERT_EQ(talk.choices.size(), 2);
  EXPECT_EQ(talk.choices[1].form, "TForm97");
  EXPECT_TRUE(talk.choices[1].text.startsWith("BMPro.EXE (BCS) n'a jamais été lancé!"));
  EXPECT_FALSE(registry.keyExists(platform::kBridgeMatesSettingsKey));  // opened, never created

  processes.startResults.insert("BMPRO.EXE", 2);
  QFile::remove(programDir() + "BMParams.TXT");
  talk.answer(1);
  EXPECT_THROW(ReadBMParams(), FatalStopError);
  EXPECT_EQ(talk.messages.last(), "Pas trouvé BMPro.EXE. Impossible de continuer!");

  processes.startResults.insert("BMPRO.EXE", 5);
  QFile::remove(programDir() + "BMParams.TXT");
  talk.answer(1);
  EXPECT_THROW(ReadBMParams(), FatalStopError);
  EXPECT_EQ(talk.messages.last(), "Erreur 5 au lancement de BMPro.EXE. Impossible de continuer! On arrête");
}

// A results folder written without its full path lies in the program folder,
// wherever the program was started from: the tournament files, and the purge
// of old tournaments, never go to the folder the program happens to run in.
TEST_F(SettingsTest, AResultsFolderWithoutFullPathLiesInTheProgramFolder) {
  QDir().mkpath(programDir() + "Donnees");
  setting("PATH.TXT", "Donnees\r\n");
  LoadResultsFolder();
  EXPECT_EQ(DataFolder, programDir() + "Donnees/");
  EXPECT_EQ(readBytes(programDir() + "PATH.TXT"), DataFolder.toUtf8());

  setting("PATH.TXT", ".");
  LoadResultsFolder();
  EXPECT_TRUE(QDir(DataFolder).isAbsolute());
  EXPECT_EQ(QDir(DataFolder).canonicalPath(), QDir(programDir()).canonicalPath());
}
