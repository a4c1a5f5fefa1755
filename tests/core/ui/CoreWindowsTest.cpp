#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Notices.h"
#include "core/Questions.h"
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/ComputationWarningsWindow.h"
#include "core/ui/CriticalMessageWindow.h"
#include "core/ui/ListChoiceWindow.h"
#include "core/ui/MessageWindow.h"
#include "core/ui/ModalScript.h"
#include "core/ui/NumberQuestionWindow.h"
#include "core/ui/PbnDealsNoticeWindow.h"
#include "core/ui/ProgramSearchNoticeWindow.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/TextQuestionWindow.h"
#include "core/ui/TournamentChoiceWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"
#include "core/ui/YesNoQuestionWindow.h"
#include "support/TestState.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

using testing_support::ModalScript;

namespace {

template <typename Window>
Window* as(QWidget* w) {
  auto* window = qobject_cast<Window*>(w);
  EXPECT_NE(window, nullptr);
  return window;
}

QString selectedLine(TForm82* w) {
  const auto items = w->ListBox1->selectedItems();
  return items.isEmpty() ? QString() : items.first()->text();
}

QWidget* topLevel(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name) return w;
  return nullptr;
}

}  // namespace

class CoreWindowsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallWindowInteraction();
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }
};

TEST_F(CoreWindowsTest, MessageWindowShowsOneLinePerLineEndAndClosesOnEscOrEnter) {
  ModalScript script;
  script
      .on("TForm26",
          [](QWidget* w) {
            auto* window = as<TForm26>(w);
            EXPECT_EQ(window->windowTitle(), "Message");
            EXPECT_EQ(window->Memo1->toPlainText(), "Fichier introuvable\nDésolé, on quitte!");
            EXPECT_EQ(window->Memo1->document()->blockCount(), 2);
            EXPECT_EQ(window->Button1->text(), "OK = ESC/Echap");
            EXPECT_EQ(window->focusWidget(), window->Button1);
            ModalScript::key(w, Qt::Key_Escape);
          })
      .on("TForm26", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); })
      .on("TForm26", [](QWidget* w) { QTest::mouseClick(as<TForm26>(w)->Button1, Qt::LeftButton); });
  ShowAlert(QStringLiteral("Fichier introuvable\r\nDésolé, on quitte!"));
  ShowMessageWindow(QStringLiteral("deux"));
  ShowAboutMessage();
  EXPECT_TRUE(script.done());
}

TEST_F(CoreWindowsTest, YesNoWindowAnswersYesOnlyWhenAsked) {
  struct Case {
    const char* what;
    std::function<void(TForm91*)> act;
    int answer;
  };
  const Case cases[] = {
      {"Esc", [](TForm91* w) { ModalScript::key(w, Qt::Key_Escape); }, 7},
      {"close box", [](TForm91* w) { w->close(); }, 7},
      {"stray key", [](TForm91* w) { ModalScript::key(w, Qt::Key_X); }, 7},
      {"space on OUI", [](TForm91* w) { ModalScript::key(w, Qt::Key_Space); }, 7},
      {"NON", [](TForm91* w) { QTest::mouseClick(w->noButton, Qt::LeftButton); }, 7},
      {"Enter", [](TForm91* w) { ModalScript::key(w, Qt::Key_Return); }, 6},
      {"OUI", [](TForm91* w) { QTest::mouseClick(w->yesButton, Qt::LeftButton); }, 6},
  };
  for (const Case& c : cases) {
    ChoiceResult = 6;  // a yes left by an earlier question
    ModalScript script;
    script.on("TForm91", [&](QWidget* w) {
      auto* window = as<TForm91>(w);
      EXPECT_EQ(window->windowTitle(), "Question");
      EXPECT_EQ(window->Label1->text(), "Voulez-vous vraiment effacer les paires N/S?");
      EXPECT_EQ(window->answer(), 7);
      c.act(window);
    });
    EXPECT_EQ(ui::AskYesNo(QStringLiteral("Voulez-vous vraiment effacer les paires N/S?")), c.answer) << c.what;
    EXPECT_EQ(ChoiceResult, c.answer) << c.what;
  }
}

