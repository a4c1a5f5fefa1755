#include "core/Flows.h"
#include "core/DeviceFiles.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "flows/StartTournament.h"
#include "flows/TournamentMenu.h"
#include "platform/TextFiles.h"
#include "setup/MovementFiles.h"
#include "setup/Movements.h"
#include "setup/PairsEntry.h"
#include "scoring/Frequencies.h"
#include "support/NamedPairs.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <map>
#include <set>
#include <tuple>
#include <vector>

using testing_support::readBytes;
using testing_support::writeBytes;
using testing_support::MakeNamedPairs;

namespace {

QString slotText(int s) {
  return QStringLiteral("%1 %2 %3 %4 %5").arg(ResultNsPair[s]).arg(ResultEwPair[s]).arg(ResultRound[s]).arg(ResultTable[s]).arg(ResultBoard[s]);
}

QStringList lines(const char* text) { return QString::fromUtf8(text).split(u'\n'); }

// Reads lines with one board per table (the line of TForm10 answered);
// returns the messages shown.
QStringList readWithOneBoard(const QStringList& file, const QString& name = QStringLiteral("M.TXT"), int boards = 1) {
  ClearAllResults();
  ui::ScriptedInteraction ui;
  ui.answer(boards);
  ReadMovementLines(file, name);
  return ui.messages;
}

QString lineError(const QString& message, int line) {
  return QStringLiteral(" Erreur: ") + message + QStringLiteral(" N° de ligne du fichier = ") + QString::number(line);
}

}  // namespace

class MovementFilesTest : public testing_support::TalvaronTest {};

TEST_F(MovementFilesTest, MitchellAndHowellFilesFillTheSlots) {
  MakeNamedPairs(6);
  const QStringList mitchell = lines("3 6 3 Mitchell\n1 1 1 1 1\n1 2 2 2 2\n1 3 3 3 3\n2 1 3 2 1\n2 2 1 3 2\n"
                                     "2 3 2 1 3\n3 1 2 3 1\n3 2 3 1 2\n3 3 1 2 3\n\n\n");
  EXPECT_EQ(readWithOneBoard(mitchell), QStringList());
  EXPECT_TRUE(MitchellNumbering && !IsHowell);
  EXPECT_EQ(BoardCount, 3);
  EXPECT_EQ(RoundCount, 3);
  RenumberMitchellEastWest();
  QStringList got;
  for (int s = 1; s <= 9; ++s) got << slotText(s);
  // Each board's slots are taken in the order of the file's lines.
  EXPECT_EQ(got, QStringList({"1 4 1 1 1", "3 5 2 3 1", "2 6 3 2 1", "2 5 1 2 2", "1 6 2 1 2", "3 4 3 3 2",
                              "3 6 1 3 3", "2 4 2 2 3", "1 5 3 1 3"}));
  EXPECT_EQ(ResultScore[1], kScoreNone);

  // Four pairs, one missing: the Howell's pair 4 is read as no pair.
  MakeNamedPairs(3);
  const QStringList howell = lines("6 4 3 Howell\n1 1 4 3 1\n1 2 3 1 2\n2 4 2 5 1\n2 1 3 6 2\n3 4 3 4 1\n3 1 2 2 2");
  EXPECT_EQ(readWithOneBoard(howell), QStringList());
  EXPECT_TRUE(IsHowell && !MitchellNumbering);
  EXPECT_EQ(BoardCount, 6);
  EXPECT_EQ(slotText(5), "1 0 1 1 3");
  EXPECT_EQ(slotText(3), "1 2 3 2 2");
  EXPECT_EQ(slotText(9), "4 2 2 1 5");
}

