// The results window and the printed listings driven as the director does,
// on the club tournament, down to the PDF file of the printout.
#include "core/Flows.h"
#include "core/Interaction.h"
#include "core/Printing.h"
#include "core/ui/ModalScript.h"
#include "core/ui/Printer.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"
#include "scoring/ClubTournament.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultListings.h"
#include "scoring/ui/PageBreakWindow.h"
#include "scoring/ui/ResultsWindow.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "support/PdfReading.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QPushButton>
#include <QTest>

using testing_support::ModalScript;

namespace {

// The non-empty lines of a file or of a PDF's text, each with its runs of
// blanks made one (the PDF-to-text tool only approximates the spacing).
std::string Simplified(const QString& text) {
  QStringList lines;
  for (const QString& line : text.split(QRegularExpression("\r?\n|\f")))
    if (!line.trimmed().isEmpty()) lines << line.simplified();
  return lines.join('\n').toStdString();
}

QString PdfText(const QString& pdf) { return testing_support::PdfPages(pdf).join(QChar(12)); }

TForm17* ResultsWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<TForm17*>(w)) return form;
  return nullptr;
}

QPushButton* Button(QWidget* window, const QString& caption) {
  for (QPushButton* b : window->findChildren<QPushButton*>())
    if (b->text() == caption) return b;
  return nullptr;
}

}  // namespace

class ResultsWindowTest : public ClubTournamentTest {
 protected:
  void SetUp() override {
    ClubTournamentTest::SetUp();
    RegisterScoringWindows();
    ui::InstallWindowInteraction();
    ui::SetPrintToPdfFile(pdf());
  }
  void TearDown() override {
    if (TForm17* w = ResultsWindow()) w->close();
    ui::SetPrintToPdfFile(QString());
    flowWindows().printText = nullptr;
    flowWindows().showResults = nullptr;
    ui::setInteraction(nullptr);
    ClubTournamentTest::TearDown();
  }
  QString pdf() const { return documentsDir() + "/classement.pdf"; }
};

TEST_F(ResultsWindowTest, WindowStaysBesideTheMenuAndPrintsTheLayoutItShows) {
  loadAndCompute();
  {
    ModalScript script;
    script.on("TForm16", [](QWidget* w) { ModalScript::type(w, "f"); });  // "&Fusionnés"
    ShowPairResults();
    EXPECT_TRUE(script.done());
  }
  TForm17* window = ResultsWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isMaximized());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_FALSE(window->Memo2->isVisible());
  // N/S 1 and E/W 2 tie at 41.67: in the ranking's order, E/W 2 first.
  EXPECT_TRUE(window->Memo1->toPlainText().contains("5      E2     GIRARD Zoé - MERCIER Max"));
  EXPECT_TRUE(window->Memo1->toPlainText().contains("==     N1     DUPONT Jean - MARTIN Paul"));

  // A silent refresh rewrites the tablets' files, which leaves separate lists
  // as the shared layout; the window still prints its merged list.
  WriteResultFiles();
  WriteDeviceResultsFiles();
  ASSERT_FALSE(OneWinnerMitchell);
  {
    ModalScript script;
    script.on("TForm19", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); })
        .on("TForm26", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); });  // the PDF remark
    window->BitBtn1->click();
    EXPECT_TRUE(script.done());
  }
  const QString printed = platform::decodeText(testing_support::readBytes(PrintFile));
  EXPECT_TRUE(printed.contains("\r\n   5    E2  GIRARD Zoé - MERCIER Max.................................   41.67\r\n"));
  EXPECT_EQ(Simplified(PdfText(pdf())), Simplified(printed));

  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ResultsWindowTest, SeparateListingsBreakThePageAndTheChoiceIsRemembered) {
  loadAndCompute();
  ModalScript script;
  script.on("TForm18", [](QWidget* w) { ModalScript::type(w, "s"); })
      .on("TForm19", [](QWidget* w) {
        w->findChild<QLineEdit*>()->setText("Après 3 tours");
        ModalScript::key(w, Qt::Key_Escape);  // Esc keeps the text too
      })
      .on("TForm113", [](QWidget* w) {
        auto* form = static_cast<TForm113*>(w);
        EXPECT_FALSE(form->CheckBox1->isChecked());
        form->CheckBox1->setChecked(true);
        Button(w, "&Toujours faire un saut de page automatique entre les N/S et E/W ")->click();
      })
      .on("TForm26", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); });
  PrintPairResults(true);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(testing_support::readBytes(programDir() + "SautAutomatique.TXT"), "1\r\n");
  const QString printout = platform::decodeText(testing_support::readBytes(PrintFile));
  EXPECT_TRUE(printout.contains("Après 3 tours                                     --> Calculs comme à la main"));
  // The form feed starts the E/W list on a page of its own.
  const QStringList pages = PdfText(pdf()).split(QChar(12), Qt::SkipEmptyParts);
  ASSERT_GE(pages.size(), 2);
  EXPECT_EQ(pages[1].trimmed().left(13), "Résultats E/W");
  EXPECT_EQ(Simplified(pages.join("\n")), Simplified(printout));
}

