#include "devices/FederationImport.h"

#include "core/CardLetters.h"
#include "core/DealDiagrams.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "core/PlayerNames.h"
#include "core/State.h"
#include "core/Texts.h"
#include "devices/BridgeMatesDatabase.h"
#include "devices/FederationSetup.h"
#include "devices/SessionDatabase.h"
#include "devices/TabletFiles.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"
#include "setup/MovementFiles.h"
#include "setup/Movements.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

const QString kStopTail = QStringLiteral(" Désolé, on arrête!");
const QString kSecondSection =
    QStringLiteral("Ce tournoi comporte plus d'une série de paires... Utilisez Talvarix. Désolé, on arrête!");
const QString kSpecialHeredia = QStringLiteral("H11.BWS");

struct RoundRow {
  int section = 0;
  int round = 0;
  int ns = 0;
  int ew = 0;
  int low = 0;
  int high = 0;
};

struct PlayerRow {
  int section = 0;
  int table = 0;
  QString direction;
  QString number;
  QString name;
};

struct HandRow {
  int section = 0;
  int board = 0;
  QStringList holdings;  // North, South, East, West; spades .. clubs
};

const QStringList kHandColumns = {
    QStringLiteral("NorthSpades"), QStringLiteral("NorthHearts"), QStringLiteral("NorthDiamonds"),
    QStringLiteral("NorthClubs"),  QStringLiteral("SouthSpades"), QStringLiteral("SouthHearts"),
    QStringLiteral("SouthDiamonds"), QStringLiteral("SouthClubs"), QStringLiteral("EastSpades"),
    QStringLiteral("EastHearts"),  QStringLiteral("EastDiamonds"), QStringLiteral("EastClubs"),
    QStringLiteral("WestSpades"),  QStringLiteral("WestHearts"),  QStringLiteral("WestDiamonds"),
    QStringLiteral("WestClubs")};

[[noreturn]] void stop(const QString& message) {
  CloseSessionDatabase();
  FatalStop(message);
}

// A number of the database, checked before any use: empty counts as 0, any
// other text or a value outside low..high stops the import naming the field.
int field(const SessionTable& t, const QString& table, const QString& column, int low = INT_MIN, int high = INT_MAX) {
  const QString text = t.text(column).trimmed();
  const int value = text.isEmpty() ? 0 : text.toInt();
  if ((!text.isEmpty() && !IsInteger(text)) || value < low || value > high)
    stop(QStringLiteral("(FFBClubNet) Le champ \"") + column + QStringLiteral("\" de la table \"") + table +
         QStringLiteral("\" contient \"") + text + QStringLiteral("\", impossible ici (de %1 à %2).").arg(low).arg(high) +
         kStopTail);
  return value;
}

[[noreturn]] void emptyTable(const QString& table) {
  stop(QStringLiteral("(FFBClubNet) La table \"") + table + QStringLiteral("\" est vide.") + kStopTail);
}

[[noreturn]] void notSectionOne(const QString& table) {
  stop(QStringLiteral("(FFBClubNet) Le champ \"Section\" n'est pas \"1\" dans la table \"") + table + QStringLiteral("\".") +
       kStopTail);
}

QList<int> readSections() {
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("Section"));
  t.open();
  QList<int> tables;
  for (t.first(); !t.eof(); t.next()) {
    if (field(t, QStringLiteral("Section"), QStringLiteral("ID")) != 1) stop(kSecondSection);
    tables << field(t, QStringLiteral("Section"), QStringLiteral("Tables"), 1, kMaxTables);
    if (field(t, QStringLiteral("Section"), QStringLiteral("MissingPair")) != 0)
      stop(QStringLiteral("(FFBClubNet) Le champ \"MissingPair\" dans la table \"Section\" n'est pas 0! Impossible.") +
           kStopTail);
  }
  t.close();
  if (tables.isEmpty()) emptyTable(QStringLiteral("Section"));
  return tables;
}

