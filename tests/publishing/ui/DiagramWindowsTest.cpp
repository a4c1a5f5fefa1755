#include "core/Globals.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "flows/TournamentMenu.h"
#include "platform/Process.h"
#include "devices/BridgeMatesTables.h"
#include "publishing/DiagramDisplay.h"
#include "publishing/HandRecords.h"
#include "publishing/PbnImport.h"
#include "publishing/ui/DiagramOptionsWindow.h"
#include "publishing/ui/DiagramsWindow.h"
#include "publishing/ui/PbnFileChoiceWindow.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "publishing/ui/PublishingWindowsFixture.h"
#include "setup/ui/MovementViewWindow.h"
#include "core/ui/Printer.h"
#include "support/PdfReading.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using testing_support::ModalScript;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class DiagramWindowsTest : public PublishingWindowsFixture {};

TEST_F(DiagramWindowsTest, MovementWindowStaysBesideTheMenu) {
  TForm73 window;
  ResultsPerBoard = TableCount = 1;
  RoundCount = 1;
  ResultSlotCount = 2;
  MitchellNumbering = true;
  for (int slot = 1; slot <= 2; ++slot) {
    TestSlots().round[slot] = TestSlots().table[slot] = TestSlots().nsPair[slot] = 1;
    TestSlots().ewPair[slot] = 2;
  }
  MovementClick();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_FALSE(window.isModal());
  EXPECT_EQ(window.windowTitle(), "Mouvement");
  EXPECT_EQ(window.Memo1->toPlainText().split('\n').last(), " 1     1    1   1   1-2");
  ChoiceResult = 5;
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(ChoiceResult, 0);
}

TEST_F(DiagramWindowsTest, DiagramsWindowAnswersItsButtons) {
  writeBytes(ProgramFolder + "Diagrolet.EXE", "");
  platform::FakeProcesses processes;
  DealCount = 1;
  DealDiagrams[1] = QStringLiteral("Board 1\r\n--------\r\n");
  ModalScript script;
  script.on("TForm64", [](QWidget* w) {
    auto* window = qobject_cast<TForm64*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Memo1->toPlainText(), "Board 1\n--------\n");
    EXPECT_TRUE(window->Label1->text().startsWith("Mitchell"));
    window->Button3->click();
  });
  ShowDiagrams();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(ChoiceResult, 2);
  EXPECT_EQ(processes.events.last(), "start: " + ProgramFolder + "Diagrolet.EXE Talvaron");
}

// Without the diagram program, "Imprimer au format WYSIWYG" prints the hand
// records: each deal with its number and its par, or why it has none.
TEST_F(DiagramWindowsTest, TheFormattedHandRecordsArePrintedWithEachDealsPar) {
  TabletSharedFolder = tmp_.path() + QStringLiteral("/Quillmarke");
  TableDevicesMode = TabletsMode = true;
  TournamentCode = QStringLiteral("MAR8");
  DataFolder = dataDir();
  PairCount = 6;
  RoundCount = 3;
  BoardsPerTable = 2;
  DealCount = 7;
  // Each seat holds a whole suit: N/S's grand slam in spades is the par,
  // 1510 not vulnerable, 2210 vulnerable (boards 2, 4, 5 and 7).
  for (int board = 1; board <= 6; ++board)
    ASSERT_FALSE(WritePbnDealDiagram(board, "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432"));
  ASSERT_FALSE(WritePbnDealDiagram(7, "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT9876543"));
  LoadDiagramFiles();
  {
    ModalScript told;
    told.on("TForm26", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });  // the refused deal's message
    StartDealAnalyses();
    WaitForDealAnalyses();
  }
  const QString pdf = tmp_.path() + "/records.pdf";
  ui::SetPrintToPdfFile(pdf);
  ModalScript script;
  script.on("TForm64", [](QWidget* w) { qobject_cast<TForm64*>(w)->Button3->click(); });
  ShowDiagrams();
  ui::SetPrintToPdfFile(QString());
  EXPECT_TRUE(script.done());
  const QString text = testing_support::PdfPages(pdf).join("\n");
  ASSERT_FALSE(text.isEmpty());
  EXPECT_TRUE(text.contains("Mitchell 6 paires 3 tours 2 Etuis/Table"));
  const QString pars[7] = {"Par N/S +1510", "Par N/S +2210", "Par N/S +1510", "Par N/S +2210",
                           "Par N/S +2210", "Par N/S +1510", "Pas de tableau du"};
  for (int board = 1; board <= 7; ++board) {
    const qsizetype at = text.indexOf(QStringLiteral("Donne %1").arg(board));
    ASSERT_GE(at, 0) << board;
    const qsizetype next = board < 7 ? text.indexOf(QStringLiteral("Donne %1").arg(board + 1)) : text.size();
    EXPECT_TRUE(text.mid(at, next - at).contains(pars[board - 1])) << board;
  }
  EXPECT_TRUE(text.contains("d'Ouest a 12 cartes au"));  // the reason, wrapped beside the hands
  EXPECT_GE(testing_support::PdfPages(pdf).size(), 2);  // several deals a page, seven need two
}

TEST_F(DiagramWindowsTest, ChooserListsThePbnFilesSorted) {
  DiagramFolder = tmp_.path() + QStringLiteral("/Etuis/");
  writeBytes(DiagramFolder + "mardi.pbn", "");
  writeBytes(DiagramFolder + "Lundi.PBN", "");
  ModalScript script;
  script.on("TForm85", [](QWidget* w) {
    auto* window = qobject_cast<TForm85*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ListBox1->item(0)->text(), "Lundi");
    ModalScript::key(w, Qt::Key_Down);
    ModalScript::key(w, Qt::Key_Down);
    ModalScript::key(w, Qt::Key_Return);
  });
  EXPECT_EQ(ChoosePbnFile(), DiagramFolder + "mardi.pbn");
  EXPECT_TRUE(script.done());
}

TEST_F(DiagramWindowsTest, OptionsWindowWritesEachChange) {
  PbnOption = 4;
  PbnName = QStringLiteral("SEANCE");
  TForm107 window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.Items->button(3)->isChecked());
  ASSERT_TRUE(window.Edit2->isVisible());
  EXPECT_EQ(window.Edit2->text(), "SEANCE");
  ModalScript script;
  script.on("TForm26", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); });
  window.Edit2->setFocus();
  window.Edit2->selectAll();
  QTest::keyClicks(window.Edit2, "TEST.pbn");
  QTest::keyClick(window.Edit2, Qt::Key_Tab);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(window.Edit2->text(), "TEST");
  EXPECT_EQ(readBytes(programDir() + "NOMPBN.TXT"), "TEST\r\n");
  window.Items->button(1)->click();
  EXPECT_EQ(readBytes(programDir() + "OPTIONPBN.TXT"), "2\r\n");
  EXPECT_FALSE(window.Edit2->isVisible());
}

}  // namespace