TEST_F(MovementFilesTest, EachLineErrorNamesItsLine) {
  MakeNamedPairs(16);  // 8 tables
  const std::vector<std::pair<const char*, QString>> cases = {
      {"2 16 7 M\n3 5 12 2", lineError("N° E/W (Mitchell)?", 2)},
      {"2 16 7 M\n1 1 1 1\n3 9 1 2", lineError("N° N/S (Mitchell)?", 3)},
      {"2 16 7 M\n1 1 1 3", lineError("N° Série?", 2)},
      {"2 16 7 M\n8 1 1 1", lineError("N° Tour?", 2)},
      {"2 16 7 M\n1 1 1 1 X", lineError("N° table?", 2)},
      {"2 16 7 M\n\n1 1 1 1", lineError("Nombre incorrect ou ligne vide", 2)},
      {"2 16 7 H\n1 17 1 1", lineError("N° N/S (Howell)?", 2)},
      {"2 16 7 H\n1 1 0 1", lineError("N° E/W (Howell)?", 2)},
      {"2 14 7 M", lineError("Nombre de paires?", 1)},
      {"2 16 0 M", lineError("Nombre de tours?", 1)},
      {"2 16 7 X", lineError("Howell? Mitchell?", 1)},
      {"2 16 M", lineError("Nombre incorrect ou ligne vide", 1)},
      {"65 16 7 M", lineError("Il n'y a pas assez d'étuis en jeu!", 1)},
      // Numbers the saved tournament could not be reloaded with, or that overflow.
      {"2 16 7 M\n1 1 1 1 22", lineError("N° table?", 2)},
      {"2 16 65 M", lineError("Nombre de tours?", 1)},
      {"0 16 7 M", lineError("Il n'y a pas assez d'étuis en jeu!", 1)},
      {"2147483647 16 7 M", lineError("Il n'y a pas assez d'étuis en jeu!", 1)},
  };
  for (const auto& [file, message] : cases) {
    ClearAllResults();
    ui::ScriptedInteraction ui;
    for (int i = 0; i < 3; ++i) ui.answer(1);
    EXPECT_FALSE(ReadMovementLines(lines(file), "M.TXT")) << file;
    EXPECT_EQ(ui.messages, QStringList{message}) << file;
    EXPECT_EQ(ui.beeps, 1);
  }
  // A board with more lines than tables is a line to mend, not a stop.
  MakeNamedPairs(4);
  EXPECT_EQ(readWithOneBoard(lines("1 4 2 M\n1 1 1 1\n1 2 2 1\n2 1 2 1")),
            QStringList{lineError("Trop de résultats pour la donne 1!", 4)});
  // A two-team Patton numbers its pairs 1 to 4.
  IsPatton = true;
  ClearAllResults();
  ui::ScriptedInteraction ui;
  ui.answer(2);
  EXPECT_FALSE(ReadMovementLines(lines("4 4 4 M\n1 1 5 1"), "PATTON2.TXT"));
  EXPECT_EQ(ui.messages, QStringList{lineError("N° E/W (PATTON)?", 2)});
  EXPECT_EQ(ui.lists.first().lines.first(), QString());  // one board per table is not offered
  EXPECT_EQ(ui.lists.first().lines.last(), "16 étuis/table = 64 étuis");
  EXPECT_EQ(ui.lists.first().current, 8);
  ClearAllResults();
  ui.answer(2);
  EXPECT_FALSE(ReadMovementLines(lines("4 4 4 M\n1 0 1 1"), "PATTON2.TXT"));
  EXPECT_EQ(ui.messages.last(), lineError("N° N/S (PATTON)?", 2));
}

TEST_F(MovementFilesTest, FederationReaderStopsOnTheFirstFault) {
  MakeNamedPairs(16);
  MovementFolder = programDir() + "Howells/";
  writeBytes(MovementFolder + "F.TXT", "2 16 7 H\r\n3 5 17 2\r\n");
  BoardsPerTable = 2;
  RoundsPlayed = 7;
  ui::ScriptedInteraction ui;
  EXPECT_THROW(LoadFederationMovement("F.TXT"), FatalStopError);
  EXPECT_EQ(ui.messages, QStringList{"Fichier " + MovementFolder + "F.TXT: Erreur: N° E/W (Howell)? N° de ligne du fichier = 2. Désolé, on arrête!"});
  writeBytes(MovementFolder + "F.TXT", "-2 16 7 H\r\n");
  EXPECT_THROW(LoadFederationMovement("F.TXT"), FatalStopError);
  EXPECT_EQ(ui.messages.last(), "Fichier " + MovementFolder + "F.TXT: Erreur: Il n'y a pas assez d'étuis en jeu! N° de ligne du fichier = 1. Désolé, on arrête!");
  EXPECT_THROW(LoadFederationMovement("G.TXT"), FatalStopError);
  EXPECT_EQ(ui.messages.last(), "Pas trouvé le fichier \"G.TXT\" [" + MovementFolder + "G.TXT] ! Désolé, on arrête!");
}

