#include "flows/GeneralOptions.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "support/TestState.h"

#include <QProcess>

#include <unistd.h>

#include <algorithm>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class GeneralOptionsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    GeneralOptionsMode = true;  // set-up time: nothing to recompute
  }
  QByteArray setting(const QString& name) const { return readBytes(programDir() + name); }
  bool exists(const QString& name) const { return QFile::exists(programDir() + name); }
  ui::ScriptedInteraction talk;
};

TEST_F(GeneralOptionsTest, MixingKeepsItsFileOnlyForANonStandardPercentage) {
  writeBytes(programDir() + "PANACHEPCKT.TXT", "15\r\n");
  MixingPercent = 15;
  talk.answer(2).answerText("10");
  ChooseMixing();
  EXPECT_FALSE(exists("PANACHEPCKT.TXT"));
  EXPECT_EQ(MixingPercent, 10);
  EXPECT_EQ(talk.choices.last().extra.value("current").toInt(), 2);

  // Above 100 is refused at once; 15 is then kept in its file.
  talk.answer(2).answerText("150").answerText("15");
  ChooseMixing();
  EXPECT_EQ(talk.messages, QStringList({"Désolé, \"150\" n'est pas un pourcentage (de 0 à 100)!"}));
  EXPECT_EQ(setting("PANACHEPCKT.TXT"), "15\r\n");
  EXPECT_EQ(MixingPercent, 15);

  // Esc on the value, or on the window, changes nothing.
  talk.answer(2).answerCancel().answer(0);
  ChooseMixing();
  ChooseMixing();
  EXPECT_EQ(setting("PANACHEPCKT.TXT"), "15\r\n");
  EXPECT_EQ(MixingPercent, 15);
  EXPECT_TRUE(talk.allAnswered());
}

TEST_F(GeneralOptionsTest, EntryByContractsTogglesItsTwoFilesButNotWithDevices) {
  RunOption(kOptionEntry);
  EXPECT_EQ(setting("CONTRAT.TXT"), "Contrat\r\n");
  EXPECT_EQ(setting("DemanderEntame.TXT"), "Entame demand\xE9" "e\r\n");
  EXPECT_TRUE(EntryByContracts && AskOpeningLead);
  EXPECT_EQ(FillOptionSummary().entry, "Marque par contrat");

  RunOption(kOptionEntry);
  EXPECT_FALSE(exists("CONTRAT.TXT") || exists("DemanderEntame.TXT"));
  EXPECT_FALSE(EntryByContracts || AskOpeningLead);
  EXPECT_EQ(FillOptionSummary().entry, "Marque par nombre");

  TableDevicesMode = TabletsMode = true;
  EntryByContracts = true;
  RunOption(kOptionEntry);
  EXPECT_TRUE(EntryByContracts);
  EXPECT_FALSE(exists("CONTRAT.TXT"));
  EXPECT_EQ(talk.messages, QStringList({"Impossible de modifier le type de marque dans un tournoi avec tablettes ou "
                                        "BridgeMates..."}));
  EXPECT_FALSE(FillOptionSummary().entryEnabled);
}

TEST_F(GeneralOptionsTest, MitchellChoiceWithABadFileIsReportedAndTheFileDeleted) {
  writeBytes(programDir() + "MITCHELLPAIR.TXT", "x\r\n");
  SavedMitchellType = 2;
  ChooseMitchellType();  // no question: the window closes at once
  EXPECT_EQ(talk.messages, QStringList({"Bug! Valeur incorrecte (x dans " + programDir() +
                                        "MITCHELLPAIR.TXT! On suppose qu'on posera la qestion..."}));
  EXPECT_FALSE(exists("MITCHELLPAIR.TXT"));
  EXPECT_EQ(SavedMitchellType, 0);

  talk.answer(3);
  ChooseMitchellType();
  EXPECT_EQ(setting("MITCHELLPAIR.TXT"), "2\r\n");
  EXPECT_EQ(FillOptionSummary().mitchell, "Il y a une table-relais");
  talk.answer(1);
  ChooseMitchellType();
  EXPECT_EQ(talk.choices.last().extra.value("current").toInt(), 3);
  EXPECT_FALSE(exists("MITCHELLPAIR.TXT"));
}

TEST_F(GeneralOptionsTest, ByePositionIsCheckedBeforeItIsSaved) {
  EXPECT_FALSE(ApplyByePosition(2, "", false));
  EXPECT_FALSE(ApplyByePosition(2, "x3", false));
  EXPECT_FALSE(ApplyByePosition(2, "3", true));
  EXPECT_FALSE(exists("choixBYE.TXT"));
  EXPECT_EQ(talk.messages,
            QStringList({"Si vous ne cochez pas la case \"Au numéro le plus élevé\", il faut absolument introduire un "
                         "numéro (ou laisser la position du BYE telle qu'elle est avec la touche ESC)",
                         "Ce n'est pas un nombre!",
                         "Vous ne pouvez pas cocher la case \"Au numéro le plus élevé\" et en même temps indiquer un "
                         "nombre!"}));
  EXPECT_TRUE(ApplyByePosition(2, "", true));
  EXPECT_EQ(setting("choixBYE.TXT"), "2 9999\r\n");
  EXPECT_EQ(ByePositionText(), "Numéro le plus élevé en E/W");
  EXPECT_TRUE(ApplyByePosition(1, " 4 ", false));
  EXPECT_EQ(FillOptionSummary().byePosition, "En N/S au numéro 4");
  ForgetByePosition();
  EXPECT_EQ(FillOptionSummary().byePosition, "Demandée systématiquement");
}

