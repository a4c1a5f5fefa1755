#include "core/Flows.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "platform/Clock.h"
#include "setup/PairsEntry.h"
#include "setup/Parameters.h"
#include "support/TestState.h"

#include <QFile>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class ParametersTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    platform::setFixedNow(QDateTime(QDate(2024, 2, 27), QTime(18, 0)));
    SetDateGlobals();
    ParametersCreate(view);
    flowWindows().showStartScreen = [this] { calls << "start screen"; };
    flowWindows().hideParametersWindow = [this] { calls << "hide"; };
    flowWindows().showPairsEntry = [this] { calls << "pairs entry"; };
  }
  void TearDown() override {
    flowWindows() = FlowWindows{};
    TalvaronTest::TearDown();
  }
  bool exists(const QString& name) const { return QFile::exists(dataDir() + name); }
  // An old tournament "OLD" with its identity and pairs files.
  void oldTournament() {
    writeBytes(dataDir() + "OLD.DAT", "01/02/2024\r\nJeudi");
    writeBytes(dataDir() + "OLD.PAI", "1 0 0 A - B\xA3" "A\xA3" "B\r\n-1 0 0 C - D\xA3" "C\xA3" "D\r\n");
    writeBytes(dataDir() + "OLD.VAR", "0\r\n");
  }

  ui::ScriptedInteraction talk;
  ParametersView view;
  QStringList calls;
};

TEST_F(ParametersTest, EachRefusedCodeSaysWhyAndLeavesTheWindowOpen) {
  const auto refused = [this](const QString& date, const QString& code) {
    view.date = date;
    view.code = code;
    EXPECT_FALSE(ParametersOk(view)) << code.toStdString();
    return talk.messages.takeLast();
  };
  EXPECT_EQ(refused("27/02/2024", ""), "Le code du tournoi ne peut être vide! Recommencez...");
  const QString characters = "Désolé, uniquement des caractères alphanumériques: aA...zZ 1...0";
  EXPECT_EQ(refused("27/02/2024", "A-1"), characters);
  EXPECT_EQ(refused("27/02/2024", "été"), characters);
  EXPECT_TRUE(refused("27:02", "T1").contains("\":\""));
  // Letters that only become ASCII in capitals: the files would be named
  // "ISTANBUL.PAI" or "SOIR.PAI" for another code.
  EXPECT_EQ(refused("27/02/2024", QStringLiteral("\u0131stanbul")), characters);
  EXPECT_EQ(refused("27/02/2024", QStringLiteral("\u017Foir")), characters);
  EXPECT_EQ(refused("27/02/2024", QStringLiteral("\u212A1")), characters);  // the Kelvin sign, "k" in small letters
  // Names Windows keeps for its devices, in any case: "CON.PAI" is no file.
  for (const char* device : {"CON", "nul", "Prn", "aux", "COM1", "com9", "LPT1", "Lpt3"})
    EXPECT_EQ(refused("27/02/2024", device), QStringLiteral("Désolé, \"%1\" est un nom réservé par Windows (un périphérique) "
                                                            "et ne peut pas servir de code de tournoi! Recommencez...")
                                                 .arg(device));
  EXPECT_TRUE(CodeRuleMessage("CONSOLE").isEmpty());
  EXPECT_TRUE(CodeRuleMessage("COM10").isEmpty());
  EXPECT_TRUE(CodeRuleMessage("LPT").isEmpty());
  TableDevicesMode = BridgeMatesMode = true;
  EXPECT_EQ(refused("27/02/2024", "T1"), "Désolé, avec les BridgeMates, le code est obligatoirement YYYYMMDD!");
  EXPECT_EQ(view.code, "20240227");
  EXPECT_TRUE(calls.isEmpty());
  EXPECT_TRUE(TournamentCode.isEmpty());
  EXPECT_FALSE(QFile::exists(programDir() + "NOMBM.TXT"));
}

TEST_F(ParametersTest, AGoodCodeWritesTheIdentityFileThenGoesToThePairsEntry) {
  BridgeMatesMode = true;  // without the devices box: no date rule, the name file all the same
  view.code = "ab12";
  view.name = "Tournoi été";
  view.date = "";
  EXPECT_TRUE(ParametersOk(view));
  EXPECT_EQ(TournamentCode, "ab12");
  EXPECT_EQ(DateText, "Aujourd'hui");
  EXPECT_EQ(readBytes(programDir() + "NOMBM.TXT"), "ab12\r\nAujourd'hui\r\nTournoi \xE9t\xE9\r\n");
  EXPECT_EQ(readBytes(dataDir() + "ab12.DAT"), "27/02/2024\r\nMardi");
  EXPECT_EQ(calls, QStringList({"hide", "pairs entry"}));
}

