#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/State.h"
#include "devices/FederationImport.h"
#include "devices/FederationSetup.h"
#include "devices/SessionDatabase.h"
#include "support/FederationSession.h"

#include <QDir>
#include <QFile>

using testing_support::readBytes;
using testing_support::writeBytes;

// No database yet in the club's folder.
class FederationSetupTest : public testing_support::FederationTest {
 protected:
  void SetUp() override {
    FederationTest::SetUp();
    InitGlobals();  // clock fixed at 2026-12-07 20:00
    ffb.reset();
    QFile::remove(file);
    folder = rootDir() + "FFB/";
  }
  // Today's session: a Mitchell of tables tables, rounds rounds, named.
  void session(const QString& name, int tables, int rounds) {
    file = folder + name;
    fresh();
    mitchell(tables, rounds, 2);
    ffb->addMitchellPlayers(tables, true);
    ffb.reset();
  }

  QString folder;
};

TEST_F(FederationSetupTest, TheClubNumberIsAskedUntilGivenAndStoredTrimmed) {
  QFile::remove(programDir() + "LICENCEFFB.TXT");
  talk.answerText("").answerText("  ").answerText(" 1234 ");
  ReadClubFederationNumber();
  EXPECT_EQ(ClubFederationNumber, "1234");
  EXPECT_EQ(talk.messages, QStringList({"Le champ ne peut être vide!", "Le champ ne peut être vide!"}));
  EXPECT_EQ(talk.textQuestions[0].form, "TForm72");
  EXPECT_EQ(readBytes(programDir() + "LICENCEFFB.TXT"), "1234\r\n");

  // A file whose line is empty counts as no number.
  writeBytes(programDir() + "LICENCEFFB.TXT", "\r\n");
  talk.answerText("567");
  ReadClubFederationNumber();
  EXPECT_EQ(ClubFederationNumber, "567");
  EXPECT_EQ(readBytes(programDir() + "LICENCEFFB.TXT"), "567\r\n");
  ReadClubFederationNumber();  // now read, not asked
  EXPECT_EQ(talk.textQuestions.size(), 4);

  QString number;
  EXPECT_FALSE(ClubNumberOk("", number));
  EXPECT_TRUE(ClubNumberOk(" 1234 ", number));
  EXPECT_EQ(number, "1234");
}

TEST_F(FederationSetupTest, TheFolderIsNormalisedDefaultedAskedAndWrittenBack) {
  session("1234TPP20261207.BWS", 3, 3);
  QString windows = folder;
  windows.replace('/', '\\');
  writeBytes(programDir() + "FFBFOLDER.TXT", windows.chopped(1).toUtf8() + "\r\n");
  ChooseFfbBwsFile();
  EXPECT_EQ(FederationFolder, folder);
  EXPECT_EQ(FederationBwsFile, folder + "1234TPP20261207.BWS");
  EXPECT_EQ(readBytes(programDir() + "FFBFOLDER.TXT"), folder.toUtf8() + "\r\n");

  // Without the file: the root folder's FFBCLUBNET, asked for when missing.
  QFile::remove(programDir() + "FFBFOLDER.TXT");
  talk.answerPath(folder);
  ChooseFfbBwsFile();
  EXPECT_EQ(talk.messages.last(), "Pas trouvé le chemin vers FFBClubNet. Je vais vous demander de montrer ce dossier...");
  EXPECT_EQ(talk.pathQuestions.last().caption, "Montrez le répertoire FFBClubNet. !! Annuler arrête Talvaron!");
  EXPECT_EQ(FederationFolder, folder);
  QDir().mkpath(rootDir() + "FFBCLUBNET");
  QFile::remove(programDir() + "FFBFOLDER.TXT");
  EXPECT_EQ(stopped(ChooseFfbBwsFile).left(40), "Je n'ai trouvé aucun fichier du type \"12");
  EXPECT_EQ(readBytes(programDir() + "FFBFOLDER.TXT"), (rootDir() + "FFBCLUBNET/").toUtf8() + "\r\n");

  writeBytes(programDir() + "FFBFOLDER.TXT", "  \r\n");
  EXPECT_EQ(stopped(ChooseFfbBwsFile), "Le chemin vers FFBClubFile dans FFBFOLDER.TXT est vide... On quitte!");
}

