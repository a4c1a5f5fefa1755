// The scoring's windows driven with real keys and clicks, reached the way the
// routines reach them: through the installed window interaction.
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "scoring/Contract.h"
#include "scoring/Frequencies.h"
#include "scoring/ui/AdjustmentsPrintingWindow.h"
#include "scoring/ui/MissingResultsWindow.h"
#include "scoring/ui/ScoreConfirmationWindow.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using testing_support::ModalScript;
using testing_support::WhenShown;

namespace {

QPushButton* ButtonNamed(QDialog* d, const QString& caption) {
  for (QPushButton* b : d->findChildren<QPushButton*>())
    if (b->text() == caption && b->isVisible()) return b;
  return nullptr;
}

}  // namespace

class ScoringWindowsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    RegisterScoringWindows();
    ui::InstallWindowInteraction();
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }
};

TEST_F(ScoringWindowsTest, ResultWindowEnterConfirmsAndEscCancels) {
  CurrentBoard = 1;
  QString shown, title;
  WhenShown([&](QDialog* d) {
    EXPECT_NE(qobject_cast<TForm60*>(d), nullptr);
    shown = d->findChild<QLabel*>()->text();
    title = d->windowTitle();
    ModalScript::key(d, Qt::Key_Return);
  });
  EXPECT_EQ(ContractParser(QStringLiteral("3sn"), true), 400);
  EXPECT_EQ(shown, QStringLiteral("3SN= : 400"));
  EXPECT_EQ(title, QStringLiteral("Résultat"));
  EXPECT_EQ(ChoiceResult, 1);

  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_Escape); });
  EXPECT_EQ(ContractParser(QStringLiteral("4PXE-2"), true), -1);
  EXPECT_EQ(ChoiceResult, 0);

  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_A); });  // "ESC/Echap= &Annuler"
  EXPECT_FALSE(ConfirmContractScore(QStringLiteral("1TN= : 70")));

  WhenShown([](QDialog* d) { ButtonNamed(d, QStringLiteral("&OK"))->click(); });
  EXPECT_TRUE(ConfirmContractScore(QStringLiteral("1TN= : 70")));
}

TEST_F(ScoringWindowsTest, MissingResultsWindowGoesOnByDefault) {
  TableCount = ResultsPerBoard = 2;
  PairCount = PairSlotCount = 4;
  PairNumbers[1] = 1;
  PairNumbers[2] = 2;
  PairNumbers[3] = -1;
  PairNumbers[4] = -2;
  BoardCount = 1;
  ResultSlotCount = 2;
  RoundsPlayed = 1;
  for (int s = 1; s <= 2; ++s) {
    TestSlots().nsPair[s] = s;
    TestSlots().ewPair[s] = 2 + s;
    TestSlots().round[s] = 1;
  }
  TestSlots().score[1] = 420;
  TestSlots().score[2] = kScoreNone;

  QString memo, label;
  QStringList buttons;
  WhenShown([&](QDialog* d) {
    EXPECT_NE(qobject_cast<TForm15*>(d), nullptr);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Vérification des marques"));
    memo = d->findChild<QPlainTextEdit*>()->toPlainText();
    label = static_cast<TForm15*>(d)->label()->text();
    for (QPushButton* b : static_cast<TForm15*>(d)->buttons()) buttons << b->text();
    ModalScript::key(d, Qt::Key_Return);
  });
  EXPECT_TRUE(CheckMissingResults(false));
  EXPECT_EQ(memo, QStringLiteral("Résultat(s) manquant(s):\n\nDonne 1 : N2/E2"));
  EXPECT_EQ(label, QStringLiteral("On continue quand même?"));
  EXPECT_EQ(buttons, (QStringList{QStringLiteral("&Non"), QStringLiteral("&Oui / ESC")}));
  EXPECT_EQ(ChoiceResult, 2);

  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_N); });
  EXPECT_FALSE(CheckMissingResults(false));
  EXPECT_EQ(ChoiceResult, 1);

  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_Escape); });
  EXPECT_TRUE(CheckMissingResults(false));

  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_O); });
  EXPECT_TRUE(CheckMissingResults(false));

  WhenShown([](QDialog* d) { ButtonNamed(d, QStringLiteral("&Non"))->click(); });
  EXPECT_FALSE(CheckMissingResults(false));

  // A stop from the window leaves the frequencies uncomputed.
  Interactive = true;
  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_N); });
  ComputeFrequencies();
  EXPECT_FALSE(FrequenciesComputed);

  // List only: one button, no question.
  QStringList listButtons;
  WhenShown([&](QDialog* d) {
    for (QPushButton* b : static_cast<TForm15*>(d)->buttons()) listButtons << b->text();
    EXPECT_FALSE(static_cast<TForm15*>(d)->label()->isVisibleTo(d));
    ModalScript::key(d, Qt::Key_Escape);
  });
  EXPECT_FALSE(CheckMissingResults(true));
  EXPECT_EQ(listButtons, QStringList{QStringLiteral("&OK / ESC")});
}

TEST_F(ScoringWindowsTest, PrintQuestionWindow) {
  ui::Choice c;
  c.form = QStringLiteral("TForm21");
  c.caption = QStringLiteral("Question");
  c.text = QStringLiteral("Faut-il imprimer les ajustements et pénalités?");
  c.buttons = {QStringLiteral("&Oui"), QStringLiteral("ESC/Echap = &Non")};
  c.codes = {1, 2};
  c.cancelCode = 2;

  WhenShown([](QDialog* d) {
    EXPECT_NE(qobject_cast<TForm21*>(d), nullptr);
    ModalScript::key(d, Qt::Key_Return);
  });
  EXPECT_EQ(ui::Ask(c), 1);
  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_Escape); });
  EXPECT_EQ(ui::Ask(c), 2);
  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_N); });
  EXPECT_EQ(ui::Ask(c), 2);
  WhenShown([](QDialog* d) { ModalScript::key(d, Qt::Key_O); });
  EXPECT_EQ(ui::Ask(c), 1);
  WhenShown([](QDialog* d) { d->close(); });  // the close box: "no"
  EXPECT_EQ(ui::Ask(c), 2);
}

TEST_F(ScoringWindowsTest, ResultWindowSitsBesideTheEntryWindow) {
  QDialog entry;
  entry.setGeometry(100, 120, 600, 400);
  entry.show();
  QApplication::setActiveWindow(&entry);
  TForm60 window;
  QPoint at;
  WhenShown([&](QDialog* d) {
    at = d->pos();
    ModalScript::key(d, Qt::Key_Escape);
  });
  ui::Choice c;
  c.text = QStringLiteral("3SN= : 400");
  c.buttons = {QStringLiteral("&OK"), QStringLiteral("ESC/Echap= &Annuler")};
  c.codes = {1, 0};
  EXPECT_EQ(window.ask(c), 0);
  EXPECT_EQ(at, entry.frameGeometry().topLeft() + QPoint(400, 50));
}