TEST_F(MovementFilesTest, NamesMarkArrowSwitchAndAppendix) {
  SetArrowSwitchFromName("Howell Arrow Switch (2) 8.TXT");
  EXPECT_TRUE(ArrowSwitch);
  EXPECT_EQ(ArrowSwitchText, "aux tours numéros 2 et 3");
  SetArrowSwitchFromName("HOWELL08.TXT");
  EXPECT_FALSE(ArrowSwitch);
  EXPECT_EQ(ArrowSwitchText, QString());
  EXPECT_TRUE(IsAppendixFileName("A7-3.TXT", 10));
  EXPECT_TRUE(IsAppendixFileName("a9-0.txt", 9));
  EXPECT_FALSE(IsAppendixFileName("A7-3.TXT", 11));
}

TEST_F(MovementFilesTest, ListingOffersTheFittingFilesOnly) {
  MakeNamedPairs(16);
  MovementFolderInUse = programDir() + "Howells/";
  writeBytes(MovementFolderInUse + "A.TXT", "4 16 7 Mitchell\r\n");
  writeBytes(MovementFolderInUse + "B.TXT", "34 16 7 Howell\r\n");        // too many sets: left out
  writeBytes(MovementFolderInUse + "C.TXT", "15 16 15 Howell\r\n");
  writeBytes(MovementFolderInUse + "D.TXT", "15 14 15 Howell\r\n");       // other size
  writeBytes(MovementFolderInUse + "HEREDIA8.TXT", "7 16 7 Howell\r\n");  // the federation's, listed all the same
  writeBytes(MovementFolderInUse + "PATTON8.TXT", "7 16 7 M\r\n");
  ui::ScriptedInteraction ui;
  ui.answer(2);
  QString name;
  ChooseMovementFile(name);
  EXPECT_EQ(name, "C.TXT");
  ASSERT_EQ(ui.lists.size(), 1);
  EXPECT_EQ(ui.lists[0].lines, QStringList({"A.TXT Mitchell 16 paires maximum 7 tours 4 séries d'étuis ( maximum 32 étuis )",
                                            "C.TXT Howell 16 paires maximum 15 tours 15 séries d'étuis ( maximum 30 étuis )",
                                            "HEREDIA8.TXT Howell 16 paires maximum 7 tours 7 séries d'étuis ( maximum 28 étuis )"}));
  EXPECT_EQ(ui.lists[0].hint, "Il y a 16 paires.");
  EXPECT_EQ(ui.lists[0].current, 1);  // the first fitting file is proposed
  // Nothing fitting, in club mode: the club toggle goes.
  ClubMode = ClubMovements = true;
  writeBytes(programDir() + "MouvementsBralmet.TXT", "x\r\n");
  MakeNamedPairs(20);
  ChooseMovementFile(name);
  EXPECT_EQ(name, QString());
  EXPECT_EQ(ui.messages.last(), "Désolé, pas trouvé de mouvement correspondant à votre nombre de paires!");
  EXPECT_FALSE(ClubMovements);
  EXPECT_FALSE(platform::fileExists(programDir() + "MouvementsBralmet.TXT"));
}

