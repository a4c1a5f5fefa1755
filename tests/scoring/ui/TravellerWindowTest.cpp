// The traveller entry, the opening lead and the adjustments driven with real
// keys, as the director types them.
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "scoring/Adjustments.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ScoringFixture.h"
#include "scoring/ui/AdjustmentWindows.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "scoring/ui/TravellerEntryWindow.h"
#include "support/RecordingInteraction.h"
#include "support/TestSlots.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <functional>

using testing_support::ModalScript;
using testing_support::RecordingInteraction;

namespace {

// Each character to the control that has the keyboard focus.
void Type(QWidget* window, const QString& text) {
  for (const QChar c : text) QTest::keyClick(ModalScript::focusOf(window), c.toLatin1());
}
void Key(QWidget* window, Qt::Key key) { ModalScript::key(window, key); }

}  // namespace

class TravellerWindowTest : public ScoringTest {
 protected:
  void SetUp() override {
    ScoringTest::SetUp();
    RegisterScoringWindows();
    ui::InstallWindowInteraction();
    layOut(3, 6, 2);
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    ScoringTest::TearDown();
  }
  QByteArray var() const { return testing_support::readBytes(DataFolder + QStringLiteral("TEST1.VAR")); }
  QString cell(TForm56& w, int row, int column) const { return w.t->item(row, column)->text(); }
};

TEST_F(TravellerWindowTest, ScoresByNumbers) {
  RecordingInteraction ui;
  EntryByContracts = false;
  CoherenceTest = true;
  TForm56 w;
  w.show();
  Type(&w, QStringLiteral("-50"));
  Key(&w, Qt::Key_Return);
  EXPECT_EQ(ResultScore[slot(1, 1)], -50);
  EXPECT_EQ(cell(w, 1, 4), QStringLiteral("50"));
  EXPECT_TRUE(var().startsWith("1 4 -50 1 1 1 0"));

  Key(&w, Qt::Key_F2);  // times ten
  Key(&w, Qt::Key_Right);
  ASSERT_EQ(w.sheet().board(), 2);  // N/S vulnerable
  Type(&w, QStringLiteral("42"));
  Key(&w, Qt::Key_Return);
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Vérifiez la vulnérabilité...")});
  EXPECT_EQ(ResultScore[slot(2, 1)], kScoreNone);
  Type(&w, QStringLiteral("62"));
  Key(&w, Qt::Key_Return);
  EXPECT_EQ(ResultScore[slot(2, 1)], 620);
  EXPECT_EQ(ResultEwPair[slot(2, 1)], 4);
  EXPECT_TRUE(var().contains("\r\n1 4 620 1 1 2 0"));
  EXPECT_EQ(w.sheet().currentLine(), 2);
}

TEST_F(TravellerWindowTest, ResultKeysAndTheOpeningLead) {
  RecordingInteraction ui;
  EntryByContracts = true;
  AskOpeningLead = true;
  TForm56 w;
  w.show();
  Type(&w, QStringLiteral("p"));
  EXPECT_EQ(ResultContract[slot(1, 1)], QStringLiteral("PASSE"));
  EXPECT_EQ(ResultLead[slot(1, 1)], QStringLiteral("?"));
  EXPECT_TRUE(var().contains(" PASSE\r\n"));
  Type(&w, QStringLiteral("m"));
  EXPECT_EQ(ResultScore[slot(1, 2)], kScoreAverage);
  EXPECT_EQ(ResultLead[slot(1, 2)], QString());
  EXPECT_TRUE(var().contains(" 9998 1 2 1 0 MOY.\r\n"));

  ModalScript script;
  script.on(QStringLiteral("TForm60"), [](QWidget* d) { Key(d, Qt::Key_Return); })
      .on(QStringLiteral("TForm98"), [](QWidget* d) {
        Type(d, QStringLiteral("v1c"));  // a later rank replaces the first
        Key(d, Qt::Key_Return);
      });
  Type(&w, QStringLiteral("4pn="));
  Key(&w, Qt::Key_Return);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(ResultContract[slot(1, 3)], QStringLiteral("4PN="));
  EXPECT_EQ(ResultScore[slot(1, 3)], 420);
  EXPECT_EQ(ResultLead[slot(1, 3)], QStringLiteral("10C"));
  EXPECT_EQ(cell(w, 3, 5), QStringLiteral("10C"));
  EXPECT_TRUE(var().contains(" 420 1 3 1 0 4PN=\r\n"));

  Key(&w, Qt::Key_Up);
  Type(&w, QStringLiteral("p"));
  EXPECT_EQ(ui.messages.last(), QStringLiteral("Résultat déjà introduit!\r\nSupprimez-le d'abord..."));
  EXPECT_EQ(ResultScore[slot(1, 2)], kScoreAverage);
}

