#include "devices/BridgeMatesDatabase.h"

#include "core/CardLetters.h"
#include "core/DeviceNumbers.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Texts.h"
#include "devices/SessionDatabase.h"
#include "platform/Registry.h"
#include "platform/TextFiles.h"
#include "setup/PairLookups.h"

#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

const QStringList kHands = {QStringLiteral("Nord"), QStringLiteral("Sud"), QStringLiteral("Est"), QStringLiteral("Ouest")};
const QStringList kHandColumns = {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("East"), QStringLiteral("West")};
const QStringList kSuits = {QStringLiteral("P"), QStringLiteral("C"), QStringLiteral("K"), QStringLiteral("T")};
const QStringList kSuitColumns = {QStringLiteral("Spades"), QStringLiteral("Hearts"), QStringLiteral("Diamonds"), QStringLiteral("Clubs")};

// Deletes every row of the table.
void emptyTable(SessionTable& t, const QString& name) {
  t.select(name);
  t.open();
  t.first();
  while (!t.eof()) t.remove();
  t.close();
}

void appendPlayer(SessionTable& t, int table, const QString& direction, const QString& licence, const QString& name) {
  t.append();
  t.setInteger(QStringLiteral("Section"), 1);
  t.setInteger(QStringLiteral("Table"), table);
  t.setText(QStringLiteral("Direction"), direction);
  t.setText(QStringLiteral("Number"), licence);
  t.setText(QStringLiteral("Name"), MapPlayerNameForDevice(name));
  t.post();
}

// The players as they sit in the first round: N/S of every table, then E/W.
void writeSeatedPlayers(SessionTable& t, const QList<RoundEntry>& rounds) {
  QList<RoundEntry> first;
  for (const RoundEntry& e : rounds)
    if (e.round == 1) first << e;
  std::stable_sort(first.begin(), first.end(), [](const RoundEntry& a, const RoundEntry& b) { return a.table < b.table; });
  t.select(QStringLiteral("PlayerNumbers"));
  t.open();
  for (const RoundEntry& e : first) {
    const int slot = FindPairSlot(e.nsPair);
    if (slot == 0 || IsByeSlot(slot)) continue;
    appendPlayer(t, e.table, QStringLiteral("N"), Player1Licences[slot], Player1Names[slot]);
    appendPlayer(t, e.table, QStringLiteral("S"), Player2Licences[slot], Player2Names[slot]);
  }
  for (const RoundEntry& e : first) {
    const int slot = FindPairSlot(ProgramEwNumber(e.ewPair));
    if (slot == 0 || IsByeSlot(slot)) continue;
    appendPlayer(t, e.table, QStringLiteral("E"), Player1Licences[slot], Player1Names[slot]);
    appendPlayer(t, e.table, QStringLiteral("W"), Player2Licences[slot], Player2Names[slot]);
  }
  t.close();
}

void writePlayerList(SessionTable& t) {
  t.select(QStringLiteral("PlayerNames"));
  t.open();
  const int count = std::clamp(PlayerCount, 0, kMaxPlayers);
  for (int k = 1; k <= count; ++k) {
    const QString licence = PlayerLicences[k].trimmed();
    t.append();
    t.setInteger(QStringLiteral("ID"), IsInteger(licence) ? licence.toInt() : 999);
    t.setText(QStringLiteral("Name"), MapPlayerNameForDevice(PlayerNames[k]));
    t.setText(QStringLiteral("strID"), PlayerLicences[k]);
    t.post();
  }
  t.close();
}

void writeRoundData(SessionTable& t, const QList<RoundEntry>& rounds) {
  emptyTable(t, QStringLiteral("RoundData"));
  t.select(QStringLiteral("RoundData"));
  t.open();
  for (const RoundEntry& e : rounds) {
    const bool nsBye = IsByePairNumber(e.nsPair);
    const bool ewBye = IsByePairNumber(ProgramEwNumber(e.ewPair));
    t.append();
    t.setInteger(QStringLiteral("Section"), 1);
    t.setInteger(QStringLiteral("Table"), e.table);
    t.setInteger(QStringLiteral("Round"), e.round);
    t.setInteger(QStringLiteral("NSPair"), nsBye ? 0 : e.nsPair);
    t.setInteger(QStringLiteral("EWPair"), ewBye ? 0 : e.ewPair);
    t.setInteger(QStringLiteral("LowBoard"), nsBye || ewBye ? 0 : e.lowBoard);
    t.setInteger(QStringLiteral("HighBoard"), nsBye || ewBye ? 0 : e.highBoard);
    t.post();
  }
  t.close();
}