TEST_F(GeneralOptionsTest, ClubBoxAndResultsFolder) {
  SetClubMode(true);
  EXPECT_EQ(setting("BRALMET.TXT"), "Ce programme tourne au Bralmet...\r\n");
  const OptionSummary club = FillOptionSummary();
  EXPECT_TRUE(club.clubMode);
  EXPECT_EQ(talk.messages, QStringList({"Pas trouvé le fichier des membres du Bralmet; il faut absolument le créer..."}));
  SetClubMode(false);
  EXPECT_FALSE(ClubMode || exists("BRALMET.TXT"));

  const QString before = DataFolder;
  const QByteArray pathFile = setting("PATH.TXT");
  EXPECT_FALSE(ChangeResultsFolder("C:\\Résultats"));
  EXPECT_FALSE(ChangeResultsFolder(rootDir() + QString::fromUtf8("Ré\u0151")));
  EXPECT_EQ(talk.messages.mid(1),
            QStringList({"Sous Windows 10 ou +, désolé, aucun caractère diacritique (\"é\") ne peut être utilisé dans "
                         "le nom d'un dossier!",
                         "Sous Windows 10 ou +, désolé, aucun caractère diacritique (\"é\") ne peut être utilisé dans "
                         "le nom d'un dossier!"}));
  EXPECT_FALSE(ChangeResultsFolder(rootDir() + QString::fromUtf8("Tourn\u0151i")));
  EXPECT_EQ(DataFolder, before);
  EXPECT_EQ(setting("PATH.TXT"), pathFile);
  QDir().mkpath(rootDir() + "Tournois");  // as the folder browser gives it: a folder that exists
  EXPECT_TRUE(ChangeResultsFolder(rootDir() + "Tournois"));
  EXPECT_EQ(DataFolder, rootDir() + "Tournois/");
  EXPECT_EQ(setting("PATH.TXT"), (rootDir() + "Tournois/").toUtf8());
}

// Another copy of the program is played here by the system's "flock"
// command holding the lock file that copy would have written.
TEST_F(GeneralOptionsTest, AResultsFolderAnotherCopyWorksInIsRefusedUntilItEnds) {
  const QString other = rootDir() + "Club/";
  writeBytes(other + "TALVARON.LCK", "4242\r\n2026-12-07T19:30:00\r\n");
  // The holder keeps the lock in its one process, and says when it has it.
  QProcess holder;
  holder.start("sh", {"-c", "exec 9<\"$0\"; flock 9; echo locked; exec sleep 10", other + "TALVARON.LCK"});
  ASSERT_TRUE(holder.waitForStarted(10000));
  ASSERT_TRUE(holder.waitForReadyRead(10000));
  ASSERT_EQ(holder.readAllStandardOutput(), "locked\n");
  const QString before = DataFolder;
  const QByteArray pathFile = setting("PATH.TXT");
  EXPECT_FALSE(ChangeResultsFolder(other));
  EXPECT_EQ(talk.messages, QStringList({"Talvaron tourne déjà sur le dossier des résultats " + other +
                                        " depuis le 07/12/2026 à 19:30:00 (processus 4242). Deux programmes sur les "
                                        "mêmes fichiers perdraient des résultats: choisissez un autre dossier."}));
  EXPECT_EQ(DataFolder, before);
  EXPECT_EQ(setting("PATH.TXT"), pathFile);

  // Once the other copy has ended (however it ended), the folder is taken and
  // its lock names this process; leaving it for another folder lets it go.
  holder.kill();
  ASSERT_TRUE(holder.waitForFinished(10000));
  EXPECT_TRUE(ChangeResultsFolder(other));
  EXPECT_EQ(DataFolder, other);
  EXPECT_EQ(readBytes(other + "TALVARON.LCK"), QByteArray::number(::getpid()) + "\r\n2026-12-07T20:00:00\r\n");
  EXPECT_TRUE(ChangeResultsFolder(other));  // the same folder again
  EXPECT_EQ(QProcess::execute("flock", {"-n", other + "TALVARON.LCK", "true"}), 1);
  EXPECT_TRUE(ChangeResultsFolder(dataDir()));
  EXPECT_EQ(QProcess::execute("flock", {"-n", other + "TALVARON.LCK", "true"}), 0);
}

TEST_F(GeneralOptionsTest, TheLoopRunsEachCodeUntilEsc) {
  // The PBN options window is closed at once; an unknown code does nothing.
  talk.answer(kOptionTimesTen).answer(kOptionLineSkip).answer(1).answer(kOptionPbn).answer(0).answer(99).answer(0);
  RunGeneralOptions();
  EXPECT_TRUE(ScoresTimesTen && SheetLineSkip);
  EXPECT_EQ(setting("MARQUEX10.TXT"), "Marque x 10\r\n");
  EXPECT_EQ(setting("SAUTAUTO.TXT"), "X\r\n");
  EXPECT_TRUE(talk.messages.isEmpty());
  EXPECT_TRUE(std::any_of(talk.choices.begin(), talk.choices.end(),
                          [](const ui::Choice& c) { return c.form == "TForm107"; }));
  EXPECT_TRUE(talk.allAnswered());
}

}  // namespace