// Asked with no as its default (an erase), the window answers only O, N,
// Enter and Esc: a key typed by mistake leaves the question open.
TEST_F(CoreWindowsTest, YesNoWindowWithNoAsDefaultAnswersOnlyItsKeys) {
  struct Case {
    const char* what;
    QList<Qt::Key> strays;
    std::function<void(TForm91*)> act;
    int answer;
  };
  const Case cases[] = {
      {"O", {Qt::Key_X, Qt::Key_Space}, [](TForm91* w) { ModalScript::type(w, "O"); }, 6},
      {"o", {Qt::Key_1}, [](TForm91* w) { ModalScript::type(w, "o"); }, 6},
      {"N", {Qt::Key_Space}, [](TForm91* w) { ModalScript::type(w, "n"); }, 7},
      {"Enter", {Qt::Key_A}, [](TForm91* w) { ModalScript::key(w, Qt::Key_Return); }, 7},
      {"Esc", {Qt::Key_F1}, [](TForm91* w) { ModalScript::key(w, Qt::Key_Escape); }, 7},
  };
  for (const Case& c : cases) {
    ModalScript script;
    script.on("TForm91", [&](QWidget* w) {
      auto* window = as<TForm91>(w);
      EXPECT_EQ(window->noButton->text(), "NON (ENTER)");
      for (const Qt::Key stray : c.strays) {
        ModalScript::key(w, stray);
        EXPECT_TRUE(window->isVisible()) << c.what << " closed by a stray key";
      }
      c.act(window);
    });
    EXPECT_EQ(ui::AskYesNoDefaultNo(QStringLiteral("Voulez-vous vraiment effacer le tournoi OLD?")), c.answer) << c.what;
    EXPECT_TRUE(script.done()) << c.what;
  }
}

TEST_F(CoreWindowsTest, ListChooserSearchesAsTheDirectorTypes) {
  ChoiceListCount = 5;
  const char* names[] = {"MOREAU Eve", "MARTIN Luc", "", "MASSON Anne", "DURAND Paul"};
  for (int i = 1; i <= 5; ++i) ChoiceListItems[i] = QString::fromLatin1(names[i - 1]);

  ModalScript script;
  script.on("TForm82", [](QWidget* w) {
    auto* window = as<TForm82>(w);
    EXPECT_EQ(window->windowTitle(), "Choisissez");
    EXPECT_EQ(window->ListBox1->count(), 4);
    EXPECT_TRUE(window->ListBox1->selectedItems().isEmpty());
    ModalScript::type(w, "m");
    EXPECT_EQ(selectedLine(window), "MOREAU Eve");
    ModalScript::type(w, "A");
    EXPECT_EQ(selectedLine(window), "MARTIN Luc");  // the first line beginning with "MA"
    ModalScript::type(w, "s");
    EXPECT_EQ(selectedLine(window), "MASSON Anne");
    ModalScript::key(w, Qt::Key_Left);
    EXPECT_EQ(selectedLine(window), "MARTIN Luc");
    ModalScript::key(w, Qt::Key_Delete);
    EXPECT_EQ(window->typedText(), "m");
    ModalScript::key(w, Qt::Key_Left);  // one typed character stays
    EXPECT_EQ(window->typedText(), "m");
    EXPECT_EQ(selectedLine(window), "MOREAU Eve");
    ModalScript::type(w, "Z");
    EXPECT_EQ(selectedLine(window), "");
    ModalScript::key(w, Qt::Key_Left);
    ModalScript::type(w, "a");
    EXPECT_EQ(selectedLine(window), "MARTIN Luc");
    ModalScript::key(w, Qt::Key_Down);
    EXPECT_EQ(selectedLine(window), "MASSON Anne");
    ModalScript::key(w, Qt::Key_Return);
  });
  EXPECT_EQ(ChooseFromList(), "MASSON Anne");
  EXPECT_EQ(ChoiceIndex, 3);
  EXPECT_EQ(TypedSearchText, "MASSON Anne");

  script.on("TForm82", [](QWidget* w) {
    ModalScript::type(w, "DU");
    ModalScript::key(w, Qt::Key_Escape);
  });
  EXPECT_EQ(ChooseFromList(), "");
  EXPECT_EQ(ChoiceIndex, 0);

  script.on("TForm82", [](QWidget* w) {
    ModalScript::type(w, "du");
    w->close();  // the close box takes the selected line
  });
  EXPECT_EQ(ChooseFromList(), "DURAND Paul");
  EXPECT_EQ(ChoiceIndex, 4);

  script.on("TForm82", [](QWidget* w) { QTest::mouseClick(as<TForm82>(w)->Button1, Qt::LeftButton); });
  EXPECT_EQ(ChooseFromList(), "");
  EXPECT_EQ(ChoiceIndex, 0);
}