TEST_F(ParametersTest, AnExistingTournamentIsErasedOnlyWhenChosenAndOnlyByOk) {
  oldTournament();
  view.code = "OLD";
  talk.answer(kOtherCode);
  EXPECT_FALSE(ParametersOk(view));
  EXPECT_EQ(talk.questions.last(), "Le tournoi OLD existe!");
  EXPECT_TRUE(exists("OLD.PAI") && exists("OLD.VAR"));

  // "Erase" is confirmed first; declined, nothing is left for OK to erase.
  talk.answer(kEraseOld).answer(7);
  ParametersCodeLeft(view);
  EXPECT_TRUE(talk.questions.last().startsWith("Voulez-vous vraiment effacer le tournoi OLD (aucun résultat)? Ses "
                                               "fichiers seront déplacés dans le dossier des sauvegardes "));
  writeBytes(dataDir() + "OLD.VAR", "1 4 420 1 1 1 0 4PN=\r\n");
  talk.answer(kOtherCode);
  EXPECT_FALSE(ParametersOk(view));
  EXPECT_TRUE(exists("OLD.PAI") && exists("OLD.VAR"));

  // Leaving the code field with a confirmed "erase" erases nothing; OK then
  // moves the old files to the backups without asking again and writes the
  // identity file.
  writeBytes(dataDir() + "old.var", "a twin copied from Windows\r\n");
  talk.answer(kEraseOld).answer(6);
  ParametersCodeLeft(view);
  EXPECT_TRUE(talk.questions.last().startsWith("Voulez-vous vraiment effacer le tournoi OLD (1 résultat)?"));
  EXPECT_TRUE(exists("OLD.PAI") && exists("OLD.VAR"));
  EXPECT_TRUE(ParametersOk(view));
  EXPECT_TRUE(talk.allAnswered());
  EXPECT_EQ(talk.questions.size(), 6);
  EXPECT_FALSE(exists("OLD.PAI") || exists("OLD.VAR"));
  const QString kept = rootDir() + "BackupsTalvaron/20240227/Efface-OLD-180000/";
  EXPECT_EQ(readBytes(kept + "OLD.VAR") + readBytes(kept + "old.var.2") + readBytes(kept + "OLD.VAR.2") +
                readBytes(kept + "old.var"),
            "1 4 420 1 1 1 0 4PN=\r\na twin copied from Windows\r\n");  // whichever spelling came first
  EXPECT_FALSE(exists("old.var"));
  EXPECT_EQ(readBytes(dataDir() + "OLD.DAT"), "27/02/2024\r\nMardi");
  EXPECT_EQ(calls, QStringList({"hide", "pairs entry"}));

  // A federation tournament asks nothing.
  oldTournament();
  FederationMode = true;
  EXPECT_EQ(TournamentExists("OLD"), 1);
}

// "Erase" confirmed on leaving the code field, then "Retour au menu": the
// next visit's OK on the same code asks again instead of erasing at once.
TEST_F(ParametersTest, LeavingTheWindowForgetsAConfirmedErase) {
  oldTournament();
  view.code = "OLD";
  talk.answer(kEraseOld).answer(6);
  ParametersCodeLeft(view);
  ParametersBack();
  EXPECT_EQ(calls, QStringList({"hide", "start screen"}));
  // The window is made once: the next visit finds its fields as they were.
  talk.answer(kOtherCode);
  EXPECT_FALSE(ParametersOk(view));
  EXPECT_TRUE(talk.allAnswered());
  EXPECT_EQ(talk.questions.last(), "Le tournoi OLD existe!");
  EXPECT_TRUE(exists("OLD.PAI") && exists("OLD.VAR") && exists("OLD.DAT"));
}

// The confirmation names the very folder the files then go to, however long
// the director takes before OK.
TEST_F(ParametersTest, TheEraseGoesToTheFolderItsQuestionNamed) {
  oldTournament();
  view.code = "OLD";
  talk.answer(kEraseOld).answer(6);
  ParametersCodeLeft(view);
  const QString named = rootDir() + "BackupsTalvaron/20240227/Efface-OLD-180000/";
  EXPECT_EQ(talk.questions.last(), "Voulez-vous vraiment effacer le tournoi OLD (aucun résultat)? Ses fichiers seront "
                                   "déplacés dans le dossier des sauvegardes " + named + ". (O = Oui, effacer ; ENTER = Non)");
  platform::setFixedNow(QDateTime(QDate(2024, 2, 27), QTime(18, 1, 30)));
  EXPECT_TRUE(ParametersOk(view));
  EXPECT_EQ(readBytes(named + "OLD.PAI"), "1 0 0 A - B\xA3" "A\xA3" "B\r\n-1 0 0 C - D\xA3" "C\xA3" "D\r\n");
  EXPECT_FALSE(QFile::exists(rootDir() + "BackupsTalvaron/20240227/Efface-OLD-180130"));
}