// The offscreen screen is 800 x 800 and draws a frame of 2 pixels around a
// window: 796 x 796 inside it. The form is 880 x 740, relatively wider than
// that: the window takes the whole width, 796, and 796 x 740 / 880 = 669.4,
// so 669 of height, 2 + (796 - 669) / 2 = 65 down; its frame 800 x 673.
TEST_F(ResultsWindowTest, OpensAsLargeAsTheScreenAllowsWithTheFormsProportions) {
  loadAndCompute();
  const auto show = [] {
    ModalScript script;
    script.on("TForm16", [](QWidget* w) { ModalScript::type(w, "f"); });  // "&Fusionnés"
    ShowPairResults();
    EXPECT_TRUE(script.done());
  };
  show();
  TForm17* window = ResultsWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->screen()->availableGeometry(), QRect(0, 0, 800, 800));
  EXPECT_EQ(window->geometry(), QRect(2, 65, 796, 669));
  EXPECT_EQ(window->frameGeometry(), QRect(0, 63, 800, 673));
  EXPECT_FALSE(window->isMaximized());

  // The text follows the window's width: three quarters of the width, three
  // quarters of the size; the form's own width, the form's own sizes.
  const qreal shown = window->Memo1->font().pointSizeF();
  window->resize(597, 502);
  EXPECT_NEAR(window->Memo1->font().pointSizeF() / shown, 0.75, 0.01);
  window->resize(TForm17::kFormSize);
  EXPECT_NEAR(window->Memo1->font().pointSizeF() / shown, 880.0 / 796, 0.01);
  {
    TForm17 fresh;
    EXPECT_NEAR(window->Memo1->font().pointSizeF(), fresh.Memo1->font().pointSizeF(), 0.01);
    EXPECT_NEAR(window->Label4->font().pointSizeF(), fresh.Label4->font().pointSizeF(), 0.01);
  }

  // Shown again after the director resized it: the screen's size again.
  window->hide();
  show();
  EXPECT_EQ(window->geometry(), QRect(2, 65, 796, 669));
}

// A window manager frames a window only once it is shown, so on its first
// display the results window does not know its frame yet; it still leaves
// room for it. The run named ResultsWindowBeforeItsFrame gives windows no
// frame while shown (as such a window manager does): there, the frame to
// come is a title bar of 24 pixels and borders of 4, less than any window
// manager draws; elsewhere it is the frame the screen reports.
TEST_F(ResultsWindowTest, FirstDisplayLeavesRoomForTheFrameToCome) {
  loadAndCompute();
  OneWinnerMitchell = true;
  TForm17 window;
  window.showView(PairResultsView());
  const QRect area = window.screen()->availableGeometry();
  const QMargins reported = ui::KnownFrame(&window);
  const QMargins frame = reported.isNull() ? QMargins(4, 24, 4, 4) : reported;
  const QRect framed = window.geometry().marginsAdded(frame);
  EXPECT_TRUE(area.contains(framed)) << framed.x() << "," << framed.y() << " " << framed.width() << "x" << framed.height();
  // Still as large as the screen allows, within a generous frame.
  EXPECT_GE(window.width(), area.width() - 2 * 10);
  EXPECT_NEAR(window.height(), window.width() * 740.0 / 880, 1);
}

TEST(ResultsWindowGeometry, LargestRectangleOfTheFormsRatioCentredOnTheScreen) {
  const QSize form(720, 740);
  // A wide screen: its height; 1040 x 720 / 740 = 1011.9.
  EXPECT_EQ(ScaledToScreen(form, QRect(0, 0, 1920, 1040)), QRect(454, 0, 1012, 1040));
  // A screen standing up: its width; 600 x 740 / 720 = 616.7, 203 from the top.
  EXPECT_EQ(ScaledToScreen(form, QRect(0, 0, 600, 1024)), QRect(0, 203, 600, 617));
  // A second screen beside the first, below a panel of 24 pixels.
  EXPECT_EQ(ScaledToScreen(form, QRect(1920, 24, 1280, 1000)), QRect(2073, 24, 973, 1000));
  // The same proportions: the whole screen.
  EXPECT_EQ(ScaledToScreen(QSize(400, 300), QRect(0, 0, 800, 600)), QRect(0, 0, 800, 600));
}
