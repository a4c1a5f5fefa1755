#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "core/ui/Application.h"
#include "core/ui/ModalScript.h"
#include "core/ui/Printer.h"
#include "core/ui/WindowInteraction.h"
#include "flows/StartScreen.h"
#include "flows/ui/StartScreenWindow.h"
#include "support/PdfReading.h"
#include "support/TestState.h"

#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QTabWidget>
#include <QRadioButton>
#include <QGroupBox>

using testing_support::writeBytes;

using testing_support::NonEmptyLines;
using testing_support::PdfPages;
using testing_support::PdfWords;

class PrinterTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallTextPrinter();
  }
  void TearDown() override {
    ui::SetPrintToPdfFile(QString());
    flowWindows().printText = nullptr;
    TalvaronTest::TearDown();
  }
};

TEST_F(PrinterTest, PrintoutFontIsBoldFixedPitchTwelvePoints) {
  const QFont font = ui::PrintoutFont();
  EXPECT_TRUE(ui::HasFixedPitch(font));
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.pointSize(), 12);
}

TEST_F(PrinterTest, PrintoutToAPdfFileHoldsEveryLineOnItsPages) {
  ClubName = QStringLiteral("Bridge Club de Lyon");
  VersionText = QStringLiteral("7.12.7");
  DateYear = QStringLiteral("2026");
  TournamentCode = QStringLiteral("AB12");
  TournamentName = QStringLiteral("Tournoi du lundi");
  DateText = QStringLiteral("07/12/26");
  BeginTempPrintout();
  for (int i = 1; i <= 120; ++i) PrintFileWriter.writeLine(QStringLiteral("Ligne %1 du classement").arg(i, 3, 10, QLatin1Char('0')));
  PrintFileWriter.writeLine(QString(QChar(12)));
  PrintFileWriter.writeLine(QStringLiteral("Dernière page"));
  CloseTextFile(PrintFileWriter);

  const QString pdf = documentsDir() + "/sortie.pdf";
  ui::SetPrintToPdfFile(pdf);
  ui::ScriptedInteraction script;
  PrintTextFile(PrintFile, true);

  EXPECT_EQ(script.messages.size(), 1);
  EXPECT_TRUE(script.messages.value(0).startsWith(QStringLiteral("L’impression est terminée.")));
  const QStringList pages = PdfPages(pdf);
  ASSERT_GE(pages.size(), 3) << "120 lines take more than one page, and the form feed starts one more";
  EXPECT_EQ(NonEmptyLines(pages.last()), QStringList{QStringLiteral("Dernière page")});

  QStringList printed;
  for (const QString& page : pages) printed << NonEmptyLines(page);
  ASSERT_EQ(printed.size(), 3 + 120 + 1);  // banner lines that hold text, the body, the last page
  EXPECT_EQ(printed[0], "Bridge Club de Lyon                Talvaron version 7.12.7 - 2026");
  EXPECT_EQ(printed[1], "AB12      07/12/26 20:00:00                    Tournoi du lundi");
  EXPECT_EQ(printed[2], QString(75, QLatin1Char('_')));
  for (int i = 1; i <= 120; ++i)
    EXPECT_EQ(printed[2 + i], QStringLiteral("Ligne %1 du classement").arg(i, 3, 10, QLatin1Char('0')));
  // The first page is full before the second begins.
  EXPECT_GT(NonEmptyLines(pages[0]).size(), 40);
}

// The widest line decides the size of the fixed-pitch font: a listing of 130
// columns fits the printable width in a smaller size, a narrow one keeps its
// 12 points.
TEST_F(PrinterTest, TheWidestLineFitsThePrintableWidth) {
  const QString wide = QStringLiteral("Début") + QString(119, QLatin1Char('x')) + QStringLiteral(" FIN%");
  const QString narrow = QStringLiteral("Court FIN%");
  double wideHeight = 0, narrowHeight = 0;
  for (const QString& line : {wide, narrow}) {
    writeBytes(PrintFile, (line.toLatin1() + "\r\n"));
    const QString pdf = documentsDir() + "/largeur.pdf";
    QFile::remove(pdf);
    ui::SetPrintToPdfFile(pdf);
    ui::ScriptedInteraction script;
    PrintTextFile(PrintFile, true);
    const testing_support::PdfLayout pdfLayout = PdfWords(pdf);
    const auto& words = pdfLayout.words;
    ASSERT_EQ(words.size(), 2) << line.size();
    EXPECT_EQ(words.last().text, "FIN%");
    EXPECT_GT(pdfLayout.pageWidth, 500);
    EXPECT_LT(words.last().xMax, pdfLayout.pageWidth) << "the last column stays on the page";
    (line == wide ? wideHeight : narrowHeight) = words.last().yMax - words.last().yMin;
  }
  // 130 columns of a 12-point fixed-pitch font would take about 940 points.
  EXPECT_LT(wideHeight, narrowHeight * 0.75);
  EXPECT_GT(wideHeight, narrowHeight * 0.4);
}