TEST_F(ParametersTest, ANewCodeForTheOldPairsIsCheckedBeforeAnythingIsCopied) {
  oldTournament();
  writeBytes(dataDir() + "NEW.PAI", "1 0 0 X - Y\xA3" "X\xA3" "Y\r\n");
  view.code = "OLD";
  const auto tryCode = [this](const QString& code, int replace = 0) {
    talk.answer(kNewWithPairs).answerText(code);
    if (replace != 0) talk.answer(replace);
    return ParametersOk(view);
  };
  EXPECT_FALSE(tryCode("A-1"));
  EXPECT_FALSE(tryCode("old"));
  EXPECT_EQ(talk.messages.last(), "Désolé, le nouveau code doit être différent de l'ancien (OLD)! Recommencez...");
  EXPECT_FALSE(tryCode("NEW", 7));
  EXPECT_EQ(talk.questions.last(), "Le tournoi NEW existe aussi! Voulez-vous vraiment l'effacer et le remplacer?");
  EXPECT_TRUE(exists("OLD.PAI") && exists("OLD.VAR"));
  EXPECT_EQ(readBytes(dataDir() + "NEW.PAI"), "1 0 0 X - Y\xA3" "X\xA3" "Y\r\n");

  EXPECT_TRUE(tryCode("NEW", 6));
  EXPECT_TRUE(talk.allAnswered());
  EXPECT_EQ(readBytes(rootDir() + "BackupsTalvaron/20240227/Efface-NEW-180000/NEW.PAI"),
            "1 0 0 X - Y\xA3" "X\xA3" "Y\r\n");  // the tournament replaced
  EXPECT_EQ(ChoiceResult, 6);
  EXPECT_TRUE(exists("OLD.PAI") && exists("OLD.DAT") && exists("OLD.VAR"));  // the old tournament stays whole
  EXPECT_EQ(readBytes(dataDir() + "NEW.DAT"), "01/02/2024\r\nJeudi");
  EXPECT_EQ(TournamentCode, "NEW");
  EXPECT_EQ(TournamentName, "Tournoi NEW");
  EXPECT_EQ(Player1Names[1], "A");
  EXPECT_EQ(calls, QStringList({"hide", "pairs entry"}));

  // An empty code stops the program.
  oldTournament();
  talk.answer(kNewWithPairs).answerText("");
  view.code = "OLD";
  EXPECT_THROW(ParametersOk(view), FatalStopError);
}

TEST_F(ParametersTest, ShortParametersReplaceBadCharacters) {
  TournamentCode = "OLD";
  EXPECT_TRUE(ShortParametersOk("", "", ""));
  EXPECT_EQ(TournamentCode, "27X02X2024");
  EXPECT_EQ(DateText, "Aujourd'hui");
  EXPECT_EQ(TournamentName, "Tournoi standard");
  EXPECT_EQ(talk.messages.size(), 3);
  EXPECT_EQ(talk.messages.first(), "Le code du tournoi ne peut être vide! On prend 27/02/2024");

  // A device's name is no file's name: an X makes it one.
  talk.messages.clear();
  EXPECT_TRUE(ShortParametersOk("", "", "Nul"));
  EXPECT_EQ(TournamentCode, "NulX");
  EXPECT_EQ(talk.messages, QStringList({"Désolé, \"Nul\" est un nom réservé par Windows (un périphérique) et ne peut pas "
                                        "servir de code de tournoi! On ajoute un X..."}));
  TournamentCode = "27X02X2024";

  // Another tournament's code is taken only when the director agrees.
  writeBytes(dataDir() + "T2.PAI", "1 0 0 X - Y\xA3" "X\xA3" "Y\r\n");
  talk.answer(7);
  EXPECT_FALSE(ShortParametersOk("1/3/2024", "Soir", "T2"));
  EXPECT_EQ(TournamentCode, "27X02X2024");
  EXPECT_TRUE(talk.choices.last().extra.value("defaultNo").toBool());  // Enter answers no
  EXPECT_TRUE(exists("T2.PAI"));

  // Agreed, the tournament replaced is kept in the backups first.
  talk.answer(6);
  EXPECT_TRUE(ShortParametersOk("1/3/2024", "Soir", "T2"));
  EXPECT_EQ(TournamentCode, "T2");
  EXPECT_FALSE(exists("T2.PAI"));
  EXPECT_EQ(readBytes(rootDir() + "BackupsTalvaron/20240227/Efface-T2-180000/T2.PAI"), "1 0 0 X - Y\xA3" "X\xA3" "Y\r\n");
}

}  // namespace
