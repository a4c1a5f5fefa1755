#include "core/Flows.h"
#include "core/Backups.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "core/ui/Application.h"
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"
#include "flows/Quit.h"
#include "flows/StartScreen.h"
#include "flows/ui/StartScreenWindow.h"
#include "platform/TextFiles.h"
#include "support/TestState.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>
#include <QtTest/QTest>

#include <cerrno>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// Acts on the next modal window as soon as it is up.
void whenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    // Acts once the window is active, so that its focus is where it will stay.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isActiveWindow()) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    }
  });
  timer->start();
}

template <typename T>
T* child(QWidget* w, const char* name) {
  T* c = w->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

bool anyWindowVisible() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) return true;
  return false;
}

}  // namespace

class StartScreenWindowTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    writeBytes(programDir() + "JOUEURS.TXT", "DUPONT Jean 123\r\n");
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    flowWindows() = FlowWindows{};
    TalvaronTest::TearDown();
  }
};

TEST_F(StartScreenWindowTest, WithoutFederationFileTheScreenOffersANewTournament) {
  ui::ScriptedInteraction talk;
  TForm1 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_TRUE(child<QPushButton>(&w, "SpeedButton1")->isVisible());
  EXPECT_EQ(child<QPushButton>(&w, "SpeedButton1")->text(), "Débuter un &nouveau tournoi");
  EXPECT_TRUE(child<QPushButton>(&w, "SpeedButton2")->isVisible());
  EXPECT_FALSE(child<QPushButton>(&w, "SpeedButton3")->isVisible());
  EXPECT_FALSE(child<QPlainTextEdit>(&w, "Memo1")->isVisible());
  EXPECT_EQ(child<QLabel>(&w, "Label3")->text(), "Maximum 42 paires");
  EXPECT_EQ(child<QLabel>(&w, "Label4")->text(), "Maximum 64 boards");
  EXPECT_EQ(child<QLabel>(&w, "label5")->text(), "Version " + VersionText + " pour " + QSysInfo::prettyProductName());
  EXPECT_FALSE(child<QLabel>(&w, "Label9")->isVisible());
  EXPECT_TRUE(child<QRadioButton>(&w, "RadioGroup1Item0")->isChecked());
  EXPECT_FALSE(child<QGroupBox>(&w, "RadioGroup1")->isEnabled());
  EXPECT_FALSE(child<QGroupBox>(&w, "RadioGroup2")->isEnabled());
  EXPECT_FALSE(child<QCheckBox>(&w, "BridgeBox")->isChecked());
  EXPECT_EQ(readBytes(programDir() + "PATH.TXT"), (programDir() + "Resultats/").toUtf8());
  EXPECT_EQ(w.windowTitle(), "Talvaron");
  EXPECT_TRUE(talk.events.isEmpty());
}

TEST_F(StartScreenWindowTest, TheClubsNameFromItsFileTitlesTheScreenAndHeadsThePrintouts) {
  writeBytes(programDir() + "CLUB.TXT", "  Bridge Club de Li\xe8ge \r\n");
  ui::ScriptedInteraction talk;
  TForm1 w;
  EXPECT_EQ(w.windowTitle(), "Talvaron - Bridge Club de Liège");
  EXPECT_TRUE(PrintoutClubLine().startsWith("Bridge Club de Liège       "));
}

TEST_F(StartScreenWindowTest, WithFederationFileTheScreenOffersTheFederationTournament) {
  ui::ScriptedInteraction talk;
  writeBytes(programDir() + "FFB.TXT", "");
  TForm1 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_FALSE(child<QPushButton>(&w, "SpeedButton1")->isVisible());
  EXPECT_TRUE(child<QPushButton>(&w, "SpeedButton3")->isVisible());
  EXPECT_EQ(child<QPushButton>(&w, "SpeedButton3")->text(), "Jouer un tournoi &FFBClubNet");
  EXPECT_TRUE(child<QPlainTextEdit>(&w, "Memo1")->isVisible());
  EXPECT_TRUE(child<QPlainTextEdit>(&w, "Memo1")->toPlainText().startsWith("<- Option inactive\npour la version FFB."));
  EXPECT_TRUE(child<QRadioButton>(&w, "RadioGroup1Item1")->isChecked());
  EXPECT_FALSE(child<QCheckBox>(&w, "CheckBox2")->isEnabled());
  EXPECT_FALSE(child<QCheckBox>(&w, "CheckBox3")->isEnabled());
}

