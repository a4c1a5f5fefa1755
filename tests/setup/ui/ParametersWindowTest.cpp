#include "core/Flows.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "flows/StartScreen.h"
#include "flows/ui/StartScreenWindow.h"
#include "platform/Clock.h"
#include "setup/PairsEntry.h"
#include "setup/Parameters.h"
#include "setup/Players.h"
#include "setup/ui/ExistingTournamentWindow.h"
#include "setup/ui/NewTournamentParametersWindow.h"
#include "support/TestState.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

using testing_support::ModalScript;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class ParametersWindowTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    platform::setFixedNow(QDateTime(QDate(2026, 5, 18), QTime(19, 30)));
    SetDateGlobals();
  }
  void TearDown() override {
    flowWindows() = FlowWindows{};
    TalvaronTest::TearDown();
  }
};

TEST_F(ParametersWindowTest, TheStartScreenLeadsToTheDefaultsOfTheDay) {
  ui::ScriptedInteraction talk;
  writeBytes(programDir() + "JOUEURS.TXT", "DUPONT Jean 123\r\n");
  TForm1 start;
  TForm2 w;
  start.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&start));
  start.findChild<QPushButton*>("SpeedButton1")->click();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(start.isVisible());
  EXPECT_EQ(PlayerCount, 1);
  EXPECT_EQ(w.Date->text(), "18/05/2026");
  EXPECT_EQ(w.Nom->text(), "Tournoi du Lundi 18/05/2026");
  EXPECT_EQ(w.Code->text(), "20260518");
  EXPECT_TRUE(w.RadioGroup1->button(0)->isChecked());
  w.RadioGroup1->button(1)->click();
  EXPECT_EQ(w.Code->text(), "TEST");

  // "Retour au menu" brings the start screen back.
  w.Button1->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(start.isVisible());
}

TEST_F(ParametersWindowTest, OkWithBridgeMatesWritesTheNameFileThenShowsThePairsEntry) {
  ui::ScriptedInteraction talk;
  TableDevicesMode = BridgeMatesMode = PairsEntered = true;
  bool pairsEntryShown = false;
  flowWindows().showPairsEntry = [&] { pairsEntryShown = true; };
  TForm2 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.Code->setText("T1");
  w.OK->click();
  EXPECT_EQ(talk.messages.takeLast(), "Désolé, avec les BridgeMates, le code est obligatoirement YYYYMMDD!");
  EXPECT_EQ(w.Code->text(), "20260518");
  EXPECT_TRUE(w.isVisible());

  talk.answerText("8");  // the number of pairs, then the information on the names
  talk.answer(1);
  QTest::keyClick(w.OK, Qt::Key_Return);
  EXPECT_EQ(readBytes(programDir() + "NOMBM.TXT"), "20260518\r\n18/05/2026\r\nTournoi du Lundi 18/05/2026\r\n");
  EXPECT_TRUE(QFile::exists(dataDir() + "20260518.DAT"));
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(pairsEntryShown);
  EXPECT_EQ(PairCount, 8);
  flowWindows().showPairsEntry = nullptr;
}

TEST_F(ParametersWindowTest, AnExistingTournamentRaisesTheQuestionWindow) {
  ui::InstallWindowInteraction();
  writeBytes(dataDir() + "OLD.PAI", "1 0 0 A - B\xA3" "A\xA3" "B\r\n");
  TForm2 w;
  TForm3 question;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.Code->setText("OLD");
  QString heading;
  ModalScript script;
  script.on("TForm3", [&](QWidget* d) {
    heading = d->findChild<QLabel*>("Label1")->text();
    EXPECT_TRUE(d->findChild<QPushButton*>("Button1")->hasFocus());
    d->findChild<QPushButton*>("Button2")->click();
  });
  w.OK->click();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(heading, "Le tournoi OLD existe!");
  EXPECT_EQ(ChoiceResult, kOtherCode);
  EXPECT_TRUE(QFile::exists(dataDir() + "OLD.PAI"));
  EXPECT_TRUE(w.isVisible());

  // Leaving the code field asks at once; "erase" there erases nothing until OK.
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.Code->setFocus();
  ModalScript again;
  again.on("TForm3", [](QWidget* d) { QTest::keyClick(d->findChild<QPushButton*>("Button1"), Qt::Key_Return); })
      .on("TForm91", [](QWidget* d) { ModalScript::type(d, "o"); });
  QTest::keyClick(w.Code, Qt::Key_Tab);
  EXPECT_TRUE(again.done());
  EXPECT_TRUE(QFile::exists(dataDir() + "OLD.PAI"));
  ui::ScriptedInteraction talk;
  flowWindows().showPairsEntry = [] {};
  w.OK->click();
  flowWindows().showPairsEntry = nullptr;
  EXPECT_TRUE(talk.choices.isEmpty());
  EXPECT_FALSE(QFile::exists(dataDir() + "OLD.PAI"));
  EXPECT_TRUE(QFile::exists(dataDir() + "OLD.DAT"));
  ui::setInteraction(nullptr);
}