TEST_F(MovementFilesTest, AFederationMovementChosenOutsideItsTournamentsIsRefused) {
  TournamentCode = QStringLiteral("HER");
  MakeNamedPairs(16);
  MovementFolder = MovementFolderInUse = programDir() + "Howells/";
  writeBytes(MovementFolder + "A.TXT", "4 16 7 Mitchell\r\n");
  writeBytes(MovementFolder + "Heredia8.TXT", "7 16 7 Howell\r\n1 1 16 1\r\n");
  ui::ScriptedInteraction ui;
  ui.answer(2).answer(2);  // "Mouvement proposé par le programme", then its second line
  EXPECT_FALSE(ChooseMovement());
  ASSERT_EQ(ui.lists.size(), 1);
  EXPECT_EQ(ui.lists[0].lines.value(1).left(13), "Heredia8.TXT ");
  EXPECT_EQ(ui.messages, QStringList({"Désolé, pas de mouvements Hérédia si on n'est pas en mode FFB..."}));
  EXPECT_EQ(ResultNsPair[1], 0);  // nothing read
  EXPECT_TRUE(MovementFileName.isEmpty());
}

TEST_F(MovementFilesTest, PattonRefusals) {
  TournamentCode = QStringLiteral("PAT");
  MovementFolder = MovementFolderInUse = programDir() + "Howells/";
  QDir().mkpath(MovementFolder);
  struct Case {
    int pairs;
    bool bridgeMates;
    bool bye;
    QString message;
  };
  const std::vector<Case> cases = {
      {8, true, false, "Désolé, impossible de jouer un PATTON avec les BridgeMates!"},
      {8, false, true, "Désolé, pas de BYE pour un PATTON. Mettez une paire bidon à cet endroit..."},
      {32, false, false, "Désolé, les PATTONS ne sont programmés que jusque 15 équipes (30 paires)!"},
      {24, false, false, "Pas trouvé le fichier PATTON12.TXT dans le dossier " + programDir() + "Howells/"},
  };
  for (const Case& c : cases) {
    ClearPairSlots();
    MakeNamedPairs(c.pairs);
    BridgeMatesMode = c.bridgeMates;
    if (c.bye) {
      PairLabels[c.pairs] = Player1Names[c.pairs] = "BYE";
      Player2Names[c.pairs].clear();
    }
    ui::ScriptedInteraction ui;
    ui.answer(9);
    if (c.bridgeMates) ui.answer(0);  // the choice comes back; back to the pairs
    EXPECT_FALSE(ChooseMovement());
    EXPECT_EQ(ui.messages.first(), c.message);
    EXPECT_FALSE(platform::fileExists(DataFolder + "PAT.PAT"));
    EXPECT_FALSE(IsPatton || ImpScoring);
  }
  BridgeMatesMode = false;
  ClearPairSlots();
  MakeNamedPairs(4);
  writeBytes(MovementFolder + "PATTON2.TXT", "4 4 1 Mitchell\r\n1 1 2 1 1\r\n1 2 1 1 2\r\n");
  ui::ScriptedInteraction ui;
  ui.answer(9).answer(3).answerText("1");
  ASSERT_TRUE(ChooseMovement());
  EXPECT_TRUE(IsPatton && ImpScoring);
  EXPECT_EQ(readBytes(DataFolder + "PAT.PAT"), "C'est un tournoi PATTON\r\n");
  EXPECT_EQ(BoardsPerTable, 3);
  EXPECT_EQ(slotText(1), "1 4 1 1 1");
  EXPECT_EQ(slotText(2), "2 3 1 2 1");
}