TEST_F(StartScreenWindowTest, ChoosingBridgeMatesWithoutTheTemplateClearsTheDeviceBox) {
  ui::ScriptedInteraction talk;
  writeBytes(programDir() + "QUILLMARKE.TXT", "Tablettes\r\n");
  TForm1 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  auto* box = child<QCheckBox>(&w, "BridgeBox");
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(child<QRadioButton>(&w, "RadioGroup2Item0")->isChecked());

  // Clicked on its indicator: a radio button answers on its circle and caption only.
  auto* bridgeMates = child<QRadioButton>(&w, "RadioGroup2Item1");
  QTest::mouseClick(bridgeMates, Qt::LeftButton, {}, QPoint(6, bridgeMates->height() / 2));
  EXPECT_EQ(talk.messages, QStringList({"Désolé, pas d'utilisation des BridgeMates possible: BRIDGEMATE.BWS n'a pas été "
                                        "trouvé dans ce dossier!"}));
  EXPECT_FALSE(box->isChecked());
  EXPECT_TRUE(child<QRadioButton>(&w, "RadioGroup2Item0")->isChecked());
  EXPECT_FALSE(child<QGroupBox>(&w, "RadioGroup2")->isEnabled());
  EXPECT_FALSE(child<QCheckBox>(&w, "CheckBox2")->isEnabled());
  EXPECT_FALSE(QFile::exists(programDir() + "QUILLMARKE.TXT"));
  EXPECT_FALSE(TableDevicesMode || BridgeMatesMode || TabletsMode);

  // Ticking the box again brings the tablets back, with the entry choices.
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(readBytes(programDir() + "QUILLMARKE.TXT"), "Tablettes\r\n");
  auto* names = child<QCheckBox>(&w, "CheckBox3");
  ASSERT_TRUE(names->isEnabled());
  QTest::mouseClick(names, Qt::LeftButton);
  EXPECT_EQ(readBytes(programDir() + "INTRO.TXT"), "Joueurs \xE0 introduire sur les tablettes\r\n");
  EXPECT_FALSE(PairsEntered);
}

TEST_F(StartScreenWindowTest, BothPlayersFilesEndTheProgramBeforeAnyWindow) {
  ui::ScriptedInteraction talk;
  writeBytes(programDir() + "FICHIER.TXT", "");
  EXPECT_THROW(TForm1 w, FatalStopError);
  EXPECT_EQ(talk.events, QStringList({"beep", "system: Vous avez créé les deux fichiers FICHIER.TXT et JOUEURS.TXT. Le "
                                               "premier est juste historique. Effacez-le et recommencez!"}));
  EXPECT_FALSE(anyWindowVisible());
}

TEST_F(StartScreenWindowTest, AButtonWhoseWorkIsNotThereKeepsTheStartScreen) {
  ui::ScriptedInteraction talk;
  TForm1 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QTest::mouseClick(child<QPushButton>(&w, "SpeedButton1"), Qt::LeftButton);
  EXPECT_EQ(talk.messages, QStringList({"Désolé, la fonction \"Débuter un nouveau tournoi\" n'est pas encore disponible "
                                        "dans cette version du programme."}));
  EXPECT_TRUE(w.isVisible());

  w.findChild<QAction*>("Aproposde2")->trigger();
  EXPECT_TRUE(talk.messages.last().contains(VersionText));
}

TEST_F(StartScreenWindowTest, EscAndTheCloseBoxAskTheQuitConfirmation) {
  ui::InstallWindowInteraction();
  TForm59 confirm;
  TForm1 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

  QString caption, text;
  bool okHasFocus = false;
  whenModal([&](QWidget* m) {
    caption = m->windowTitle();
    text = child<QLabel>(m, "Label1")->text();
    okHasFocus = child<QPushButton>(m, "Button1")->hasFocus();
    QTest::keyClick(m, Qt::Key_A);  // ignored
    QTest::keyClick(m, Qt::Key_Escape);
  });
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_EQ(caption, "Confirmation?");
  EXPECT_EQ(text, "Vraiment quitter le programme?");
  EXPECT_TRUE(okHasFocus);
  EXPECT_EQ(ChoiceResult, 0);
  EXPECT_TRUE(w.isVisible());

  whenModal([](QWidget* m) { QTest::mouseClick(child<QPushButton>(m, "Button2"), Qt::LeftButton); });
  w.close();
  EXPECT_TRUE(w.isVisible());

  whenModal([](QWidget* m) { QTest::mouseClick(child<QPushButton>(m, "Button1"), Qt::LeftButton); });
  try {
    w.close();
    ADD_FAILURE() << "the program did not end";
  } catch (const FatalStopError& stop) {
    EXPECT_EQ(stop.exitCode(), 0);
  }
}

