#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "setup/MovementFiles.h"
#include "setup/Movements.h"
#include "setup/ui/BoardsPerTableWindow.h"
#include "setup/ui/MitchellBoardsWindow.h"
#include "setup/ui/MovementKindWindow.h"
#include "setup/ui/SetupWindowRegistration.h"
#include "support/NamedPairs.h"
#include "support/TestState.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using testing_support::ModalScript;

namespace {

QString shownText(QWidget* window) {
  QStringList texts;
  for (auto* label : window->findChildren<QLabel*>()) texts << label->text();
  for (auto* memo : window->findChildren<QPlainTextEdit*>()) texts << memo->toPlainText();
  return texts.join('|');
}

}  // namespace

class MovementWindowsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallWindowInteraction();
    RegisterSetupWindows();
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }
};

TEST_F(MovementWindowsTest, BoardsPerTableAreTypedInTheEtuisWindow) {
  TournamentCode = QStringLiteral("ESSAI");
  for (int s = 1; s <= 6; ++s) PairNumbers[s] = s <= 3 ? s : 3 - s;
  PairCount = PairSlotCount = 6;
  MitchellNumbering = true;
  ComputeTablesAndRounds();
  QString shown, offered;
  ModalScript script;
  script
      .on("TForm7",
          [&](QWidget* w) {
            offered = static_cast<TForm7*>(w)->Edit1->text();
            static_cast<TForm7*>(w)->Edit1->clear();
            ModalScript::type(w, "abc");
            ModalScript::key(w, Qt::Key_Return);
          })
      .on("TForm26",
          [&](QWidget* w) {
            shown = shownText(w);
            ModalScript::key(w, Qt::Key_Return);
          })
      .on("TForm7",
          [](QWidget* w) {
            static_cast<TForm7*>(w)->Edit1->clear();
            ModalScript::type(w, "2");
            ModalScript::key(w, Qt::Key_Return);
          })
      .on("TForm6", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); });
  ASSERT_TRUE(AskMitchellBoardsPerTable());
  EXPECT_TRUE(script.done());
  EXPECT_EQ(offered, "3");
  EXPECT_TRUE(shown.contains("Ce n'est pas un nombre!")) << shown.toStdString();
  EXPECT_EQ(BoardsPerTable, 2);
  EXPECT_EQ(BoardCount, 6);
  EXPECT_EQ(RoundsPlayed, 3);
}

TEST_F(MovementWindowsTest, BoardsPerTableListTakesOnlyAnOfferedLine) {
  ui::ListChoice choice;
  choice.form = "TForm10";
  choice.hint = "Il y a 4 séries d'étuis";
  choice.lines = QStringList{"", "2 étuis/table = 8 étuis", "3 étuis/table = 12 étuis"};
  choice.current = 2;
  int selectedAtStart = -1;
  bool stayedOpen = false;
  ModalScript script;
  script.on("TForm10", [&](QWidget* w) {
    auto* window = static_cast<TForm10*>(w);
    selectedAtStart = window->ListBox1->currentRow();
    window->ListBox1->setCurrentRow(0);
    window->Button1->click();
    stayedOpen = window->isVisible();
    window->ListBox1->setCurrentRow(2);
    ModalScript::key(w, Qt::Key_Return);
  });
  EXPECT_EQ(ui::AskLine(choice), 3);
  EXPECT_EQ(selectedAtStart, 1);
  EXPECT_TRUE(stayedOpen);
}

TEST_F(MovementWindowsTest, MovementChoiceOffersWhatFitsAndEscapeGoesBack) {
  bool appendixEnabled = true, clubShown = true, barometerEnabled = true;
  ModalScript script;
  script.on("TForm9", [&](QWidget* w) {
    auto* window = static_cast<TForm9*>(w);
    appendixEnabled = window->Button4->isEnabled();
    barometerEnabled = window->Button3->isEnabled();
    clubShown = window->Panel1->isVisible();
    ModalScript::key(w, Qt::Key_Escape);
  });
  ui::Choice choice;
  choice.form = "TForm9";
  choice.extra.insert("appendix7", false);
  choice.extra.insert("club", false);
  EXPECT_EQ(ui::Ask(choice), 0);
  EXPECT_FALSE(appendixEnabled || barometerEnabled || clubShown);
}

// "Choix du mouvement" is as wide as its longest line and as high as its
// lines: every line reads whole, with no large empty margin beside them.
TEST_F(MovementWindowsTest, MovementChoiceIsSizedToItsLines) {
  const auto ask = [](const QStringList& lines) {
    QSize list, window;
    int widest = 0, rows = 0, rowHeight = 0;
    QString title;
    ModalScript script;
    script.on("TForm65", [&](QWidget* w) {
      auto* box = w->findChild<QListWidget*>("ListBox1");
      title = w->windowTitle();
      const QFontMetrics metrics(box->font());
      for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
      list = box->viewport()->size();
      window = w->size();
      rows = box->count();
      rowHeight = box->sizeHintForRow(0);
      ModalScript::key(w, Qt::Key_Escape);
    });
    ui::ListChoice choice{.form = "TForm65", .caption = "Choix du mouvement", .headings = {},
                          .hint = "Il y a 14 paires.", .lines = lines};
    EXPECT_EQ(ui::interaction().chooseLine(choice), 0);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(title, "Choix du mouvement");
    EXPECT_GE(list.width(), widest);
    EXPECT_LE(list.width(), widest + 80) << widest;
    EXPECT_GE(list.height(), rows * rowHeight);
    return window;
  };
  const QSize narrow = ask({"H7.TXT Howell", "M7.TXT Mitchell"});
  const QSize wide = ask({"H7.TXT Howell 14 paires maximum 13 tours 13 séries d'étuis ( maximum 26 étuis ) "
                          "pour le club du lundi",
                          "M7.TXT Mitchell 14 paires maximum 7 tours 7 séries d'étuis ( maximum 28 étuis )"});
  EXPECT_GT(wide.width(), narrow.width());
}

// The list of fitting movements opens with its first line highlighted, and
// Enter (a real key, on whatever holds the focus) takes the highlighted line.
TEST_F(MovementWindowsTest, EnterTakesTheHighlightedProposedMovement) {
  testing_support::MakeNamedPairs(16);
  MovementFolderInUse = programDir() + "Howells/";
  testing_support::writeBytes(MovementFolderInUse + "C.TXT", "15 16 15 Howell\r\n");
  QStringList highlighted;
  ModalScript script;
  script.on("TForm65", [&](QWidget* w) {
    auto* list = w->findChild<QListWidget*>("ListBox1");
    for (QListWidgetItem* item : list->selectedItems()) highlighted << item->text();
    EXPECT_EQ(list->currentRow(), 0);
    ModalScript::key(w, Qt::Key_Return);
  });
  QString name;
  ChooseMovementFile(name);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(highlighted, QStringList{"C.TXT Howell 16 paires maximum 15 tours 15 séries d'étuis ( maximum 30 étuis )"});
  EXPECT_EQ(name, "C.TXT");

  // With two lines, Down moves the highlight and Enter takes the second.
  testing_support::writeBytes(MovementFolderInUse + "A.TXT", "4 16 7 Mitchell\r\n");
  script.on("TForm65", [](QWidget* w) {
    ModalScript::key(w, Qt::Key_Down);
    ModalScript::key(w, Qt::Key_Return);
  });
  ChooseMovementFile(name);
  EXPECT_EQ(name, "C.TXT");
  script.on("TForm65", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); });
  ChooseMovementFile(name);
  EXPECT_EQ(name, "A.TXT");
}