TEST_F(CoreWindowsTest, TournamentListAnswersTheCallersLine) {
  ui::ListChoice list;
  list.form = QStringLiteral("TForm83");
  list.caption = QStringLiteral("Choix");
  list.headings = {QStringLiteral("Choix des paires ?")};
  list.hint = QStringLiteral("Esc = Annuler");
  list.lines = {QStringLiteral("ZED.PAI"), QStringLiteral("ABC.PAI"), QStringLiteral("MID.PAI")};
  list.sorted = true;

  ModalScript script;
  script.on("TForm83", [](QWidget* w) {
    auto* window = as<TForm83>(w);
    EXPECT_EQ(window->windowTitle(), "Choix");
    EXPECT_EQ(window->ListBox1->item(0)->text(), "ABC.PAI");
    EXPECT_EQ(window->ListBox1->item(2)->text(), "ZED.PAI");
    EXPECT_EQ(window->Hint->text(), "Esc = Annuler");
    EXPECT_TRUE(window->ListBox1->selectedItems().isEmpty());
    ModalScript::key(w, Qt::Key_Down);
    ModalScript::key(w, Qt::Key_Down);
    EXPECT_EQ(window->ListBox1->selectedItems().value(0)->text(), "MID.PAI");
    ModalScript::key(w, Qt::Key_Return);
  });
  EXPECT_EQ(ui::AskLine(list), 3);  // MID.PAI, third of the caller's lines
  EXPECT_EQ(ChoiceResult, 3);

  script.on("TForm83", [](QWidget* w) {
    ModalScript::key(w, Qt::Key_Down);
    ModalScript::key(w, Qt::Key_Escape);
  });
  EXPECT_EQ(ui::AskLine(list), 0);

  script.on("TForm83", [](QWidget* w) {
    auto* window = as<TForm83>(w);
    const QRect rect = window->ListBox1->visualItemRect(window->ListBox1->item(2));
    QTest::mouseClick(window->ListBox1->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(window->ListBox1->viewport(), Qt::LeftButton, {}, rect.center());
  });
  EXPECT_EQ(ui::AskLine(list), 1);  // ZED.PAI

  // Names are sorted without regard to case, as the folder listing gives them.
  list.lines = {QStringLiteral("ZED.PAI"), QStringLiteral("abc.pai"), QStringLiteral("MID.PAI")};
  script.on("TForm83", [](QWidget* w) {
    auto* window = as<TForm83>(w);
    QStringList shown;
    for (int row = 0; row < window->ListBox1->count(); ++row) shown << window->ListBox1->item(row)->text();
    EXPECT_EQ(shown, (QStringList{"abc.pai", "MID.PAI", "ZED.PAI"}));
    ModalScript::key(w, Qt::Key_Down);
    ModalScript::key(w, Qt::Key_Return);
  });
  EXPECT_EQ(ui::AskLine(list), 2);  // abc.pai
}

// In every list the highlighted line and the current line are one: a list
// opened without a choice shows none, even once it has the focus, and Enter
// then answers nothing; a list opened on a line highlights it and the arrows
// move it.
TEST_F(CoreWindowsTest, ListsHighlightExactlyTheLineEnterTakes) {
  ui::ListChoice list;
  list.form = QStringLiteral("TForm83");
  list.lines = {QStringLiteral("UN"), QStringLiteral("DEUX"), QStringLiteral("TROIS")};
  ModalScript script;
  int currentAtStart = 0;
  script.on("TForm83", [&](QWidget* w) {
    auto* window = as<TForm83>(w);
    EXPECT_TRUE(window->ListBox1->hasFocus());
    currentAtStart = window->ListBox1->currentRow();
    ModalScript::key(w, Qt::Key_Return);
  });
  EXPECT_EQ(ui::AskLine(list), 0);
  EXPECT_EQ(currentAtStart, -1) << "no line may look chosen when none is";

  list.current = 2;
  QStringList highlighted;
  script.on("TForm83", [&](QWidget* w) {
    auto* window = as<TForm83>(w);
    highlighted << window->ListBox1->selectedItems().value(0)->text();
    ModalScript::key(w, Qt::Key_Up);
    highlighted << window->ListBox1->selectedItems().value(0)->text();
    EXPECT_EQ(window->ListBox1->currentRow(), 0);
    ModalScript::key(w, Qt::Key_Return);
  });
  EXPECT_EQ(ui::AskLine(list), 1);
  EXPECT_EQ(highlighted, QStringList({"DEUX", "UN"}));

  // The search list: a search that finds nothing leaves no line current, and
  // Enter answers nothing rather than the line the frame stayed on.
  ChoiceListCount = 2;
  ChoiceListItems[1] = QStringLiteral("MARTIN Luc");
  ChoiceListItems[2] = QStringLiteral("MOREAU Eve");
  script.on("TForm82", [](QWidget* w) {
    auto* window = as<TForm82>(w);
    ModalScript::type(w, "mo");
    EXPECT_EQ(window->ListBox1->currentRow(), 1);
    ModalScript::type(w, "z");
    EXPECT_EQ(window->ListBox1->currentRow(), -1);
    ModalScript::key(w, Qt::Key_Return);
  });
  EXPECT_EQ(ChooseFromList(), "");
  EXPECT_EQ(ChoiceIndex, 0);
}

TEST_F(CoreWindowsTest, NonNegativeIntegerWindowInsistsUntilTheAnswerIsValid) {
  ModalScript script;
  auto answer = [](const QString& text) {
    return [text](QWidget* w) {
      auto* window = as<TForm25>(w);
      // Asked without a caption, the window keeps its own, never the
      // program's name.
      EXPECT_EQ(window->windowTitle(), "Réponse");
      EXPECT_EQ(window->Label1->text(), "Introduction du tour numéro?");
      EXPECT_EQ(window->Edit1->text(), "");
      ModalScript::type(w, text);
      ModalScript::key(w, Qt::Key_Return);
    };
  };
  auto message = [](const QString& text) {
    return [text](QWidget* w) {
      EXPECT_EQ(as<TForm26>(w)->text(), text);
      ModalScript::key(w, Qt::Key_Escape);
    };
  };
  script.on("TForm25", answer("-3"))
      .on("TForm26", message("Désolé, \"-3\" n'est pas un nombre entier positif!"))
      .on("TForm25", answer("abc"))
      .on("TForm26", message("Désolé, \"abc\" n'est pas un nombre entier!"))
      .on("TForm25", answer(""));
  EXPECT_EQ(AskNonNegativeInteger(QStringLiteral("Introduction du tour numéro?"), -1), 0);
  EXPECT_TRUE(script.done());

  script.on("TForm25", [](QWidget* w) {
    EXPECT_EQ(as<TForm25>(w)->Edit1->text(), "10");
    ModalScript::key(w, Qt::Key_Backspace);
    ModalScript::key(w, Qt::Key_Backspace);
    ModalScript::type(w, "15");
    ModalScript::key(w, Qt::Key_Enter);
  });
  EXPECT_EQ(AskNonNegativeInteger(QStringLiteral("Valeur du panachage (en %):"), 10), 15);

  script.on("TForm25", [](QWidget* w) {
    ModalScript::type(w, "7");
    ModalScript::key(w, Qt::Key_Escape);
    EXPECT_EQ(as<TForm25>(w)->Edit1->text(), "0");
  });
  EXPECT_EQ(AskNonNegativeInteger(QStringLiteral("Valeur du panachage (en %):"), 10), 0);

  script.on("TForm25", [](QWidget* w) {
    ModalScript::type(w, "7");
    w->close();
  });
  EXPECT_EQ(AskNonNegativeInteger(QStringLiteral("Numéro de la donne?"), -1), 0);
}

TEST_F(CoreWindowsTest, TextQuestionOffersTheTextAndCancelsOnEsc) {
  ModalScript script;
  script.on("TForm40", [](QWidget* w) {
    auto* window = as<TForm40>(w);
    EXPECT_EQ(window->windowTitle(), "Question");
    EXPECT_EQ(window->Label1->text(), "Nom de ce tournoi cumulé");
    EXPECT_EQ(window->focusWidget(), window->Edit1);
    window->Edit1->selectAll();
    ModalScript::type(w, "Cumul de Noel");
    ModalScript::key(w, Qt::Key_Return);
  });
  QString text = QStringLiteral("Tournoi cumulé");
  EXPECT_TRUE(AskForText(QStringLiteral("Nom de ce tournoi cumulé"), text));
  EXPECT_EQ(text, "Cumul de Noel");

  script.on("TForm40", [](QWidget* w) {
    EXPECT_EQ(as<TForm40>(w)->Edit1->text(), "20261207(Cumul)");
    ModalScript::key(w, Qt::Key_Escape);
  });
  text = QStringLiteral("20261207(Cumul)");
  EXPECT_FALSE(AskForText(QStringLiteral("Code de ce tournoi cumulé"), text));
  EXPECT_EQ(text, "");
}

TEST_F(CoreWindowsTest, WarningWindowClosesOnItsKeys) {
  for (const Qt::Key key : {Qt::Key_O, Qt::Key_Return, Qt::Key_Escape}) {
    ModalScript script;
    script.on("TForm22", [key](QWidget* w) {
      auto* window = as<TForm22>(w);
      EXPECT_EQ(window->windowTitle(), "Attention");
      EXPECT_EQ(window->Memo1->toPlainText(), "Ajustements de fréquences\n-----");
      ModalScript::key(w, key);
    });
    ShowWarningWindow(QStringLiteral("Ajustements de fréquences\r\n-----"));
    EXPECT_TRUE(script.done());
  }
  // The same keys reach it from its text, clicked into to read it.
  for (const Qt::Key key : {Qt::Key_O, Qt::Key_Return, Qt::Key_Escape}) {
    ModalScript script;
    script.on("TForm22", [key](QWidget* w) {
      auto* window = as<TForm22>(w);
      window->Memo1->setFocus();
      QTest::keyClick(window->Memo1, key);
      EXPECT_FALSE(window->isVisible()) << key;
    });
    ShowWarningWindow(QStringLiteral("Ajustements de fréquences"));
    EXPECT_TRUE(script.done());
  }
}

TEST_F(CoreWindowsTest, InfoWindowClosesOnEnterAndEscWhereverTheFocusStands) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
    for (const bool fromTheBox : {true, false}) {
      ModalScript script;
      script.on("TForm88", [key, fromTheBox](QWidget* w) {
        auto* window = as<TForm88>(w);
        QWidget* focus = fromTheBox ? static_cast<QWidget*>(window->CheckBox1) : window->Memo1;
        focus->setFocus();
        QTest::keyClick(focus, key);
        EXPECT_FALSE(window->isVisible()) << key << (fromTheBox ? " from the box" : " from the text");
      });
      ShowInfoWindow(QStringLiteral("Pour rappel..."));
      EXPECT_TRUE(script.done());
    }
  EXPECT_FALSE(QFile::exists(programDir() + "MSG2.TXT"));  // no key ticked the box on its way
}