// Many printers cannot print near the paper's edge: a printout stands
// between margins of at least 10 mm (28.35 points), alike on both sides,
// whether its lines fill the width (the banner's rules, 75 columns, and a
// longer line) or not.
TEST_F(PrinterTest, MarginsAreBalancedAndAtLeastTenMillimetres) {
  const double tenMm = 720 / 25.4;
  for (int columns : {75, 90, 30}) {
    SCOPED_TRACE(columns);
    writeBytes(PrintFile, "Haut\r\n" + QByteArray(columns, '-') + "\r\nBas\r\n");
    const QString pdf = documentsDir() + QStringLiteral("/marges%1.pdf").arg(columns);
    ui::SetPrintToPdfFile(pdf);
    ui::ScriptedInteraction script;
    PrintTextFile(PrintFile, true);
    const testing_support::PdfLayout pdfLayout = PdfWords(pdf);
    ASSERT_EQ(pdfLayout.words.size(), 3);
    double left = pdfLayout.pageWidth, right = pdfLayout.pageWidth, top = pdfLayout.pageHeight;
    for (const auto& word : pdfLayout.words) {
      left = std::min(left, word.xMin);
      right = std::min(right, pdfLayout.pageWidth - word.xMax);
      top = std::min(top, word.yMin);
    }
    EXPECT_GE(left, tenMm);
    EXPECT_GE(right, tenMm);
    EXPECT_NEAR(left, right, 1.5);
    EXPECT_GE(top, tenMm);
    // The rule starts the lines: the other lines begin where it begins.
    EXPECT_NEAR(pdfLayout.words[0].xMin, pdfLayout.words[1].xMin, 0.5);
  }
}

// A new account without a Documents folder: the start creates it, and a
// listing goes through the print dialog to the PDF file it proposes, named
// for the tournament, without an error; the closing remark names the file.
TEST_F(PrinterTest, AFreshAccountWithoutDocumentsPrintsAListingToPdf) {
  const QString documents = documentsDir() + "/nouveau/Documents";
  ASSERT_FALSE(QFileInfo::exists(documents));
  qputenv("TALVARON_DOCUMENTS_FOLDER", documents.toUtf8());
  writeBytes(programDir() + "JOUEURS.TXT", "DUPONT Jean 123\r\n");
  ui::InstallWindowInteraction();
  {
    TForm1 screen;  // the program's start
    EXPECT_EQ(DocumentsFolder, documents);
    EXPECT_TRUE(QFileInfo(documents).isDir());

    TournamentCode = QStringLiteral("HOWA");
    for (int p = 1; p <= 4; ++p) {
      PairNumbers[p] = p <= 2 ? p : 2 - p;
      PairLabels[p] = QStringLiteral("JOUEUR%1 - PARTENAIRE%1").arg(p);
    }
    QString proposed;
    QStringList shown;
    testing_support::ModalScript script;
    script
        .on("PrintDialog",
            [&](QWidget* w) {
              if (auto* name = w->findChild<QLineEdit*>(QStringLiteral("filename"))) proposed = name->text();
              testing_support::ModalScript::key(w, Qt::Key_Return);
            })
        .on("TForm26", [&](QWidget* w) {
          for (auto* memo : w->findChildren<QPlainTextEdit*>()) shown << memo->toPlainText();
          testing_support::ModalScript::key(w, Qt::Key_Return);
        });
    PrintPairsList();
    EXPECT_TRUE(script.done());
    const QString pdf = documents + "/HOWA-paires.pdf";
    EXPECT_EQ(proposed, pdf);
    EXPECT_TRUE(QFileInfo(documents + "/TEMP.TXT").isFile());
    ASSERT_TRUE(QFileInfo(pdf).isFile());
    EXPECT_TRUE(PdfPages(pdf).value(0).contains("JOUEUR3 - PARTENAIRE3"));
    EXPECT_TRUE(shown.join('|').contains(QDir::toNativeSeparators(pdf))) << shown.join('|').toStdString();
  }
  ui::setInteraction(nullptr);
  flowWindows() = FlowWindows{};
}

// Qt's own dialogs speak French inside the program: the print dialog's
// buttons read "Imprimer" and "Annuler".
TEST_F(PrinterTest, ThePrintDialogSpeaksFrench) {
  ASSERT_TRUE(ui::InstallFrenchTranslations()) << "Qt's French translations are installed with the program's dependencies";
  QPrinter printer;
  QPrintDialog dialog(&printer);
  QStringList captions;
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) captions << button->text().remove(QLatin1Char('&'));
  EXPECT_TRUE(captions.contains("Imprimer")) << captions.join('|').toStdString();
  EXPECT_TRUE(captions.contains("Annuler")) << captions.join('|').toStdString();
  EXPECT_FALSE(captions.contains("Print") || captions.contains("Cancel")) << captions.join('|').toStdString();
  // The duplex choices of its options, which Qt's catalogue leaves in English.
  QStringList options;
  for (QAbstractButton* button : dialog.findChildren<QRadioButton*>()) options << button->text();
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) options << group->title();
  EXPECT_TRUE(options.contains("Impression recto verso")) << options.join('|').toStdString();
  EXPECT_TRUE(options.contains("Reliure sur le bord long")) << options.join('|').toStdString();

  // "Propriétés": the printer's properties, their title and their tabs.
  QPushButton* properties = dialog.findChild<QPushButton*>(QStringLiteral("properties"));
  ASSERT_NE(properties, nullptr);
  QString title;
  QStringList tabs;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!shown || shown == &dialog) return;
    title = shown->windowTitle();
    for (QTabWidget* tabWidget : shown->findChildren<QTabWidget*>())
      for (int i = 0; i < tabWidget->count(); ++i) tabs << tabWidget->tabText(i);
    shown->reject();
  });
  poll.start(10);
  properties->click();
  poll.stop();
  EXPECT_EQ(title, QStringLiteral("Propriétés de l'imprimante"));
  EXPECT_TRUE(tabs.contains(QStringLiteral("Avancé"))) << tabs.join('|').toStdString();
  EXPECT_FALSE(tabs.contains(QStringLiteral("Advanced")));
}