TEST_F(MovementFilesTest, StartingAThreeTableMitchellWritesTheSlotsFiles) {
  TournamentCode = QStringLiteral("ESSAI");
  MakeNamedPairs(6);
  FillPairsGrids();  // the pairs as the pair-names window holds them
  bool backToPairs = false;
  int menus = 0;
  QString counters;
  flowWindows().showPairsEntry = [&] { backToPairs = true; };
  flowWindows().showTournamentMenu = [&] { ++menus; };
  const auto installedCounters = flowSteps().showCounters;
  flowSteps().showCounters = [&](const QString& players, const QString& results) { counters = players + "|" + results; };
  {
    ui::ScriptedInteraction ui;
    ui.answer(0);
    StartTournament();
    EXPECT_TRUE(backToPairs);
    EXPECT_EQ(ResultSlotCount, 64 * 3);
    EXPECT_EQ(menus, 0);
  }
  ui::ScriptedInteraction ui;
  ui.answer(1).answerText("2").answerText("3");
  StartTournament();
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(counters, "--|--");
  EXPECT_EQ(ResultSlotCount, 18);
  const QStringList var = platform::readTextLines(DataFolder + "ESSAI.VAR");
  ASSERT_EQ(var.size(), 18);
  EXPECT_EQ(var.first(), "1 4 10000 1 1 1 0 ");
  EXPECT_TRUE(platform::fileExists(DataFolder + "ESSAI.PAI"));
  flowWindows().showPairsEntry = nullptr;
  flowWindows().showTournamentMenu = nullptr;
  flowSteps().showCounters = installedCounters;
}

// Every shipped movement file reads into the slots and keeps the rules of
// its kind: in a Howell (and an Appendix Mitchell) no pair meets another
// twice, no pair plays a set twice and every table plays every round; no set
// is on two tables in a round, except in the four-pair Howell (both tables
// share the boards) and in an Appendix Mitchell (an extra table shares the
// boards of one of the first ones); in a Patton the two tables of a match
// play one set with the teams crossed. Whatever the kind, every set the
// header declares is played at two tables or more: a single result stops the
// scoring and a set never played is an empty board.
TEST_F(MovementFilesTest, ShippedMovementFilesAreSound) {
  const QString folder = QCoreApplication::applicationDirPath() + "/Howells/";
  QStringList files;
  for (const QString& name : platform::listFolder(folder, "*.TXT")) files << folder + name;
  for (const QString& name : platform::listFolder(folder + "Bralmet/", "*.TXT")) files << folder + "Bralmet/" + name;
  ASSERT_GE(files.size(), 20 + 8 + 10 + 14);
  for (int pairs = 4; pairs <= 42; pairs += 2) EXPECT_TRUE(platform::fileExists(QStringLiteral("%1HOWELL%2.TXT").arg(folder).arg(pairs, 2, 10, QChar('0'))));
  for (int n = 0; n <= 7; ++n) EXPECT_TRUE(platform::fileExists(folder + QStringLiteral("A7-%1.TXT").arg(n)));
  for (int n = 0; n <= 9; ++n) EXPECT_TRUE(platform::fileExists(folder + QStringLiteral("A9-%1.TXT").arg(n)));
  for (int teams = 2; teams <= 15; ++teams) EXPECT_TRUE(platform::fileExists(folder + QStringLiteral("PATTON%1.TXT").arg(teams)));

  for (const QString& path : files) {
    SCOPED_TRACE(path.toStdString());
    const QStringList text = platform::readTextLines(path);
    MovementHeader header;
    ASSERT_TRUE(ParseMovementHeader(text.first(), header));
    const QString name = QFileInfo(path).fileName();
    const bool patton = name.startsWith("PATTON");
    const bool howell = header.kind == u'H';
    const int tables = header.pairs / 2;
    std::set<std::tuple<int, int>> tableRounds, pairSets, meetings;
    std::map<std::tuple<int, int, int>, int> matchSet;  // round, N/S, E/W -> set
    std::map<std::tuple<int, int>, std::vector<int>> setTables;  // round, set -> tables
    std::map<int, int> setPlays;
    for (qsizetype i = 1; i < text.size(); ++i) {
      const QStringList f = text[i].split(' ', Qt::SkipEmptyParts);
      ASSERT_EQ(f.size(), 5) << i;
      const int r = f[0].toInt(), ns = f[1].toInt(), ew = f[2].toInt(), s = f[3].toInt(), t = f[4].toInt();
      ASSERT_TRUE(t >= 1 && t <= tables && r >= 1 && r <= header.rounds && s >= 1 && s <= header.sets) << i;
      EXPECT_TRUE(tableRounds.insert({r, t}).second) << "table twice in a round, line " << i + 1;
      ++setPlays[s];
      const int nsKey = ns, ewKey = howell ? ew : ew + 100;
      EXPECT_TRUE(pairSets.insert({nsKey, s}).second) << "N/S pair on a set twice, line " << i + 1;
      EXPECT_TRUE(pairSets.insert({ewKey, s}).second) << "E/W pair on a set twice, line " << i + 1;
      if (patton) {
        matchSet[{r, ns, ew}] = s;
        continue;
      }
      EXPECT_TRUE(meetings.insert({std::min(nsKey, ewKey), std::max(nsKey, ewKey)}).second) << "meeting twice, line " << i + 1;
      setTables[{r, s}].push_back(t);
    }
    for (int s = 1; s <= header.sets; ++s) EXPECT_GE(setPlays[s], 2) << "set " << s << " played at one table or none";
    const bool appendix = name.startsWith('A');
    for (const auto& [key, ts] : setTables) {
      const auto& [r, s] = key;
      if (ts.size() < 2) continue;
      EXPECT_EQ(ts.size(), 2u) << "set " << s << " on three tables in round " << r;
      if (appendix)
        EXPECT_TRUE(std::min(ts[0], ts[1]) <= header.rounds && std::max(ts[0], ts[1]) > header.rounds)
            << "set " << s << " shared by two extra tables or two first ones in round " << r;
      else
        EXPECT_EQ(header.pairs, 4) << "set " << s << " twice in round " << r;
    }
    if (!patton) {
      EXPECT_EQ(static_cast<int>(tableRounds.size()), tables * header.rounds) << "a table left empty";
    }
    for (const auto& [key, s] : matchSet) {
      const auto& [r, ns, ew] = key;
      EXPECT_EQ(matchSet.count({r, ew, ns}) ? matchSet.at({r, ew, ns}) : -1, s) << "match not crossed";
    }
    // And the program reads it.
    ClearPairSlots();
    MakeNamedPairs(header.pairs);
    IsPatton = patton;
    EXPECT_EQ(readWithOneBoard(text, name, header.pairs == 4 && patton ? 2 : 1).size(), 0) << "read with a message";
    IsPatton = false;
    EXPECT_EQ(BoardCount, header.sets * BoardsPerTable);
    for (int b = 1; b <= BoardCount; ++b) {
      int played = 0;
      for (int t = 1; t <= ResultsPerBoard; ++t) played += ResultNsPair[(b - 1) * ResultsPerBoard + t] != 0;
      EXPECT_GE(played, 2) << "board " << b << " read with fewer than two tables";
    }
  }
}