QList<RoundRow> readRounds() {
  SessionTable& t = BwsTable();
  const QString name = QStringLiteral("RoundData");
  t.select(name);
  t.open();
  QList<RoundRow> rows;
  for (t.first(); !t.eof(); t.next()) {
    RoundRow r;
    r.section = field(t, name, QStringLiteral("Section"));
    r.round = field(t, name, QStringLiteral("Round"), 1, kMaxBoards);
    r.ns = field(t, name, QStringLiteral("NSPair"), 0, kMaxPairs);
    r.ew = field(t, name, QStringLiteral("EWPair"), 0, kMaxPairs);
    r.low = field(t, name, QStringLiteral("LowBoard"), 0, kMaxBoards);
    r.high = field(t, name, QStringLiteral("HighBoard"), 0, kMaxBoards);
    if (r.low > 0 && r.high > 0 && r.high < r.low)
      stop(QStringLiteral("(FFBClubNet) Le champ \"HighBoard\" (%1) est plus petit que \"LowBoard\" (%2) dans la table "
                          "\"RoundData\".")
               .arg(r.high)
               .arg(r.low) +
           kStopTail);
    rows << r;
  }
  t.close();
  if (rows.isEmpty()) emptyTable(name);
  return rows;
}

QList<PlayerRow> readPlayers() {
  SessionTable& t = BwsTable();
  const QString name = QStringLiteral("PlayerNumbers");
  t.select(name);
  t.open();
  QList<PlayerRow> rows;
  for (t.first(); !t.eof(); t.next()) {
    PlayerRow p;
    p.section = field(t, name, QStringLiteral("Section"));
    p.table = field(t, name, QStringLiteral("Table"), 0, kMaxPairs);
    p.direction = t.text(QStringLiteral("Direction")).trimmed();
    p.number = t.text(QStringLiteral("Number")).trimmed();
    p.name = t.text(QStringLiteral("Name"));
    rows << p;
  }
  t.close();
  if (rows.isEmpty()) emptyTable(name);
  for (const PlayerRow& p : rows)
    if (p.section != 1) notSectionOne(name);
  return rows;
}

QList<HandRow> readHands() {
  SessionTable& t = BwsTable();
  const QString name = QStringLiteral("HandRecord");
  t.select(name);
  t.open();
  QList<HandRow> rows;
  for (t.first(); !t.eof(); t.next()) {
    HandRow h;
    h.section = field(t, name, QStringLiteral("Section"));
    if (h.section != 1) stop(kSecondSection);
    h.board = field(t, name, QStringLiteral("Board"), 1, kMaxBoards);
    for (const QString& column : kHandColumns) h.holdings << t.text(column).trimmed();
    rows << h;
  }
  t.close();
  return rows;
}

// Keeps the federation's file beside it once, then puts the special 11-pair
// Heredia database in its place.
void replaceBySpecialHeredia() {
  const QString special = MovementFolder + kSpecialHeredia;
  if (!platform::fileExists(special)) {
    ShowAlert(QStringLiteral("Désolé, le fichier spécial ") + kSpecialHeredia + QStringLiteral(" ne se trouve pas dans ") +
              MovementFolder + QStringLiteral("! Désolé, on arrête..."));
    HaltProgram();
  }
  const QString target = platform::resolvePath(FederationBwsFile);
  const QString kept = target + QStringLiteral(".ORIG");
  // The copy is whole before the database is replaced: a copy cut short
  // would be kept as the original at the next try.
  if (!platform::fileExists(kept))
    if (const int code = platform::copyFileAtomically(target, kept); code != 0)
      throw platform::IoError(code, kept, QStringLiteral("Impossible de garder une copie de ") + target);
  CopySessionDatabase(special, target);
}

// What the reading pass leaves for the steps after it.
struct Pass {
  QList<RoundRow> rounds;
  bool oddTables = false;
};

// One reading pass; false when the special Heredia file has just been put
// in place and the pass must run again.
bool readingPass(bool firstPass, Pass& pass) {
  IsPatton = QFileInfo(FederationBwsFile).fileName().contains(QLatin1String("PATTON"));
  ImpScoring = IsPatton;
  ClearPairSlots();
  ClearAllResults();
  // Deals of an earlier tournament must never go back as this session's.
  for (int b = 1; b <= kMaxBoards; ++b) DealDiagrams[b].clear();
  EntryByContracts = true;

  OpenSessionDatabase(FederationBwsFile, SessionUse::FederationImport);
  const QList<int> sections = readSections();
  TableCount = sections.last();
  pass.oddTables = TableCount % 2 == 1;

  pass.rounds = readRounds();
  int emptyTables = 0;
  for (const RoundRow& r : pass.rounds) {
    if (r.round != 1) break;
    if (r.ns == 0 && r.ew == 0) ++emptyTables;
    if (IsPatton && r.ns == 0 && r.ew != 0) {
      --TableCount;
      pass.oddTables = false;
    }
  }
  if (TableCount < 1)
    stop(QStringLiteral("(FFBClubNet) Aucune table dans la table \"RoundData\".") + kStopTail);
  HerediaMovement = emptyTables > 2 ? 1 : 0;
  if (HerediaMovement != 0) {
    int highest = 0;
    for (const RoundRow& r : pass.rounds) highest = std::max({highest, r.ns, r.ew});
    if (highest == 11) {
      CloseSessionDatabase();
      if (firstPass) {
        replaceBySpecialHeredia();
        return false;
      }
      OpenSessionDatabase(FederationBwsFile, SessionUse::FederationImport);
    }
  }
  return true;
}