TEST_F(StartScreenWindowTest, TheResumeWarningAgreesWithEnterAndGoesBackWithEsc) {
  ui::InstallWindowInteraction();
  TForm108 warning;
  ui::Choice c;
  c.form = "TForm108";
  c.cancelCode = 2;
  QString caption;
  whenModal([&](QWidget* m) {
    caption = m->windowTitle();
    QTest::keyClick(m, Qt::Key_Return);
  });
  EXPECT_EQ(ui::Ask(c), 1);
  EXPECT_EQ(caption, "Avertissement");
  whenModal([](QWidget* m) { QTest::keyClick(m, Qt::Key_Escape); });
  EXPECT_EQ(ui::Ask(c), 2);
  whenModal([](QWidget* m) { QTest::mouseClick(child<QPushButton>(m, "Button2"), Qt::LeftButton); });
  EXPECT_EQ(ui::Ask(c), 2);
}

TEST_F(StartScreenWindowTest, TheBackupWaitWindowShowsDuringTheBackup) {
  TForm110 wait;
  wait.showWaiting(true);
  EXPECT_TRUE(wait.isVisible());
  EXPECT_EQ(wait.windowTitle(), "Attente");
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
  wait.showWaiting(false);
  EXPECT_FALSE(wait.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  TournamentCode = "ABC";
  writeBytes(dataDir() + "ABC.PAI", "1 0 0 x\xA3" "A\xA3" "B\r\n");
  bool shownWhileCopying = false;
  QTimer::singleShot(0, [&] { shownWhileCopying = wait.isVisible(); });  // runs while the window paints
  BackupAndPurge();  // clock fixed at 7 December 2026
  EXPECT_TRUE(shownWhileCopying);
  EXPECT_FALSE(wait.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(QFile::exists(rootDir() + "BackupsTalvaron/20261207/ABC.PAI"));
}

TEST_F(StartScreenWindowTest, AnErrorEscapingAClickIsShownNamingItsFile) {
  ui::ScriptedInteraction talk;
  QPushButton button(QStringLiteral("Enregistrer"));
  const QString file = dataDir() + "ABC.PAI";
  QObject::connect(&button, &QPushButton::clicked, [&] { throw platform::IoError(EBUSY, file, "occupé"); });
  button.show();
  const bool delivered = ui::DeliverGuarded([&] {
    QTest::mouseClick(&button, Qt::LeftButton);
    return true;
  });
  EXPECT_FALSE(delivered);
  EXPECT_EQ(talk.messages, QStringList({"Le fichier \"" + file + "\" est verrouillé. L'opération n'a pas été faite."}));
}

TEST_F(StartScreenWindowTest, TheScreenIsReadableCentredAndKeyboardDriven) {
  ui::ScriptedInteraction talk;
  writeBytes(programDir() + "PANACHEPCKT.TXT", "beaucoup\r\n");  // a message during the creation
  TForm1 w;
  ASSERT_EQ(talk.messages.size(), 1);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  // Every label in one installed family of the sans-serif fallback list.
  const QString family = QFontInfo(child<QLabel>(&w, "Label1")->font()).family();
  EXPECT_TRUE(ui::FallbackFamilies(QStringLiteral("Comic Sans MS")).contains(family)) << qPrintable(family);
  for (QLabel* label : w.findChildren<QLabel*>()) EXPECT_EQ(QFontInfo(label->font()).family(), family);
  for (QMenu* menu : w.findChildren<QMenu*>()) EXPECT_EQ(QFontInfo(menu->font()).family(), family);
  EXPECT_TRUE(ui::FallbackFamilies(QStringLiteral("Courier New")).contains(ui::FamilyFor(QStringLiteral("Courier New"))));

  EXPECT_EQ(w.frameGeometry().center(), w.screen()->availableGeometry().center());
  EXPECT_GE(w.width(), w.sizeHint().width());
  auto* resume = child<QPushButton>(&w, "SpeedButton2");
  EXPECT_FALSE(resume->isFlat());
  // Tab goes down the buttons before the options on their right.
  child<QPushButton>(&w, "SpeedButton1")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), resume);
  // Maximised, the controls keep their places relative to one another.
  auto* title = child<QLabel>(&w, "Label1");
  auto* devices = child<QCheckBox>(&w, "BridgeBox");
  const QPoint spread = devices->mapTo(&w, QPoint()) - title->mapTo(&w, QPoint());
  const QSize normal = w.size();
  w.showMaximized();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return w.size() != normal; }, 5000));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);  // laid out at the new size
  EXPECT_EQ(devices->mapTo(&w, QPoint()) - title->mapTo(&w, QPoint()), spread);
  w.showNormal();
  // Enter presses the focused button.
  QTest::keyClick(resume, Qt::Key_Return);
  ASSERT_FALSE(talk.messages.isEmpty());
  EXPECT_TRUE(talk.messages.last().contains("Aucun tournoi à recharger"));
}