TEST_F(TravellerWindowTest, AdjustmentFromTheMenuWithAFreeSplit) {
  RecordingInteraction ui;
  ModalScript script;
  script.on(QStringLiteral("TForm31"), [](QWidget* d) { Type(d, QStringLiteral("a")); })
      .on(QStringLiteral("TForm25"), [](QWidget* d) {
        Type(d, QStringLiteral("1"));
        Key(d, Qt::Key_Return);
      })
      .on(QStringLiteral("TForm32"), [](QWidget* d) {
        Type(d, QStringLiteral("1"));
        Key(d, Qt::Key_Return);
      })
      .on(QStringLiteral("TForm76"), [](QWidget* d) {
        auto* w = static_cast<TForm76*>(d);
        QTest::keyClicks(w->EditNs, QStringLiteral("60"));
        QTest::keyClicks(w->EditEw, QStringLiteral("0"));
        w->ListBox1->setFocus();
        Key(d, Qt::Key_Down);
        Key(d, Qt::Key_Return);
      });
  AdjustmentsAndPenaltiesMenu();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("OK, c'est fait...")});
  EXPECT_EQ(testing_support::readBytes(DataFolder + QStringLiteral("TEST1.ADJ")),
            QByteArray("1 1  6.00000000000000E+0001  1.00000000000000E-0004\r\n"));
}

// A tablets evening: table 2 sent board 1 as "Arbitral" for the director to
// split; the director gave table 3 an average there. His result is drawn in
// blue, the sheet says what that means, and "A" on table 2's line asks the
// split at once.
TEST_F(TravellerWindowTest, SettledLinesInBlueAndATablesArbitralScoreSplitAtOnce) {
  RecordingInteraction ui;
  TableDevicesMode = TabletsMode = true;
  TabletSharedFolder = documentsDir() + QStringLiteral("/Quillmarke");
  TabletSeriesFolder = TabletSharedFolder + QStringLiteral("/Serie");
  const int sent = slot(1, 2), settled = slot(1, 3);
  TestSlots().contract[sent] = QStringLiteral("AJU.");
  TestSlots().score[sent] = kScoreAdjusted;
  TestSlots().contract[settled] = QStringLiteral("MOY.");
  TestSlots().score[settled] = kScoreAverage;
  for (int t = 1; t <= 3; ++t) QDir().mkpath(TabletSeriesFolder + QStringLiteral("1/Table%1").arg(t));
  testing_support::writeBytes(TabletSeriesFolder + QStringLiteral("1/Table3/ARBITRE1.TXT"), "Moyenne\r\n");
  TForm56 w;
  w.show();
  int sentLine = 0, settledLine = 0;
  for (int line = 1; line <= w.sheet().lineCount(); ++line) {
    if (w.sheet().slotOfLine(line) == sent) sentLine = line;
    if (w.sheet().slotOfLine(line) == settled) settledLine = line;
  }
  ASSERT_GT(sentLine, 0);
  EXPECT_EQ(w.t->item(settledLine, 2)->foreground().color(), QColor(Qt::blue));
  EXPECT_EQ(w.t->item(sentLine, 2)->foreground().style(), Qt::NoBrush);
  EXPECT_TRUE(w.LabelSettled->isVisible());
  EXPECT_TRUE(w.LabelSettled->text().startsWith(QStringLiteral("En bleu : réglé par l'arbitre")));

  ModalScript script;
  script.on(QStringLiteral("TForm76"), [](QWidget* d) {
    auto* split = static_cast<TForm76*>(d);
    QTest::keyClicks(split->EditNs, QStringLiteral("60"));
    QTest::keyClicks(split->EditEw, QStringLiteral("40"));
    QTest::keyClick(split->EditEw, Qt::Key_Return);
  });
  w.sheet().setCurrentLine(sentLine);
  Type(&w, QStringLiteral("a"));
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join(u'|').toStdString();
  EXPECT_DOUBLE_EQ(ResultNsPercent[sent], 60);
  EXPECT_DOUBLE_EQ(ResultEwPercent[sent], 40);
  EXPECT_EQ(ResultContract[sent], QStringLiteral("AJU."));
}

