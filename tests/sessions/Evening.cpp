#include "sessions/Evening.h"

#include "core/Fatal.h"
#include "core/ui/WindowInteraction.h"
#include "flows/ui/ProgramWindows.h"
#include "scoring/ui/ResultsWindow.h"
#include "support/TestState.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace sessions {

void InstallProgramWindows() {
  ui::InstallWindowInteraction();
  RegisterProgramWindows();
}

void WritePlayersFile(const QString& programFolder, int count) {
  static const char* const players[] = {"ARNAUD Paul", "BLANC Marie", "CARON Luc",  "DUMAS Anne",
                                        "EVRARD Jean", "FAURE Lise",  "GIRARD Marc", "HENRY Rose",
                                        "JOLY Yves",   "KLEIN Sara",  "LEROY Eric", "MOREL Zoe",
                                        "NOEL Guy",    "PERRIN Ida",  "ROUX Marc",  "SIMON Lea"};
  QByteArray text;
  for (int i = 0; i < count; ++i) text += QByteArray(players[i]) + ' ' + QByteArray::number(1001 + i) + "\r\n";
  testing_support::writeBytes(programFolder + "JOUEURS.TXT", text);
}

void PlacePlayer(ProgramWindows& w, const char* typed, QTableWidget* grid, int row, int column) {
  QTest::qWait(QApplication::keyboardInputInterval() + 10);  // a new search
  QTest::keyClicks(w.pairs.Joueurs, QString::fromLatin1(typed));
  const QRect rect = grid->visualItemRect(grid->item(row - 1, column));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

void PlacePairs(ProgramWindows& w, const PairLetters& ns, const PairLetters& ew) {
  for (size_t r = 0; r < ns.size(); ++r)
    for (int c = 0; c < 2; ++c) {
      PlacePlayer(w, ns[r][c], w.pairs.NS, int(r) + 1, c + 1);
      PlacePlayer(w, ew[r][c], w.pairs.EW, int(r) + 1, c + 1);
    }
}

void ScriptShippedHowell(Desk& desk) {
  desk.on("TForm9", [](QWidget* w) { w->findChild<QPushButton*>("Button2")->click(); })
      .on("TForm65", [](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("ListBox1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        Desk::enter(w);
      })
      .on("TForm10", [](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("ListBox1");
        list->setCurrentItem(list->findItems("2", Qt::MatchStartsWith).value(0));
        w->findChild<QPushButton*>("Button1")->click();
      })
      .on("TForm6", Desk::enter);
}

void ScriptMitchellOfTwoBoards(Desk& desk) {
  desk.on("TForm9", [](QWidget* w) { w->findChild<QPushButton*>("Button1")->click(); }).on("TForm7", [](QWidget* w) {
    w->findChild<QLineEdit*>("Edit1")->clear();
    Desk::type(w, "2");
    Desk::enter(w);
  });
}

void ScriptNoDealsImported(Desk& desk) {
  desk.on("TForm26", Desk::enter);  // no PBN file in the folder, said once
}

void AdjustSixtyForty(QWidget* w) {
  QTest::keyClicks(w->findChild<QLineEdit*>("EditNs"), "60");
  QTest::keyClicks(w->findChild<QLineEdit*>("EditEw"), "40");
  w->findChild<QListWidget*>("ListBox1")->setFocus();
  Desk::key(w, Qt::Key_Down);
  Desk::enter(w);
}

bool ShowAndPrintResults(Desk& desk, TForm5& menu, bool choosePrinter, const std::function<void()>& keep) {
  menuButton(menu, "Button10")->click();
  desk.expectDone("results shown");
  TForm17* results = TopLevelWindow<TForm17>();
  if (!results) return false;
  if (choosePrinter) desk.on("TForm19", Desk::enter);
  desk.on("TForm26", Desk::enter);
  results->BitBtn1->click();
  desk.expectDone("results printed");
  keep();
  QTest::keyClick(results, Qt::Key_Escape);
  return true;
}

void QuitThrough(Desk& desk, QPushButton* quitButton, bool impWarning) {
  desk.on("TForm59", [](QWidget* d) { d->findChild<QPushButton*>("Button1")->click(); });
  if (impWarning) desk.on("TForm26", Desk::enter);  // saved as a pairs tournament
  try {
    quitButton->click();
    ADD_FAILURE() << "the program did not end";
  } catch (const FatalStopError& stop) {
    EXPECT_EQ(stop.exitCode(), 0);
  }
  desk.expectDone("quit");
}

}  // namespace sessions