TEST_F(CoreWindowsTest, InfoWindowBoxHidesTheReminderFromNowOn) {
  const QString marker = programDir() + "MSG2.TXT";
  ModalScript script;
  script.on("TForm88", [&](QWidget* w) {
    auto* window = as<TForm88>(w);
    EXPECT_EQ(window->windowTitle(), "Info");
    EXPECT_FALSE(window->CheckBox1->isChecked());
    const QPoint box(6, window->CheckBox1->height() / 2);
    QTest::mouseClick(window->CheckBox1, Qt::LeftButton, {}, box);
    EXPECT_TRUE(QFile::exists(marker));
    QTest::mouseClick(window->CheckBox1, Qt::LeftButton, {}, box);
    EXPECT_FALSE(QFile::exists(marker));
    QTest::keyClick(window->CheckBox1, Qt::Key_Space);
    ModalScript::key(w, Qt::Key_Return);
  });
  ShowInfoWindow(QStringLiteral("Pour rappel... 24 donnes en jeu"));
  EXPECT_TRUE(QFile::exists(marker));

  script.on("TForm88", [](QWidget* w) {
    EXPECT_TRUE(as<TForm88>(w)->CheckBox1->isChecked());
    ModalScript::key(w, Qt::Key_Escape);
  });
  ShowInfoWindow(QStringLiteral("Pour rappel..."));
  EXPECT_TRUE(script.done());
}