// Free percentages typed in the adjustment window count however it is left:
// its button, Enter in a field, Esc; with nothing typed, Esc adjusts nothing.
TEST_F(TravellerWindowTest, FreePercentagesCountWhicheverWayTheWindowIsLeft) {
  RecordingInteraction ui;
  const auto typed = [](const char* ns, const char* ew, const std::function<void(TForm76*)>& leave) {
    return [=](QWidget* d) {
      auto* w = static_cast<TForm76*>(d);
      QTest::keyClicks(w->EditNs, QString::fromLatin1(ns));
      QTest::keyClicks(w->EditEw, QString::fromLatin1(ew));
      leave(w);
    };
  };
  ModalScript script;
  script.on(QStringLiteral("TForm76"), typed("55", "45", [](TForm76* w) { QTest::mouseClick(w->Button1, Qt::LeftButton); }))
      .on(QStringLiteral("TForm76"), typed("70", "30", [](TForm76* w) { QTest::keyClick(w->EditEw, Qt::Key_Return); }))
      .on(QStringLiteral("TForm76"), typed("0", "100", [](TForm76* w) { Key(w, Qt::Key_Escape); }))
      .on(QStringLiteral("TForm76"), typed("6O", "40", [](TForm76* w) { Key(w, Qt::Key_Escape); }))
      .on(QStringLiteral("TForm76"), typed("", "", [](TForm76* w) { Key(w, Qt::Key_Escape); }));
  EXPECT_TRUE(AdjustOneResult(1, 1));
  EXPECT_TRUE(AdjustOneResult(2, 1));
  EXPECT_TRUE(AdjustOneResult(3, 1));
  EXPECT_FALSE(AdjustOneResult(4, 1));
  EXPECT_FALSE(AdjustOneResult(5, 1));
  EXPECT_TRUE(script.done());
  const double expected[3][2] = {{55, 45}, {70, 30}, {0.0001, 100}};
  for (int board = 1; board <= 3; ++board) {
    EXPECT_EQ(ResultContract[slot(board, 1)], QStringLiteral("AJU.")) << board;
    EXPECT_DOUBLE_EQ(ResultNsPercent[slot(board, 1)], expected[board - 1][0]) << board;
    EXPECT_DOUBLE_EQ(ResultEwPercent[slot(board, 1)], expected[board - 1][1]) << board;
  }
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Erreur dans le pourcentage N/S!")});
  for (int board = 4; board <= 5; ++board) EXPECT_EQ(ResultScore[slot(board, 1)], kScoreNone) << board;
  EXPECT_EQ(testing_support::readBytes(DataFolder + QStringLiteral("TEST1.ADJ")).count("\r\n"), 3);
}

// While a result is typed, a click or a double click on the window neither
// moves the sheet nor takes the keyboard from the field: the result goes
// where it was begun.
TEST_F(TravellerWindowTest, ClicksWhileTypingLeaveTheResultWhereItWasBegun) {
  RecordingInteraction ui;
  EntryByContracts = false;
  TForm56 w;
  w.show();
  Type(&w, QStringLiteral("-5"));
  ASSERT_TRUE(w.Edit1->isVisible());
  QTest::mouseDClick(w.LabelBoard, Qt::LeftButton);  // the next board, when no result is typed
  QTest::mouseDClick(w.OptionLabels[1], Qt::LeftButton);  // times ten
  EXPECT_EQ(w.sheet().board(), 1);
  EXPECT_FALSE(ScoresTimesTen);
  EXPECT_TRUE(w.Edit1->isVisible());
  Type(&w, QStringLiteral("0"));
  Key(&w, Qt::Key_Return);
  EXPECT_FALSE(w.Edit1->isVisible());
  EXPECT_EQ(ResultScore[slot(1, 1)], -50);
  EXPECT_EQ(ResultScore[slot(2, 1)], kScoreNone);
  EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join(u'|').toStdString();

  QTest::mouseDClick(w.LabelBoard, Qt::LeftButton);
  EXPECT_EQ(w.sheet().board(), 2);
}