// Step "kind of movement" for Mitchell numbering.
void mitchellKind(const QList<RoundRow>& rounds, bool oddTables) {
  const RoundRow& first = rounds.first();
  if (oddTables) {
    MitchellType = 0;
    FederationMovementKind = first.low == 1 ? 0 : (first.ew == 1 ? 1 : 2);
    return;
  }
  if (first.low != 1) {
    MitchellType = 1;
    FederationMovementKind = first.ew == 1 ? 3 : 4;
    return;
  }
  // Relay or skip: the E/W pair met by N/S pair 1 in the round before
  // half-time, then in the next row. The relay goes on down by one.
  FederationMovementKind = 0;
  MitchellType = 1;
  const qsizetype start = static_cast<qsizetype>(TableCount / 2 - 1) * TableCount;
  const qsizetype end = start + TableCount;
  if (start < 0 || end >= rounds.size()) return;
  int kept = -1;
  for (qsizetype i = start; i < end; ++i)
    if (rounds[i].ns == 1) kept = rounds[i].ew;
  if (kept >= 0 && rounds[end].ew == kept - 1) MitchellType = 2;
}

void findBye(const QList<RoundRow>& rounds, bool oddTables) {
  ByePairNumber = ByeNsPair = ByeEwPair = 0;
  if (HerediaMovement != 0 && oddTables) {
    ByePairNumber = PairCount;
    ByeEwPair = PairCount;
  } else if (IsHowell) {
    for (const RoundRow& r : rounds) {
      if (r.round != 1) continue;
      if (r.ns == 0 && r.ew == 0) continue;
      if (r.ns == 0) ByePairNumber = HerediaMovement != 0 ? TableCount : 2 * TableCount;
    }
  } else {
    QList<int> ns, ew;
    for (const RoundRow& r : rounds) {
      if (r.round != 1) continue;
      ns << r.ns;
      ew << r.ew;
    }
    for (int k = 1; k <= TableCount && ByePairNumber == 0; ++k)
      if (!ns.contains(k)) ByePairNumber = k;
    for (int k = 1; k <= TableCount && ByePairNumber == 0; ++k)
      if (!ew.contains(k)) ByePairNumber = TableCount + k;
  }
  ByePresent = ByePairNumber > 0;
}

// Whether the names of PlayerNumbers can be taken: all of them or none.
bool namesPresent(const QList<PlayerRow>& players) {
  int rows = 0;
  int named = 0;
  for (const PlayerRow& p : players) {
    if (p.table == 0) continue;
    ++rows;
    if (!p.name.trimmed().isEmpty()) ++named;
  }
  if (named > 0 && named < rows) {
    ShowAlert(QStringLiteral("Le nombre de noms de joueurs non vides reçus de FFBClubNet (") + QString::number(named) +
              QStringLiteral(") est non nul et plus petit que le nombre de joueurs théoriques (") +
              QString::number(rows) + QStringLiteral("). Je considère qu'aucun n'est introduit!") +
              QStringLiteral(" Ils devront être introduits sur les tablettes..."));
    return false;
  }
  return rows > 0 && named == rows;
}

void takeNames(const QList<PlayerRow>& players) {
  QStringList names;
  for (qsizetype i = 0; i < players.size(); ++i) {
    const PlayerRow& p = players[i];
    if (MitchellNumbering && p.table == 0) continue;
    const FederationSeat seat = FederationPlayerSeat(static_cast<int>(i), p.table, p.direction);
    if (seat.slot == 0) continue;
    // A name the federation's database holds on two lines would cut the
    // lines of every file the names go to.
    const QString name = WithoutPairsSeparator(p.name).trimmed();
    names << p.name.simplified();  // as read, "£" included, on one line
    if (seat.second) {
      Player2Names[seat.slot] = name;
      Player2Licences[seat.slot] = p.number;
    } else {
      Player1Names[seat.slot] = name;
      Player1Licences[seat.slot] = p.number;
    }
  }
  const int last = std::min(PairSlotCount, kMaxPairs);
  for (int s = 1; s <= last; ++s)
    if (!Player1Names[s].isEmpty() || !Player2Names[s].isEmpty())
      PairLabels[s] = Player1Names[s] + QLatin1Char('-') + Player2Names[s];
  ReportNamesLosingCharacters(names, QStringLiteral("FFBClubNet"));
}