TEST_F(CoreWindowsTest, NoticesStayOnScreenUntilHiddenOrClosed) {
  ui::ShowNotice(QStringLiteral("TForm114"), QStringLiteral("20:15:00 - Table 3 : résultat illisible"));
  ui::ShowNotice(QStringLiteral("TForm114"), QStringLiteral("20:16:00 - Table 5 : résultat illisible"));
  auto* critical = qobject_cast<TForm114*>(topLevel(QStringLiteral("TForm114")));
  ASSERT_NE(critical, nullptr);
  EXPECT_TRUE(critical->isVisible());
  EXPECT_EQ(critical->windowTitle(), "Message critique");
  EXPECT_EQ(critical->Memo1->toPlainText(), "20:16:00 - Table 5 : résultat illisible");
  QTest::mouseClick(critical->Button1, Qt::LeftButton);
  EXPECT_FALSE(critical->isVisible());

  ui::ShowNotice(QStringLiteral("TForm95"), QStringLiteral("Recherche de BMPro.EXE en cours..."));
  auto* search = qobject_cast<TForm95*>(topLevel(QStringLiteral("TForm95")));
  ASSERT_NE(search, nullptr);
  EXPECT_TRUE(search->isVisible());
  EXPECT_EQ(search->Label1->text(), "Recherche de BMPro.EXE en cours...");
  EXPECT_TRUE(search->Label1->alignment() & Qt::AlignHCenter);
  ui::HideNotice(QStringLiteral("TForm95"));
  EXPECT_FALSE(search->isVisible());
  ui::HideNotice(QStringLiteral("TForm59"));  // no such notice: nothing happens
}

