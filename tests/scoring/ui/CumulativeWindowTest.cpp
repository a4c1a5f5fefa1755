// The cumulative tournament and the recap viewer driven from the windows.
#include "core/Flows.h"
#include "core/ScriptedInteraction.h"
#include "flows/TournamentMenu.h"
#include "flows/ui/CumulativeEndWindow.h"
#include "flows/ui/OptionWindows.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "scoring/ClubTournament.h"
#include "scoring/PairRecaps.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultListings.h"
#include "scoring/ui/PairRecapWindow.h"
#include "scoring/ui/ResultsWindow.h"
#include "scoring/ui/ScoringWindowRegistration.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

template <typename Form>
Form* Window() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<Form*>(w)) return form;
  return nullptr;
}

class CumulativeWindowTest : public ClubTournamentTest {
 protected:
  void SetUp() override {
    ClubTournamentTest::SetUp();
    RegisterScoringWindows();
    RegisterFlowWindows();
  }
  void TearDown() override {
    for (QWidget* w : {static_cast<QWidget*>(Window<TForm17>()), static_cast<QWidget*>(Window<TForm43>())})
      if (w) w->hide();
    if (TForm46* w = Window<TForm46>()) w->hide();
    flowWindows().showResults = nullptr;
    flowWindows().openPairRecap = nullptr;
    flowWindows().fillPairRecap = nullptr;
    flowWindows().closePairRecap = nullptr;
    menuView() = TournamentMenuView{};
    ClubTournamentTest::TearDown();
  }
};

TEST_F(CumulativeWindowTest, ThreeSessionsSavedCumulatedAndShownFromTheMenu) {
  loadAndCompute();
  SaveTournamentAll();
  for (const char* code : {"CLUB8", "CLUB9"}) {  // two more evenings of the same pairs
    TournamentCode = QString::fromLatin1(code);
    PairFinalScore[2] -= 20;
    WriteSessionFile();
  }
  TournamentCode = "CLUB7";
  PairFinalScore[2] += 40;  // the menu saves the current evening again first

  TForm5 menu;
  menu.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  ui::ScriptedInteraction talk;
  talk.answerText("Cumul du club").answerText("CUMCLUB").answer(1).answer(2).answer(3).answer(0);
  menu.findChild<QPushButton*>("Button16")->click();
  EXPECT_TRUE(talk.allAnswered());
  EXPECT_FALSE(menu.isVisible());
  TForm46* end = Window<TForm46>();
  ASSERT_NE(end, nullptr);
  EXPECT_TRUE(end->isVisible());
  EXPECT_EQ(end->windowTitle(), "Fin du cumul");

  end->Button10->click();
  TForm17* results = Window<TForm17>();
  ASSERT_NE(results, nullptr);
  EXPECT_TRUE(results->isVisible());
  const QStringList shown = results->Memo1->toPlainText().split('\n');
  EXPECT_EQ(shown.value(0), "Résultats cumulés des tournois CLUB7 CLUB8 CLUB9");
  // LEFÈVRE/ROUX: 87.50, 67.50 and 47.50 give 67.50, behind PETIT/GRAND.
  EXPECT_EQ(shown.value(4), "1      --     PETIT Léa - GRAND Tom                                   75.00");
  EXPECT_EQ(shown.value(5), "2      --     LEFÈVRE Anne - ROUX Marc                                67.50");
  EXPECT_EQ(shown.size(), 4 + 7) << shown.join("\n").toStdString();

  // The export for BridgeWebs writes one ranking of the cumulation; the
  // upload program is not started.
  talk.answer(0);
  end->Button26->click();
  const QByteArray xml = testing_support::readBytes(dataDir() + "DossierBridgeWebs/2026Dec07C.XML");
  EXPECT_TRUE(xml.contains("LEF\xC3\x88VRE")) << xml.left(400).toStdString();
}

TEST_F(CumulativeWindowTest, RecapViewerAsksTheNextPair) {
  loadAndCompute();
  ui::ScriptedInteraction talk;
  talk.answer(1).answerText("2\tN/S");  // on screen, N/S 2
  PrintPairRecaps(true);
  TForm43* viewer = Window<TForm43>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_TRUE(viewer->Memo1->toPlainText().startsWith("Paire N2 : LEFÈVRE Anne-ROUX Marc"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  talk.answerCancel();  // Esc at the next question closes the viewer
  QTest::keyClick(viewer, Qt::Key_Return);
  EXPECT_TRUE(talk.allAnswered());
  EXPECT_FALSE(viewer->isVisible());
}

}  // namespace