// The 16 holdings of a hand record (North, South, East, West; spades to
// clubs) as the four hands of a diagram.
DealHoldings handsOf(const QStringList& holdings) {
  DealHoldings hands;
  for (int seat = 0; seat < 4; ++seat)
    for (int suit = 0; suit < 4; ++suit) hands[seat][suit] = holdings.value(seat * 4 + suit);
  return hands;
}

// The diagram goes into the tournament at once, and to the tablets' folder
// when that folder is known.
void storeDiagram(int board, const QStringList& holdings) {
  const DealHoldings hands = handsOf(holdings);
  DealDiagrams[board] = DiagramLines(board, hands).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  if (!TabletSharedFolder.isEmpty()) WriteDiagramFile(board, hands);
}

// The movement into the result slots.
void loadMovement() {
  if (IsPatton) {
    LoadFederationMovement(QStringLiteral("Patton%1.TXT").arg(TableCount));
  } else if (MitchellNumbering) {
    if (TableCount * BoardsPerTable > kMaxBoards)
      stop(QStringLiteral("(FFBClubNet) %1 tables de %2 étuis: plus de %3 étuis!")
               .arg(TableCount)
               .arg(BoardsPerTable)
               .arg(kMaxBoards) +
           kStopTail);
    GenerateMitchell();
    RenumberMitchellEastWest();
    MovementFileName.clear();
  } else if (HerediaMovement != 0) {
    LoadFederationMovement(QStringLiteral("HEREDIA%1.TXT").arg(TableCount));
  } else {
    LoadFederationMovement(QStringLiteral("H%1FFB.TXT").arg(PairSlotCount));
  }
  // Pair numbers as the result slots number them: N/S (or Howell) k, E/W
  // ResultsPerBoard + k.
  const int last = std::min(PairSlotCount, kMaxPairs);
  for (int s = 1; s <= last; ++s) PairNumbers[s] = s <= ResultsPerBoard ? s : -(s - ResultsPerBoard);
}

}  // namespace

FederationSeat FederationPlayerSeat(int rowIndex, int table, const QString& direction) {
  FederationSeat seat;
  if (MitchellNumbering) {
    if (table < 1 || table > TableCount || direction.isEmpty()) return seat;
    switch (direction.at(0).toUpper().unicode()) {
      case 'N': seat.slot = table; break;
      case 'S': seat.slot = table; seat.second = true; break;
      case 'E': seat.slot = TableCount + table; break;
      case 'W': seat.slot = TableCount + table; seat.second = true; break;
      default: break;
    }
    return seat;
  }
  const int pairs = std::min(HerediaMovement != 0 ? PairSlotCount : 2 * TableCount, kMaxPairs) - (ByePresent ? 1 : 0);
  const int pair = rowIndex / 2 + 1;
  if (rowIndex < 0 || pair > pairs) return seat;
  seat.slot = pair;
  seat.second = rowIndex % 2 == 1;
  return seat;
}

QStringList FederationDiagramLines(int board, const QStringList& holdings) {
  return DiagramLines(board, handsOf(holdings));
}

void SetDefaultPairNames() {
  const int count = std::min(HerediaMovement != 0 ? 2 * TableCount : PairSlotCount, kMaxPairs);
  const int half = count / 2;
  for (int i = 1; i <= half; ++i) {
    PairNumbers[i] = i;
    Player1Names[i] = QStringLiteral("N%1").arg(i);
    Player2Names[i] = QStringLiteral("S%1").arg(i);
    PairLabels[i] = Player1Names[i] + QLatin1Char('/') + Player2Names[i];
  }
  if (HerediaMovement == 0) {
    for (int j = half + 1; j <= 2 * half; ++j) {
      const int k = j - half;
      PairNumbers[j] = -k;
      Player1Names[j] = QStringLiteral("E%1").arg(k);
      Player2Names[j] = QStringLiteral("O%1").arg(k);
      PairLabels[j] = Player1Names[j] + QLatin1Char('/') + Player2Names[j];
    }
  }
  if (ByePairNumber >= 1 && ByePairNumber <= kMaxPairs) {
    Player1Names[ByePairNumber] = QStringLiteral("ByeN");
    Player2Names[ByePairNumber] = QStringLiteral("ByeS");
    PairLabels[ByePairNumber] = QStringLiteral("BYE");
  }
}