TEST_F(CoreWindowsTest, UnregisteredChoiceUsesTheGenericWindow) {
  ui::Choice choice;
  choice.form = QStringLiteral("TForm999");
  choice.caption = QStringLiteral("Fréquences");
  choice.text = QStringLiteral("Impression des feuilles de fréquences");
  choice.buttons = {QStringLiteral("&Une à la fois"), QStringLiteral("&Toutes")};
  for (const auto& [key, expected] : {std::pair{Qt::Key_Return, 1}, std::pair{Qt::Key_Escape, 0}}) {
    ModalScript script;
    script.on("", [key = key](QWidget* w) { ModalScript::key(w, key); });
    EXPECT_EQ(ui::Ask(choice), expected);
  }
}

// A window the window system has not framed yet expects the frame around the
// program's framed windows (the offscreen screen frames windows with 2
// pixels each side); with no framed window shown, a title bar's height at
// the top at least.
TEST_F(CoreWindowsTest, AWindowNotYetFramedExpectsTheFrameOfTheOthers) {
  QWidget fresh;
  const QMargins alone = ui::WindowFrame(&fresh);
  EXPECT_GE(alone.top(), 20);
  EXPECT_GT(alone.left(), 0);
  EXPECT_GT(alone.bottom(), 0);
  QWidget menu;
  menu.show();
  ASSERT_EQ(ui::KnownFrame(&menu), QMargins(2, 2, 2, 2));
  EXPECT_EQ(ui::KnownFrame(&fresh), QMargins());
  EXPECT_EQ(ui::WindowFrame(&fresh), QMargins(2, 2, 2, 2));
  QWidget popup(nullptr, Qt::Popup);
  EXPECT_EQ(ui::WindowFrame(&popup), QMargins()) << "a window without a frame expects none";
}