// A four-pair Howell evening on the shipped file: every board has two
// results, so the frequencies are computed without a stop; on each board the
// better N/S score takes the top.
TEST_F(MovementFilesTest, FourPairHowellEveningIsScored) {
  const QString path = QCoreApplication::applicationDirPath() + "/Howells/HOWELL04.TXT";
  MakeNamedPairs(4);
  ASSERT_EQ(readWithOneBoard(platform::readTextLines(path), QStringLiteral("HOWELL04.TXT"), 2), QStringList());
  ASSERT_EQ(BoardCount, 6);
  ResultSlotCount = BoardCount * ResultsPerBoard;
  // Table 1 makes 420, table 2 goes one down (-50) on every board.
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (TestSlots().nsPair[s] != 0) TestSlots().score[s] = TestSlots().table[s] == 1 ? 420 : -50;
  ui::ScriptedInteraction ui;
  Interactive = true;
  TableDevicesMode = false;
  ComputeFrequencies();
  EXPECT_EQ(ui.messages, QStringList());
  EXPECT_TRUE(FrequenciesComputed);
  for (int b = 1; b <= 6; ++b) {
    SCOPED_TRACE(b);
    ASSERT_EQ(ResultTable[(b - 1) * 2 + 1], 1);
    EXPECT_DOUBLE_EQ(ResultNsPercent[(b - 1) * 2 + 1], 100);
    EXPECT_DOUBLE_EQ(ResultEwPercent[(b - 1) * 2 + 2], 100);
  }
}
