#include "core/Globals.h"
#include "core/PlayerNames.h"
#include "core/Questions.h"
#include "core/ui/ListChoiceWindow.h"
#include "core/ui/MessageWindow.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "setup/PairsEntry.h"
#include "setup/ui/ByePairWindow.h"
#include "setup/ui/EraseNameQuestionWindow.h"
#include "setup/ui/PairCountWindow.h"
#include "setup/ui/PairsEntryWindow.h"
#include "setup/ui/SetupWindowRegistration.h"
#include "support/TestState.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <memory>

using testing_support::ModalScript;

namespace {

// Closes the message window after checking its text.
ModalScript::Step Message(const QString& expected) {
  return [expected](QWidget* w) {
    EXPECT_EQ(qobject_cast<TForm26*>(w)->text().toStdString(), expected.toStdString());
    ModalScript::key(w, Qt::Key_Return);
  };
}

QStringList Row(QTableWidget* grid, int row) {
  return {grid->item(row - 1, 1)->text(), grid->item(row - 1, 2)->text()};
}

QStringList ListLines(QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

}  // namespace

class PairsEntryWindowTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallWindowInteraction();
    RegisterSetupWindows();
    NsGrid.clear();
    EwGrid.clear();
    PairChoiceText.clear();
    PairsGridCellText.clear();
    TypedSearchText.clear();
    TournamentCode = QStringLiteral("T1");
    const QStringList players = {"BERNARD Luc", "DUBOIS Anne", "DUPONT Jean", "DURAND Paul", "MARTIN Eve", "PETIT Marc"};
    PlayerCount = static_cast<int>(players.size());
    for (int i = 1; i <= PlayerCount; ++i) {
      PlayerNames[i] = PlayerChoiceLines[i] = players[i - 1];
      PlayerLicences[i] = QString::number(100 + i);
    }
    PlayerChoiceCount = PlayerCount + 1;
    PlayerChoiceLines[PlayerChoiceCount] = QStringLiteral("BYE");
    SortPlayerChoiceLines();
    form_ = std::make_unique<TForm4>();
    ShowPairsEntry();
  }
  void TearDown() override {
    form_.reset();
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }

  void clickCell(QTableWidget* grid, int row, int column) {
    const QRect rect = grid->visualItemRect(grid->item(row - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
  }
  // Types letters in the player list, then clicks the cell.
  void place(const QString& typed, QTableWidget* grid, int row, int column) {
    QTest::qWait(QApplication::keyboardInputInterval() + 20);  // a new search
    QTest::keyClicks(form_->Joueurs, typed);
    clickCell(grid, row, column);
  }
  void menu(const char* entry) { form_->PopupMenu2->findChild<QAction*>(QLatin1String(entry))->trigger(); }

  std::unique_ptr<TForm4> form_;
};

TEST_F(PairsEntryWindowTest, PlayersArePickedByTypingAndClickingAndAnEmptyRowBecomesUnknownPlayers) {
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(form_->windowTitle(), "Introduction des paires");
  EXPECT_EQ(form_->focusWidget(), form_->Joueurs);
  EXPECT_TRUE(form_->Joueurs->selectedItems().isEmpty());

  QTest::keyClicks(form_->Joueurs, "du");
  ASSERT_EQ(form_->Joueurs->selectedItems().size(), 1);
  EXPECT_EQ(form_->Joueurs->selectedItems().first()->text(), "DUBOIS Anne");
  QTest::keyClicks(form_->Joueurs, "z");
  EXPECT_TRUE(form_->Joueurs->selectedItems().isEmpty());

  place("dup", form_->NS, 1, 1);
  place("dur", form_->NS, 1, 2);
  place("be", form_->NS, 2, 1);
  place("pe", form_->NS, 5, 2);
  EXPECT_EQ(Row(form_->NS, 1), QStringList({"DUPONT Jean", "DURAND Paul"}));
  EXPECT_EQ(ListLines(form_->Joueurs), QStringList({"BYE", "DUBOIS Anne", "MARTIN Eve"}));
  EXPECT_TRUE(form_->Joueurs->selectedItems().isEmpty());

  ModalScript script;
  script.on("TForm26", Message(QStringLiteral("Il y a plus de N/S que de E/W!")));
  QTest::mouseClick(form_->okButton, Qt::LeftButton);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(Row(form_->NS, 2), QStringList({"BERNARD Luc", "?"}));
  EXPECT_EQ(Row(form_->NS, 3), QStringList({"?", "?"}));
  EXPECT_EQ(Row(form_->NS, 5), QStringList({"?", "PETIT Marc"}));
  EXPECT_EQ(PairCount, 5);
  EXPECT_EQ(PairLabels[3], "? - ?");
  EXPECT_TRUE(form_->isVisible());  // the check refused: back to the grids
}

TEST_F(PairsEntryWindowTest, QuickCreationPlacesTheByeFromTheRememberedChoice) {
  testing_support::writeBytes(programDir() + "choixBYE.TXT", "2 9999\r\n");
  ModalScript script;
  script.on("TForm11", [](QWidget* w) {
    ModalScript::type(w, "7");
    ModalScript::key(w, Qt::Key_Return);
  });
  menu("Creationrapide1");
  EXPECT_TRUE(script.done());
  EXPECT_EQ(PairCount, 8);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(Row(form_->NS, k), QStringList({QString("N%1").arg(k), QString("S%1").arg(k)}));
  for (int k = 1; k <= 3; ++k)
    EXPECT_EQ(Row(form_->EW, k), QStringList({QString("E%1").arg(k + 4), QString("W%1").arg(k + 4)}));
  EXPECT_EQ(Row(form_->EW, 4), QStringList({"BYE", ""}));
  EXPECT_EQ(Row(form_->NS, 5), QStringList({"", ""}));
  EXPECT_FALSE(ListLines(form_->Joueurs).contains("BYE"));

  // 9 pairs chosen in the drop-down, the BYE kept at N/S 2.
  testing_support::writeBytes(programDir() + "choixBYE.TXT", "1 2\r\n");
  ModalScript again;
  again.on("TForm11", [](QWidget* w) {
    auto* combo = qobject_cast<TForm11*>(w)->ComboBox1;
    combo->activated(combo->findText("9"));
  });
  menu("Creationrapide1");
  EXPECT_TRUE(again.done());
  EXPECT_EQ(PairCount, 10);
  EXPECT_EQ(Row(form_->NS, 1), QStringList({"N1", "S1"}));
  EXPECT_EQ(Row(form_->NS, 2), QStringList({"BYE", ""}));
  EXPECT_EQ(Row(form_->NS, 5), QStringList({"N5", "S5"}));
  EXPECT_EQ(Row(form_->EW, 1), QStringList({"E6", "W6"}));
  EXPECT_EQ(Row(form_->EW, 5), QStringList({"E10", "W10"}));
  EXPECT_EQ(Row(form_->EW, 6), QStringList({"", ""}));
}

TEST_F(PairsEntryWindowTest, PairCountWindowRefusesWhatIsNoNumberOfPairs) {
  ModalScript script;
  const auto answer = [](const char* text) {
    return [text](QWidget* w) {
      EXPECT_TRUE(qobject_cast<TForm11*>(w)->Edit1->text().isEmpty());
      ModalScript::type(w, text);
      ModalScript::key(w, Qt::Key_Return);
    };
  };
  script.on("TForm11", answer("abc"))
      .on("TForm26", Message("Ceci n'est pas un nombre!"))
      .on("TForm11", answer("0"))
      .on("TForm26", Message("Ce nombre n'est pas correct!"))
      .on("TForm11", answer("43"))
      .on("TForm26", Message("Trop de paires!"))
      .on("TForm11", answer("2"))
      .on("TForm26", Message("Trop peu de paires!"))
      .on("TForm11", answer("4"));
  menu("Creationrapide1");
  EXPECT_TRUE(script.done());
  EXPECT_EQ(PairCount, 4);
  EXPECT_EQ(Row(form_->EW, 2), QStringList({"E4", "W4"}));
}

TEST_F(PairsEntryWindowTest, TheByeReplacesARowAndGivesItsPlayersBack) {
  place("dup", form_->EW, 4, 1);
  place("ma", form_->EW, 4, 2);
  place("by", form_->EW, 4, 2);
  EXPECT_EQ(Row(form_->EW, 4), QStringList({"BYE", ""}));
  EXPECT_EQ(ListLines(form_->Joueurs),
            QStringList({"BERNARD Luc", "DUBOIS Anne", "DUPONT Jean", "DURAND Paul", "MARTIN Eve", "PETIT Marc"}));

  place("pe", form_->EW, 4, 2);
  EXPECT_EQ(Row(form_->EW, 4), QStringList({"", "PETIT Marc"}));
  EXPECT_TRUE(ListLines(form_->Joueurs).contains("BYE"));
  EXPECT_FALSE(ListLines(form_->Joueurs).contains("PETIT Marc"));
}

TEST_F(PairsEntryWindowTest, ClickingAFilledCellAsksBeforeErasingUnlessRemembered) {
  place("dup", form_->NS, 1, 1);
  place("dur", form_->NS, 2, 1);
  ModalScript script;
  script
      .on("TForm70",
          [](QWidget* w) {
            auto* window = qobject_cast<TForm70*>(w);
            EXPECT_EQ(window->Label1->text(), "Effacer DUPONT Jean");
            EXPECT_FALSE(window->CheckBox1->isChecked());
            ModalScript::key(w, Qt::Key_Escape);
          })
      .on("TForm70", [](QWidget* w) {
        QTest::mouseClick(qobject_cast<TForm70*>(w)->CheckBox1, Qt::LeftButton);
        ModalScript::key(w, Qt::Key_Return);
      });
  clickCell(form_->NS, 1, 1);
  EXPECT_EQ(Row(form_->NS, 1), QStringList({"DUPONT Jean", ""}));
  clickCell(form_->NS, 1, 1);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(Row(form_->NS, 1), QStringList({"", ""}));
  EXPECT_TRUE(ListLines(form_->Joueurs).contains("DUPONT Jean"));
  EXPECT_EQ(testing_support::readBytes(programDir() + "ClickOK.TXT"), "Cliquerer=effacer\r\n");
  clickCell(form_->NS, 2, 1);  // no question any more
  EXPECT_EQ(Row(form_->NS, 2), QStringList({"", ""}));
}

TEST_F(PairsEntryWindowTest, PairsFileChooserOpensOnTheCharacterTypedWhateverTheKey) {
  testing_support::writeBytes(programDir() + "PAIRES.TXT", "DUPONT Jean/DURAND Paul\r\n");
  ChoiceListCount = 2;
  ChoiceListItems[1] = QStringLiteral("DUPONT Jean/DURAND Paul");
  ChoiceListItems[2] = QStringLiteral("MARTIN Eve/PETIT Marc");
  ModalScript script;
  script.on("TForm82", [](QWidget* w) {
    ModalScript::type(w, "ma");
    ModalScript::key(w, Qt::Key_Return);
  });
  // "!" as a French keyboard gives it: the key of "8" with Shift.
  QTest::sendKeyEvent(QTest::Click, form_->Joueurs, Qt::Key_8, QStringLiteral("!"), Qt::ShiftModifier);
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(form_->Edit1->isVisible());
  EXPECT_EQ(form_->Edit1->text(), "MARTIN Eve/PETIT Marc");
  clickCell(form_->EW, 3, 1);
  EXPECT_EQ(Row(form_->EW, 3), QStringList({"MARTIN Eve", "PETIT Marc"}));
  EXPECT_FALSE(form_->Edit1->isVisible());
  EXPECT_FALSE(ListLines(form_->Joueurs).contains("MARTIN Eve"));

  TableDevicesMode = true;
  ModalScript refused;
  refused.on("TForm26", Message("Désolé, le fichier de paires (PAIRES.TXT) ne peut être utilisé dans la version pour "
                                "tablettes ou BridgeMates"));
  QTest::keyClicks(form_->Joueurs, "=");
  EXPECT_TRUE(refused.done());
}

TEST_F(PairsEntryWindowTest, ByeWindowTakesATypedNumberAndKeepsIt) {
  ModalScript script;
  script
      .on("TForm11",
          [](QWidget* w) {
            ModalScript::type(w, "5");
            ModalScript::key(w, Qt::Key_Return);
          })
      .on("TForm71",
          [](QWidget* w) {
            auto* window = qobject_cast<TForm71*>(w);
            EXPECT_TRUE(window->NorthSouth->isChecked());
            EXPECT_TRUE(window->CheckBox1->isChecked());
            QTest::mouseClick(window->EastWest, Qt::LeftButton, {}, QPoint(8, window->EastWest->height() / 2));
            QTest::keyClicks(window->Edit1, "2");
            QTest::mouseClick(window->CheckBox1, Qt::LeftButton);  // unticked: the number stays
            EXPECT_EQ(window->Edit1->text(), "");
            QTest::keyClicks(window->Edit1, "2");
            QTest::mouseClick(window->CheckBox2, Qt::LeftButton);
            ModalScript::key(w, Qt::Key_Return);
          })
      .on("TForm26", Message("Voici donc ce qu'on va sauver et utiliser dorénavant: 2 2; c'est-à-dire E/W 2..."));
  menu("Creationrapide1");
  EXPECT_TRUE(script.done());
  EXPECT_EQ(Row(form_->EW, 2), QStringList({"BYE", ""}));
  EXPECT_EQ(Row(form_->EW, 3), QStringList({"E6", "W6"}));
  EXPECT_EQ(testing_support::readBytes(programDir() + "choixBYE.TXT"), "2 2\r\n");
}

// "BYE" typed in either cell of a row, beside a player: the row is the absent
// pair, stored as everywhere else (player 1 "BYE", no player 2), and the
// player typed beside it is free again.
TEST_F(PairsEntryWindowTest, ByeTypedInEitherCellMakesTheRowTheAbsentPair) {
  const auto typeInCell = [this](QTableWidget* grid, int row, int column, const QString& text) {
    grid->setFocus();
    grid->setCurrentCell(row - 1, column);
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
  };
  place("dup", form_->NS, 1, 1);
  place("dur", form_->NS, 2, 1);
  place("be", form_->NS, 2, 2);
  typeInCell(form_->NS, 1, 2, "BYE");
  place("ma", form_->EW, 1, 2);
  typeInCell(form_->EW, 1, 1, " BYE");
  place("pe", form_->EW, 2, 1);
  ASSERT_EQ(Row(form_->NS, 1), QStringList({"DUPONT Jean", "BYE"}));
  EXPECT_FALSE(ListLines(form_->Joueurs).contains("DUPONT Jean"));

  menu("Sauvetage1");
  EXPECT_EQ(Player1Names[1], "BYE");
  EXPECT_TRUE(Player2Names[1].isEmpty());
  EXPECT_EQ(PairLabels[1], "BYE");
  EXPECT_EQ(PairLabels[2], "DURAND Paul - BERNARD Luc");
  EXPECT_EQ(PairNumbers[3], -1);
  EXPECT_EQ(Player1Names[3], "BYE");
  EXPECT_TRUE(Player2Names[3].isEmpty());
  EXPECT_EQ(PairLabels[3], "BYE");
  EXPECT_EQ(PairLabels[4], "PETIT Marc - ?");
  EXPECT_EQ(Row(form_->NS, 1), QStringList({"BYE", ""}));
  EXPECT_EQ(Row(form_->EW, 1), QStringList({"BYE", ""}));
  EXPECT_EQ(ListLines(form_->Joueurs), QStringList({"DUBOIS Anne", "DUPONT Jean", "MARTIN Eve"}));

  // A player picked onto such a row replaces the absent pair.
  place("dup", form_->NS, 1, 2);
  EXPECT_EQ(Row(form_->NS, 1), QStringList({"", "DUPONT Jean"}));
  EXPECT_TRUE(ListLines(form_->Joueurs).contains("BYE"));
}

// A name typed in a cell with letters the files cannot hold (they would read
// "????") is refused at once, saying which letters: the cell keeps what it
// had and the pair nothing of it; a name they can hold is taken as typed.
TEST_F(PairsEntryWindowTest, ANameTheFilesCannotKeepIsRefusedAsItIsTyped) {
  const auto typeInCell = [](QTableWidget* grid, int row, int column, const QString& text) {
    grid->setFocus();
    grid->setCurrentCell(row - 1, column);
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = grid->findChild<QLineEdit*>();  // a message just closed may leave no window active
    ASSERT_NE(editor, nullptr);
    // Each character as its key gives it, whatever the keyboard's script.
    for (const QChar c : text)
      QTest::sendKeyEvent(QTest::Click, editor, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(50);  // the grid commits the text, then the window checks it
  };
  const QString shalom = QStringLiteral("\u05E9\u05DC\u05D5\u05DD");
  ModalScript script;
  script.on("TForm26", Message(QStringLiteral("Désolé, les fichiers du tournoi ne peuvent pas garder ces caractères du nom "
                                              "\"\u05E9\u05DC\u05D5\u05DD\": \u05E9 \u05DC \u05D5 \u05DD\nIls y "
                                              "deviendraient des \"?\". Écrivez ce nom autrement (en lettres latines), SVP...")))
      .on("TForm26", Message(QStringLiteral("Désolé, le caractère \"£\" ne peut pas faire partie d'un nom de joueur: \"A£B\"")));
  place("dup", form_->NS, 1, 1);
  typeInCell(form_->NS, 1, 2, shalom);
  typeInCell(form_->NS, 1, 1, QStringLiteral("A£B"));
  EXPECT_TRUE(script.done());
  EXPECT_EQ(Row(form_->NS, 1), QStringList({"DUPONT Jean", ""}));
  EXPECT_EQ(NsGrid.cell(1, 1), "DUPONT Jean");
  EXPECT_TRUE(NsGrid.cell(2, 1).isEmpty());

  typeInCell(form_->NS, 1, 2, QStringLiteral("ŒRSTED Zoé"));
  EXPECT_EQ(Row(form_->NS, 1), QStringList({"DUPONT Jean", "ŒRSTED Zoé"}));
  menu("Sauvetage1");
  EXPECT_EQ(PairLabels[1], QStringLiteral("DUPONT Jean - ŒRSTED Zoé"));
}

TEST_F(PairsEntryWindowTest, TheWindowIsCentredEachTimeItIsShown) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  const QPoint centre = form_->screen()->availableGeometry().center();
  EXPECT_LE((form_->frameGeometry().center() - centre).manhattanLength(), 2);
  form_->hide();
  form_->move(0, 0);
  ShowPairsEntry();
  EXPECT_LE((form_->frameGeometry().center() - centre).manhattanLength(), 2);
}

// The cell's editor hands its text over once the Return has gone through the
// event loop; a save already waiting behind the Return (a click, a menu
// entry) finds the name stored.
TEST_F(PairsEntryWindowTest, ANameTypedInACellIsStoredBeforeWhatFollowsItsReturn) {
  QTableWidget* grid = form_->NS;
  const auto type = [grid](int column, const char* name) {
    grid->setFocus();
    grid->setCurrentCell(0, column);
    QTest::keyClick(grid, Qt::Key_F2);
    // The last cell's editor may still wait for its deletion, hidden: the
    // one open is the one shown.
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : grid->findChildren<QLineEdit*>())
      if (e->isVisible()) editor = e;
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, name);
    QTest::keyClick(editor, Qt::Key_Return);
  };
  type(1, "DUPONT Jean");
  testing_support::WaitUntil([] { return NsGrid.cell(1, 1) == "DUPONT Jean"; }, 5000);
  EXPECT_EQ(NsGrid.cell(1, 1), "DUPONT Jean");
  type(2, "MARTIN Eve");
  QMetaObject::invokeMethod(form_.get(), [this] { menu("Sauvetage1"); }, Qt::QueuedConnection);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(NsGrid.cell(2, 1), "MARTIN Eve");
  EXPECT_EQ(PairLabels[1], QStringLiteral("DUPONT Jean - MARTIN Eve"));
}