void writeHandRecords(SessionTable& t) {
  t.select(QStringLiteral("HandRecord"));
  t.open();
  const int boards = std::clamp(BoardCount, 0, kMaxBoards);
  for (int b = 1; b <= boards; ++b) {
    t.append();
    t.setInteger(QStringLiteral("Section"), 1);
    t.setInteger(QStringLiteral("Board"), b);
    for (qsizetype h = 0; h < kHands.size(); ++h)
      for (qsizetype s = 0; s < kSuits.size(); ++s)
        t.setText(kHandColumns[h] + kSuitColumns[s], ExtractSuitHolding(b, kHands[h], kSuits[s]));
    t.post();
  }
  t.close();
}

// The database file of the creation, made ready; the program stops when the
// template is missing.
QString prepareFile() {
  BwsFolder = DataFolder;
  BwsFileName = BwsFolder + TournamentCode + QStringLiteral(".BWS");
  if (FederationMode) {
    // The tournament's own copy of the federation's database.
    if (!platform::fileExists(BwsFileName) && platform::fileExists(FederationBwsFile)) CopySessionDatabase(FederationBwsFile, BwsFileName);
    return BwsFileName;
  }
  const QString templ = ProgramFolder + QStringLiteral("BRIDGEMATE") + QStringLiteral(".BWS");
  if (!platform::fileExists(templ))
    FatalStop(QStringLiteral("Désolé, le fichier ") + templ + QStringLiteral(" n'a pas éte trouvé! On arrête le programme..."));
  CopySessionDatabase(templ, BwsFileName);
  return BwsFileName;
}

}  // namespace

void CopySessionDatabase(const QString& source, const QString& target) {
  if (const int code = platform::copyFileAtomically(source, target); code != 0)
    throw platform::IoError(code, target, QStringLiteral("Impossible de copier ") + source + QStringLiteral(" sur ") + target);
}

void EnsureSettingsColumn(const QString& column) {
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("Settings"));
  t.open();
  const bool found = std::any_of(t.columns().cbegin(), t.columns().cend(),
                                 [&](const QString& c) { return c.compare(column, Qt::CaseInsensitive) == 0; });
  t.close();
  if (!found)
    ExecuteSessionCommand(QStringLiteral("ALTER TABLE ") + QuotedName(QStringLiteral("Settings")) +
                          QStringLiteral(" ADD COLUMN ") + QuotedName(column) + QStringLiteral(" TEXT"));
}

void SetSettingsValue(const QString& column, const QString& value) {
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("Settings"));
  t.open();
  t.first();
  t.edit();
  t.setText(column, value);
  t.post();
  t.close();
}

void EnableAdjustedScoreSettings() {
  EnsureSettingsColumn(QStringLiteral("AllowAdjustedScoreEntry"));
  SetSettingsValue(QStringLiteral("AllowAdjustedScoreEntry"), QStringLiteral("1"));
  EnsureSettingsColumn(QStringLiteral("AllowChangeResults"));
  SetSettingsValue(QStringLiteral("AllowChangeResults"), QStringLiteral("1"));
}

QString MapPlayerNameForDevice(const QString& name) {
  const int count = std::clamp(PlayerCount, 0, kMaxPlayers);
  for (int k = 1; k <= count; ++k) {
    if (PlayerNames[k].compare(name, Qt::CaseInsensitive) != 0) continue;
    const QString firstName = PlayerFirstNames[k];
    switch (NameDisplayMode) {
      case 2: return name.size() > 18 && !firstName.isEmpty() ? firstName : name;
      case 3: return firstName.isEmpty() ? name : firstName;
      default: return name;
    }
  }
  return name;
}

QString GetComputerNameText() { return QSysInfo::machineHostName().left(255); }

QString ExtractSuitHolding(int board, const QString& hand, const QString& suit) {
  if (board < 1 || board > kMaxBoards || suit.isEmpty()) return {};
  const QStringList lines = DealDiagrams[board].split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  qsizetype heading = -1;
  for (qsizetype i = 0; i < lines.size() && heading < 0; ++i)
    if (lines[i].trimmed() == hand) heading = i;
  if (heading < 0) return {};
  // The hand's four suit lines follow its heading (after an empty line); a
  // suit is read to the end of its line, however long.
  for (qsizetype i = heading + 1; i < lines.size() && i <= heading + 6; ++i) {
    if (!lines[i].startsWith(suit)) continue;
    return FrenchHoldingToEnglish(lines[i].mid(suit.size()));
  }
  return {};
}

bool RoundPairAlreadyListed(const QList<RoundEntry>& list, int round, int table) {
  return std::any_of(list.cbegin(), list.cend(), [&](const RoundEntry& e) { return e.round == round && e.table == table; });
}