// A tournament typed again by habit: Enter on the question, then Enter on
// the confirmation, leaves every file of it where it was; a confirmed erase
// keeps them in the backups.
TEST_F(ParametersWindowTest, EnterTwiceErasesNothingAndAConfirmedEraseKeepsTheFilesInTheBackups) {
  ui::InstallWindowInteraction();
  const QMap<QString, QByteArray> files = {
      {"OLD.PAI", "1 0 0 A - B\xA3" "A\xA3" "B\r\n"},
      {"OLD.DAT", "11/05/2026\r\nLundi"},
      {"OLD.VAR", "1 4 420 1 1 1 0 4PN=\r\n2 5 10000 1 2 1 0 ?\r\n0\r\n3 6 -50 1 3 1 0 4PN-1\r\n"},
      {"OLD.SEA", "0  62.5000 0 0 A/B\r\n"}};
  for (auto f = files.cbegin(); f != files.cend(); ++f) writeBytes(dataDir() + f.key(), f.value());
  TForm2 w;
  TForm3 question;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.Code->setText("OLD");
  QString confirmation;
  ModalScript script;
  script.on("TForm3", [](QWidget* d) { ModalScript::key(d, Qt::Key_Return); })
      .on("TForm91", [&](QWidget* d) {
        confirmation = d->findChild<QLabel*>("Label1")->text();
        ModalScript::key(d, Qt::Key_Return);
      });
  QTest::keyClick(w.OK, Qt::Key_Return);
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(confirmation.startsWith("Voulez-vous vraiment effacer le tournoi OLD (2 résultats)?"))
      << confirmation.toStdString();
  EXPECT_TRUE(w.isVisible());
  for (auto f = files.cbegin(); f != files.cend(); ++f) EXPECT_EQ(readBytes(dataDir() + f.key()), f.value());
  EXPECT_FALSE(QDir(rootDir() + "BackupsTalvaron").exists());

  // Confirmed with its letter: the old files go to a folder of today's backups.
  ModalScript confirmed;
  confirmed.on("TForm3", [](QWidget* d) { ModalScript::key(d, Qt::Key_Return); })
      .on("TForm91", [](QWidget* d) { ModalScript::type(d, "o"); });
  bool pairsEntryShown = false;
  flowWindows().showPairsEntry = [&] { pairsEntryShown = true; };
  QTest::keyClick(w.OK, Qt::Key_Return);
  flowWindows().showPairsEntry = nullptr;
  ui::setInteraction(nullptr);
  EXPECT_TRUE(confirmed.done());
  EXPECT_TRUE(pairsEntryShown);
  const QString kept = rootDir() + "BackupsTalvaron/20260518/Efface-OLD-193000/";
  for (auto f = files.cbegin(); f != files.cend(); ++f) EXPECT_EQ(readBytes(kept + f.key()), f.value()) << f.key().toStdString();
  for (const char* gone : {"OLD.PAI", "OLD.VAR", "OLD.SEA"}) EXPECT_FALSE(QFile::exists(dataDir() + gone)) << gone;
  EXPECT_EQ(readBytes(dataDir() + "OLD.DAT"), "18/05/2026\r\nLundi");  // the new tournament's
}

// A second session started from the first one's pairs: the first keeps all
// it has (its results to be cumulated), the second gets copies of its
// identity and pairs files.
TEST_F(ParametersWindowTest, ANewTournamentWithTheOldPairsLeavesTheOldOneWhole) {
  ui::InstallWindowInteraction();
  const QByteArray identity = "01/05/2026\r\nVendredi";
  const QByteArray pairs = "1 0 0 A - B\xA3" "A\xA3" "B\r\n-1 0 0 C - D\xA3" "C\xA3" "D\r\n";
  const QStringList results = {"OLD.VAR", "OLD.MUL", "OLD.SEA", "OLD.ADJ", "OLD.PEN"};
  writeBytes(dataDir() + "OLD.DAT", identity);
  writeBytes(dataDir() + "OLD.PAI", pairs);
  for (const QString& name : results) writeBytes(dataDir() + name, name.toLatin1() + "\r\n");
  writeBytes(dataDir() + "SOIR2.SEA", "an older second session\r\n");
  TForm2 w;
  TForm3 question;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.Code->setText("OLD");
  ModalScript script;
  script.on("TForm3", [](QWidget* d) { d->findChild<QPushButton*>("Button6")->click(); })
      .on("TForm40", [](QWidget* d) {
        auto* field = d->findChild<QLineEdit*>("Edit1");
        EXPECT_EQ(field->text(), "20260518");
        field->selectAll();
        QTest::keyClicks(field, "SOIR2");
        QTest::keyClick(field, Qt::Key_Return);
      });
  bool pairsEntryShown = false;
  flowWindows().showPairsEntry = [&] { pairsEntryShown = true; };
  w.OK->click();
  flowWindows().showPairsEntry = nullptr;
  ui::setInteraction(nullptr);
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(pairsEntryShown);
  EXPECT_EQ(ChoiceResult, kNewWithPairs);
  EXPECT_EQ(TournamentCode, "SOIR2");
  EXPECT_EQ(TournamentName, "Tournoi SOIR2");
  EXPECT_EQ(PairLabels[2], "C - D");
  EXPECT_EQ(readBytes(dataDir() + "OLD.DAT"), identity);
  EXPECT_EQ(readBytes(dataDir() + "OLD.PAI"), pairs);
  for (const QString& name : results) EXPECT_EQ(readBytes(dataDir() + name), name.toLatin1() + "\r\n") << name.toStdString();
  EXPECT_EQ(readBytes(dataDir() + "SOIR2.DAT"), identity);
  EXPECT_EQ(readBytes(dataDir() + "SOIR2.PAI"), pairs);
  EXPECT_FALSE(QFile::exists(dataDir() + "SOIR2.SEA"));  // the new code starts clean
}

}  // namespace