TEST_F(FederationSetupTest, TodaysDatabasesAreFoundByName) {
  EXPECT_EQ(stopped(ChooseFfbBwsFile), "Je n'ai trouvé aucun fichier du type \"1234xxx20261207y.BWS\" dans " + folder +
                                           ": on arrête Talvaron!");
  session("1234TPP20261206.BWS", 3, 3);  // yesterday's
  session("1234TPP20261207.BWS", 3, 3);
  session("1234TPP20261207A.BWS", 3, 3);
  talk.answerPath(folder + "1234TPP20261207A.BWS");
  ChooseFfbBwsFile();
  EXPECT_EQ(talk.messages.last(), "J'ai trouvé 2 fichiers possibles du type \"1234xxx20261207y.BWS dans " + folder +
                                      " : vous allez choisir le bon...");
  EXPECT_EQ(talk.pathQuestions.last().caption, "Choisissez le BWS. Si vous annulez, on quitte Talvaron!");
  EXPECT_EQ(FederationBwsFile, folder + "1234TPP20261207A.BWS");
  EXPECT_EQ(FederationCandidateFiles(),
            QStringList({folder + "1234TPP20261207.BWS", folder + "1234TPP20261207A.BWS"}));
  talk.answerCancel();
  const qsizetype shown = talk.messages.size();
  EXPECT_TRUE(stopped(ChooseFfbBwsFile).startsWith("J'ai trouvé 2"));  // a cancelled choice stops
  EXPECT_EQ(talk.messages.size(), shown + 1);
}

TEST_F(FederationSetupTest, TheParametersCheckTheCodeThenStartTheTournament) {
  session("1234TPP20261207.BWS", 3, 3);
  ImportFederationSession();
  FederationMode = true;
  FederationParametersView view;
  FederationParametersCreate(view);
  EXPECT_EQ(view.date, "07/12/2026");
  EXPECT_EQ(view.name, "Tournoi du Lundi 07/12/2026");
  EXPECT_EQ(view.code, "TEST");

  int hidden = 0;
  const auto hide = [&] { ++hidden; };
  view.code = "";
  EXPECT_FALSE(FederationParametersOk(view, hide));
  EXPECT_EQ(talk.messages.last(), "Le code du tournoi ne peut être vide! Recommencez...");
  view.code = "ab-12";
  EXPECT_FALSE(FederationParametersOk(view, hide));
  EXPECT_EQ(talk.messages.last(), "Désolé, uniquement des caractères alphanumériques: aA...zZ 1...0");

  // Another tournament of that code is never erased without the question.
  writeBytes(dataDir() + "ab12.PAI", "1 0 0 x£A£B\r\n");
  talk.answer(3);  // another code
  view.code = "ab12";
  EXPECT_FALSE(FederationParametersOk(view, hide));
  EXPECT_EQ(talk.choices.last().form, "TForm3");
  EXPECT_TRUE(QFile::exists(dataDir() + "ab12.PAI"));
  EXPECT_EQ(hidden, 0);

  talk.answer(1).answer(6).answerText("2");  // erase it, confirmed; then the rounds played
  EXPECT_TRUE(FederationParametersOk(view, hide));
  EXPECT_EQ(readBytes(rootDir() + "BackupsTalvaron/20261207/Efface-ab12-200000/ab12.PAI"), "1 0 0 x£A£B\r\n");
  EXPECT_EQ(hidden, 1);
  EXPECT_EQ(RoundsPlayed, 2);
  EXPECT_EQ(BwsFileName, dataDir() + "ab12.BWS");
  EXPECT_EQ(readBytes(BwsFileName), readBytes(FederationBwsFile));
  EXPECT_TRUE(QFile::exists(dataDir() + "ab12.DAT"));
  EXPECT_NE(readBytes(dataDir() + "ab12.PAI"), "1 0 0 x£A£B\r\n");
  EXPECT_EQ(PlayersExpected, 12);
  EXPECT_EQ(PlayersNamed, 12);

  // This import's own code (yyyymmddhh) is taken over without a question.
  const int questions = talk.choices.size();
  writeBytes(dataDir() + "2026120720.PAI", "1 0 0 x£A£B\r\n");
  EXPECT_EQ(FederationCodeCheck("2026120720"), 1);
  EXPECT_FALSE(QFile::exists(dataDir() + "2026120720.PAI"));
  EXPECT_EQ(talk.choices.size(), questions);
}

TEST_F(FederationSetupTest, RoundsAlreadyFewerInFederationAreFixed) {
  session("1234TPP20261207.BWS", 7, 5);
  ImportFederationSession();
  EXPECT_EQ(RoundsScheduled, 7);
  EXPECT_EQ(RoundCount, 5);
  FederationMode = true;
  FederationParametersView view{"", "", "T5"};
  EXPECT_TRUE(FederationParametersOk(view, {}));  // no rounds question
  EXPECT_EQ(DateText, "Aujourd'hui");
  EXPECT_EQ(TournamentName, "Tournoi standard");
  EXPECT_EQ(talk.messages.last(), "Ce tournoi comporte en théorie 7 tours. Dans FFBClubNet, vous avez déjà choisi de n'en "
                                  "jouer que 5. Donc, au contraire du programme standard, vous n'avez plus le choix du "
                                  "nombre de tours réellement joués...");
  EXPECT_EQ(RoundsPlayed, 5);
}