QList<RoundEntry> BuildRoundList() {
  QList<RoundEntry> list;
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  const int perBoard = std::max(ResultsPerBoard, 1);
  for (int r = 1; r <= RoundCount; ++r) {
    for (int s = 1; s <= slotCount; ++s) {
      if (ResultRound[s] != r || ResultTable[s] <= 0) continue;
      if (RoundPairAlreadyListed(list, r, ResultTable[s])) continue;
      if (list.size() >= kMaxResultSlots) FatalStop(QStringLiteral("NRES>NTABMAX dans CreateBWS"));
      const int ew = DeviceEwNumber(ResultEwPair[s]);
      const int board = (s - 1) / perBoard + 1;
      list << RoundEntry{r, ResultTable[s], ResultNsPair[s], ew, board, board + BoardsPerTable - 1};
    }
  }
  return list;
}

void CreateBWS() {
  const QString file = prepareFile();
  OpenSessionDatabase(file);
  SessionTransaction transaction;
  SessionTable& t = BwsTable();
  for (const char* name : {"Clients", "Session", "Section", "Tables", "RoundData", "ReceivedData", "IntermediateData",
                           "PlayerNumbers", "PlayerNames", "BiddingData", "PlayData", "HandRecord", "HandEvaluation"})
    emptyTable(t, QString::fromLatin1(name));

  t.select(QStringLiteral("Clients"));
  t.open();
  t.append();
  t.setText(QStringLiteral("Computer"), GetComputerNameText());
  t.post();
  t.close();

  t.select(QStringLiteral("Tables"));
  t.open();
  for (int table = 1; table <= std::clamp(TableCount, 0, kMaxTables); ++table) {
    t.append();
    t.setInteger(QStringLiteral("Section"), 1);
    t.setInteger(QStringLiteral("Table"), table);
    t.setInteger(QStringLiteral("ComputerID"), 1);
    t.setInteger(QStringLiteral("Status"), 0);
    t.setInteger(QStringLiteral("CurrentBoard"), 0);
    t.setInteger(QStringLiteral("CurrentRound"), 0);
    t.setInteger(QStringLiteral("UpdateFromRound"), 998);
    t.setInteger(QStringLiteral("Group"), 1);
    t.post();
  }
  t.close();

  t.select(QStringLiteral("Section"));
  t.open();
  t.append();
  t.setInteger(QStringLiteral("ID"), 1);
  t.setText(QStringLiteral("Letter"), QStringLiteral("A"));
  t.setInteger(QStringLiteral("Tables"), TableCount);
  t.setInteger(QStringLiteral("EWMoveBeforePlay"), 0);
  t.setInteger(QStringLiteral("MissingPair"), MitchellNumbering ? 0 : ByePairNumber);
  t.setInteger(QStringLiteral("Session"), 1);
  t.setInteger(QStringLiteral("ScoringType"), 1);
  t.setInteger(QStringLiteral("Winners"), IsHowell ? 1 : 2);
  t.post();
  t.close();

  // The control program takes its settings from the database.
  platform::registry().setValue(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue, QStringLiteral("no"));
  EnableAdjustedScoreSettings();

  t.select(QStringLiteral("Settings"));
  t.open();
  t.first();
  t.edit();
  t.setYesNo(QStringLiteral("MemberNumbersNoBlankEntry"), !BmNoBlankMemberNumber);
  t.setYesNo(QStringLiteral("MemberNumbers"), !PairsEntered);
  t.setInteger(QStringLiteral("BM2NameSource"), PairsEntered ? 2 : 0);
  t.setYesNo(QStringLiteral("BM2EnterHandRecord"), EnterDealsAtTable);
  if (EnterDealsAtTable) t.setInteger(QStringLiteral("BM2EnterHandRecordWhen"), 1);
  t.setYesNo(QStringLiteral("LeadCard"), BmLeadCard);
  t.setYesNo(QStringLiteral("BM2ValidateLeadCard"), BmValidateLeadCard);
  t.setInteger(QStringLiteral("BM2ShowPlayerNames"), BmShowPlayerNames ? 1 : 0);
  t.setText(QStringLiteral("BM2PINCode"), BridgeMatesPin);
  t.post();
  t.close();

  const QList<RoundEntry> rounds = BuildRoundList();
  if (PairsEntered)
    writeSeatedPlayers(t, rounds);
  else
    writePlayerList(t);
  writeRoundData(t, rounds);

  t.select(QStringLiteral("Settings"));
  t.open();
  t.first();
  t.edit();
  t.setYesNo(QStringLiteral("HandRecordValidation"), true);
  t.setYesNo(QStringLiteral("BM2ValidateRecording"), true);
  t.post();
  t.close();

  if (!EnterDealsAtTable && DealsImported) writeHandRecords(t);

  transaction.commit();
  CloseSessionDatabase();
}