void ImportFederationSession() {
  ChooseFfbBwsFile();
  Pass pass;
  if (!readingPass(true, pass)) readingPass(false, pass);
  const QList<RoundRow>& rounds = pass.rounds;

  // Counts.
  PairCount = HerediaMovement != 0 ? (TableCount + 1) / 2 * 2 : 2 * TableCount;
  PairSlotCount = (PairCount + 1) / 2 * 2;
  ResultsPerBoard = TableCount;
  IsAppendix = false;

  // Howell or Mitchell.
  IsHowell = HerediaMovement != 0 ||
             std::any_of(rounds.cbegin(), rounds.cend(), [](const RoundRow& r) { return r.ns > TableCount; });
  MitchellNumbering = !IsHowell;

  // Rounds and boards.
  RoundsPlayed = BoardCount = BoardsPerTable = 0;
  for (const RoundRow& r : rounds) {
    if (r.section != 1) notSectionOne(QStringLiteral("RoundData"));
    RoundsPlayed = std::max(RoundsPlayed, r.round);
    BoardCount = std::max(BoardCount, r.high);
    if (r.low != 0 && r.high != 0) BoardsPerTable = r.high - r.low + 1;
  }
  if (BoardCount < 1 || BoardsPerTable < 1)
    stop(QStringLiteral("(FFBClubNet) Aucun étui dans la table \"RoundData\" (champs \"LowBoard\" et \"HighBoard\").") +
         kStopTail);

  // Kind of movement.
  MitchellType = 0;
  if (IsHowell && HerediaMovement == 0) FederationMovementKind = 0;
  if (MitchellNumbering) mitchellKind(rounds, pass.oddTables);
  SavedMitchellType = MitchellType;

  // Rounds scheduled.
  if (MitchellNumbering) {
    RoundsScheduled = MitchellType == 1 ? TableCount - 1 : TableCount;
    if (RoundsPlayed < RoundsScheduled)
      ShowAlert(QStringLiteral("Ce tournoi comporte en théorie ") + QString::number(RoundsScheduled) +
                QStringLiteral(" tours. ") + QStringLiteral("Dans FFBClubNet, vous avez déjà choisi de n'en jouer que ") +
                QString::number(RoundsPlayed) + QStringLiteral(".") +
                QStringLiteral(" Donc, au contraire du programme standard, vous ne pourrez plus choisir le nombre de "
                               "tours réellement joués..."));
  } else {
    RoundsScheduled = RoundsPlayed;
  }
  RoundCount = RoundsPlayed;

  // Names.
  const QList<PlayerRow> players = readPlayers();
  PairsEntered = namesPresent(players);

  findBye(rounds, pass.oddTables);

  // Pair slots.
  ClearPairSlots();
  for (int s = 1; s <= kMaxPairs; ++s) Player1Licences[s] = Player2Licences[s] = QStringLiteral("0");
  for (int k = 1; k <= TableCount; ++k) {
    PairNumbers[k] = k;
    if (TableCount + k <= kMaxPairs) PairNumbers[TableCount + k] = -k;
  }
  if (PairsEntered) takeNames(players);
  if (!PairsEntered)
    SetDefaultPairNames();
  else if (ByePresent)
    PairLabels[ByePairNumber] = QStringLiteral("BYE");
  if (HerediaMovement == 0) FindByePair();

  if (ResumeChosen == 0) ClearTabletFolder();

  // Deals.
  FederationHandRecordsReceived = false;
  const QList<HandRow> hands = readHands();
  CloseSessionDatabase();
  for (const HandRow& h : hands) {
    FederationHandRecordsReceived = true;
    EnterDealsAtTable = false;
    storeDiagram(h.board, h.holdings);
  }
  DealCount = BoardCount;
  ResultSlotCount = ResultsPerBoard * BoardCount;

  loadMovement();
  // A Heredia file numbers its tables anew: the slots follow it.
  ResultSlotCount = std::min(ResultsPerBoard * BoardCount, kMaxResultSlots);
  ComputeDealCount();
  CloseSessionDatabase();
}