TEST_F(CoreWindowsTest, MessageWindowFitsItsTextAndSitsInTheMiddle) {
  int shortHeight = 0;
  ModalScript script;
  auto check = [&](bool isShort) {
    return [&, isShort](QWidget* w) {
      auto* window = as<TForm26>(w);
      const int lines = window->Memo1->fontMetrics().lineSpacing();
      if (isShort) {
        shortHeight = window->Memo1->height();
        EXPECT_LT(shortHeight, 5 * lines);
      } else {
        EXPECT_GT(window->Memo1->height(), shortHeight + 10 * lines);
      }
      EXPECT_EQ(window->frameGeometry().center(), window->screen()->availableGeometry().center());
      ModalScript::key(w, Qt::Key_Escape);
    };
  };
  script.on("TForm26", check(true)).on("TForm26", check(false));
  ShowMessageWindow(QStringLiteral("Un seul mot"));
  ShowMessageWindow(QStringLiteral("ligne\r\n").repeated(20));
  EXPECT_TRUE(script.done());
}

TEST_F(CoreWindowsTest, EnterPressesTheFocusedButtonElseTheDefaultAndEscTheCancellingOne) {
  const ui::Choice c{.form = "TForm108", .buttons = {"Je suis d'accord", "Retour au menu"}, .codes = {1, 2}, .cancelCode = 2};
  auto answer = [&](const ModalScript::Step& keys) {
    TForm108 warning;
    ModalScript script;
    script.on("TForm108", [&keys](QWidget* w) {
      // Keys go where the focus is: wait until the window has settled it.
      EXPECT_TRUE(QTest::qWaitFor([w] { return w->isActiveWindow() && w->focusWidget(); }, 2000));
      keys(w);
    });
    return ui::Ask(c);
  };
  EXPECT_EQ(answer([](QWidget* w) {
              ModalScript::key(w, Qt::Key_Tab);
              EXPECT_EQ(w->focusWidget()->objectName(), "Button2");
              ModalScript::key(w, Qt::Key_Return);
            }),
            2);
  EXPECT_EQ(answer([](QWidget* w) { ModalScript::key(w, Qt::Key_Escape); }), 2);
  EXPECT_EQ(answer([](QWidget* w) { ModalScript::key(w, Qt::Key_Return); }), 1);
}

// The message window is cream; the windows that ask for no colour of their
// own share the platform's look.
TEST_F(CoreWindowsTest, CreamOnlyForTheWindowsThatAreCream) {
  TForm26 message;
  TForm59 quit;
  TForm108 resume;
  TForm110 wait;
  EXPECT_EQ(message.palette().color(QPalette::Window), QColor(0xFF, 0xFB, 0xF0));
  const QColor plain = QApplication::palette().color(QPalette::Window);
  ASSERT_NE(plain, QColor(0xFF, 0xFB, 0xF0));
  for (QWidget* w : {static_cast<QWidget*>(&quit), static_cast<QWidget*>(&resume), static_cast<QWidget*>(&wait)})
    EXPECT_EQ(w->palette().color(QPalette::Window), plain) << w->objectName().toStdString();
}