// Three tables of a Mitchell, six boards, every result typed on the
// travellers with the line skip on, then the frequencies and the ranking.
TEST_F(TravellerWindowTest, ThreeTableTournamentTypedAndRanked) {
  RecordingInteraction ui;
  EntryByContracts = true;
  const QStringList results[6] = {
      {QStringLiteral("4pn="), QStringLiteral("4pn+1"), QStringLiteral("3pn+1")},     // 420 450 170
      {QStringLiteral("3sn="), QStringLiteral("3sn="), QStringLiteral("2pe=")},       // 600 600 -110
      {QStringLiteral("1sn="), QStringLiteral("1sn="), QStringLiteral("1sn=")},
      {QStringLiteral("3sxn-1"), QStringLiteral("2pe="), QStringLiteral("4pe-1")},    // -200 -110 100
      {QStringLiteral("1sn="), QStringLiteral("1sn="), QStringLiteral("1sn=")},
      {QStringLiteral("1sn="), QStringLiteral("1sn="), QStringLiteral("1sn=")},
  };
  ModalScript script;
  for (int i = 0; i < 18; ++i) script.on(QStringLiteral("TForm60"), [](QWidget* d) { Key(d, Qt::Key_Return); });
  TForm56 w;
  w.show();
  Key(&w, Qt::Key_F5);
  for (const QStringList& board : results)
    for (const QString& contract : board) {
      Type(&w, contract);
      Key(&w, Qt::Key_Return);
    }
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join(u'|').toStdString();
  Key(&w, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(ResultScore[slot(4, 1)], -200);
  EXPECT_EQ(ResultScore[slot(4, 3)], 100);

  // Computed from the tournament menu: frequencies, then results.
  TForm5 menu;
  menu.showMenu();
  menu.findChild<QPushButton*>("Button6")->click();
  menu.findChild<QPushButton*>("Button9")->click();
  menu.hide();
  // Worked out by hand: percentages of each board, averaged over six boards.
  // N/S 1: 50 75 50 0 50 50; N/S 2: 100 75 50 50 50 50; N/S 3: 0 0 50 100 50 50.
  // E/W 1 meets tables 1, 3, 2: 50 25 50 0 50 50; E/W 2 tables 2, 1, 3:
  // 0 25 50 100 50 50; E/W 3 tables 3, 2, 1: 100 100 50 50 50 50.
  const double expected[7] = {0, 275.0 / 6, 375.0 / 6, 250.0 / 6, 225.0 / 6, 275.0 / 6, 400.0 / 6};
  for (int p = 1; p <= 6; ++p) EXPECT_NEAR(PairFinalScore[p], expected[p], 1e-9) << "pair " << p;
}

TEST_F(TravellerWindowTest, LeadWindowNeedsRankAndSuitAndEscGivesNone) {
  RecordingInteraction ui;
  ModalScript script;
  QString rank;
  script.on(QStringLiteral("TForm98"), [&](QWidget* d) {
    Type(d, QStringLiteral("p"));
    Key(d, Qt::Key_Return);  // a suit alone: the window stays
    Type(d, QStringLiteral("v2"));
    rank = d->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
    Key(d, Qt::Key_Escape);
  });
  ui::TextQuestion question;
  question.form = QStringLiteral("TForm98");
  const std::optional<QString> lead = ui::interaction().askText(question);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(rank, QStringLiteral("2"));
  EXPECT_EQ(lead.value_or(QStringLiteral("-")), QString());
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Il faut introduire une carte (ou cliquer sur \"Entame inconnue\")!")});
}
