#include "devices/BridgeMatesTables.h"

#include "core/CardLetters.h"
#include "core/DealDiagrams.h"
#include "core/DeviceFiles.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/TournamentFiles.h"
#include "devices/BridgeMatesDatabase.h"
#include "devices/Companions.h"
#include "devices/SessionDatabase.h"
#include "devices/SessionTexts.h"
#include "devices/TablePlayers.h"
#include "devices/TabletFiles.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"
#include "setup/PairChanges.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

const char* const kSeatColumns[] = {"North", "South", "East", "West"};
const char* const kSeatHeadings[] = {"Nord", "Sud", "Est", "Ouest"};
const char* const kSuitColumns[] = {"Spades", "Hearts", "Diamonds", "Clubs"};

QString column(int seat, int suit) {
  return QLatin1String(kSeatColumns[seat]) + QLatin1String(kSuitColumns[suit]);
}

int boardsToFill() { return std::clamp(BoardCount, 0, kMaxBoards); }

}  // namespace

void WritePlayerNumberRow(int table, const QString& number, const QString& name, QChar seat) {
  if (!TabletsInUse || FederationMode) return;
  OpenSessionDatabase(BwsFileName);
  struct Close {
    ~Close() { CloseSessionDatabase(); }
  } close;
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("[PlayerNumbers]"));
  t.open();
  t.append();
  t.setInteger(QStringLiteral("Section"), 1);
  t.setInteger(QStringLiteral("Table"), table);
  t.setText(QStringLiteral("Direction"), QString(seat));
  t.setText(QStringLiteral("Number"), number);
  t.setText(QStringLiteral("Name"), name);
  t.setYesNo(QStringLiteral("Updated"), true);
  t.setYesNo(QStringLiteral("Processed"), true);
  t.post();
}

void WriteHandRecordRow(int deal) {
  if (!TabletsInUse || FederationMode || deal < 1 || deal > kMaxBoards) return;
  OpenSessionDatabase(BwsFileName);
  struct Close {
    ~Close() { CloseSessionDatabase(); }
  } close;
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("[HandRecord]"));
  t.open();
  // One row per board: a deal sent again replaces its row.
  t.first();
  while (!t.eof() && t.integer(QStringLiteral("Board")) != deal) t.next();
  if (t.eof()) {
    t.append();
    t.setInteger(QStringLiteral("Section"), 1);
    t.setInteger(QStringLiteral("Board"), deal);
  } else {
    t.edit();
  }
  for (int seat = 0; seat < 4; ++seat)
    for (int suit = 0; suit < 4; ++suit)
      t.setText(column(seat, suit), HoldingFromDiagram(deal, QLatin1String(kSeatHeadings[seat]),
                                                       QString(QChar::fromLatin1(kFrenchSuitLetters[suit]))));
  t.post();
}

void PollHandRecords() {
  if (DealsImported || BwsFileName.isEmpty()) return;
  const int boards = boardsToFill();
  bool missing = false;
  for (int b = 1; b <= boards && !missing; ++b) missing = DealDiagrams[b].isEmpty();
  if (!missing) return;

  QString fatal;
  QList<std::pair<int, DealHoldings>> deals;
  RunSessionPoll([&] {
    OpenSessionDatabase(BwsFileName);
    SessionTable& t = BwsTable();
    t.select(QStringLiteral("[HandRecord]"));
    t.open();
    for (t.first(); !t.eof(); t.next()) {
      if (t.integer(QStringLiteral("Section")) != 1) {
        fatal = QStringLiteral("Ce tournoi comporte plus d'une série de paires... Utilisez Talvarix. Désolé, on arrête!");
        break;
      }
      const int board = t.integer(QStringLiteral("Board"));
      if (board < 1 || board > boards || !DealDiagrams[board].isEmpty()) continue;
      if (std::any_of(deals.cbegin(), deals.cend(), [board](const auto& d) { return d.first == board; })) continue;
      DealHoldings hands;
      bool cards = false;
      for (int seat = 0; seat < 4; ++seat)
        for (int suit = 0; suit < 4; ++suit) {
          hands[seat][suit] = t.text(column(seat, suit)).trimmed().toUpper();
          cards = cards || !hands[seat][suit].isEmpty();
        }
      if (cards) deals.append({board, hands});
    }
    CloseSessionDatabase();
  });
  if (!fatal.isEmpty()) FatalStop(fatal);
  if (deals.isEmpty()) return;
  for (const auto& [board, hands] : deals) WriteDiagramFile(board, hands);
  LoadDiagramFiles();
}

void LoadDiagramFiles() {
  if (!TableDevicesMode || !TabletFolderIsReal(DiagramFilesFolder())) return;
  const QString folder = platform::resolvePath(DiagramFilesFolder());
  platform::makeFolder(folder);
  bool read = false;
  const int deals = std::min(DealCount, kMaxBoards);
  for (int n = 1; n <= deals; ++n) {
    const QString copy = platform::resolvePath(folder + QStringLiteral("/%1.TXT").arg(n));
    // Anyone may put files there: only a regular file of a diagram's size is
    // read; another one is tried again at the next passes, then set aside.
    if (IsLeftAlone(copy)) continue;
    int error = 0;
    const std::optional<QStringList> lines = ReadDiagramFileLines(copy, &error);
    if (!lines) {
      if (error == ENOENT)
        ForgetBadReads(copy);
      else
        SetAsideAfterBadReads(copy, QStringLiteral("Impossible de lire le diagramme du fichier "));
      continue;
    }
    ForgetBadReads(copy);
    QString text;
    for (const QString& line : *lines) text += line + QStringLiteral("\r\n");
    DealDiagrams[n] = text;
    platform::deleteFile(copy);
    WriteHandRecordRow(n);
    read = true;
  }
  if (read) SaveResults();
}

void WriteHandRecords(const QString& mode, const QString& databaseFile) {
  Q_UNUSED(mode);
  OpenSessionDatabase(databaseFile);
  SessionTransaction transaction;
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("Settings"));
  t.open();
  t.first();
  if (!t.eof()) {
    t.edit();
    t.setYesNo(QStringLiteral("BM2EnterHandRecord"), false);
    t.post();
  }
  t.close();

  t.select(QStringLiteral("HandRecord"));
  t.open();
  t.first();
  while (!t.eof()) t.remove();
  static const QStringList hands = {QStringLiteral("North"), QStringLiteral("South"), QStringLiteral("East"),
                                    QStringLiteral("West")};
  static const QStringList suits = {QStringLiteral("Spades"), QStringLiteral("Hearts"), QStringLiteral("Diamonds"),
                                    QStringLiteral("Clubs")};
  const int deals = std::clamp(DealCount, 0, kMaxBoards);
  for (int d = 1; d <= deals; ++d) {
    QString text = DealDiagrams[d];
    if (text.trimmed().isEmpty()) continue;
    QString line;
    for (int i = 0; i < 5; ++i) TakeFirstLine(text, line);
    t.append();
    t.setInteger(QStringLiteral("Section"), 1);
    t.setInteger(QStringLiteral("Board"), d);
    for (int h = 0; h < 4; ++h) {
      if (h > 0)
        for (int i = 0; i < 3; ++i) TakeFirstLine(text, line);
      for (int s = 0; s < 4; ++s) {
        TakeFirstLine(text, line);
        t.setText(hands[h] + suits[s], FrenchRanksToEnglish(line));
      }
    }
    t.post();
  }
  t.close();
  transaction.commit();
  CloseSessionDatabase();
}

void WriteHandRecords(const QString& mode) { WriteHandRecords(mode, BwsFileName); }

namespace {

// The database is closed however the exchange ends.
struct DatabaseSession {
  explicit DatabaseSession(const QString& file) { OpenSessionDatabase(file); }
  ~DatabaseSession() { CloseSessionDatabase(); }
  DatabaseSession(const DatabaseSession&) = delete;
  DatabaseSession& operator=(const DatabaseSession&) = delete;
};

}  // namespace

void AddPlayerNumbersRow(const QString& grid, int player, int row, const QString& name) {
  if (!BridgeMatesMode) return;
  BwsFileName = DataFolder + TournamentCode + QStringLiteral(".BWS");
  const bool ns = grid == QLatin1String("NS");
  const QString direction = ns ? (player == 1 ? QStringLiteral("N") : QStringLiteral("S"))
                               : (player == 1 ? QStringLiteral("E") : QStringLiteral("W"));
  const QString licence = ListedLicence(name);
  DatabaseSession session(BwsFileName);
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("PlayerNumbers"));
  t.open();
  t.append();
  t.setInteger(QStringLiteral("Section"), 1);
  t.setInteger(QStringLiteral("Table"), row);
  t.setText(QStringLiteral("Direction"), direction);
  t.setText(QStringLiteral("Number"), licence.isEmpty() ? QStringLiteral("9999") : licence);
  t.setText(QStringLiteral("Name"), MapPlayerNameForDevice(name));
  t.setInteger(QStringLiteral("Round"), 2);
  t.setYesNo(QStringLiteral("Updated"), true);
  t.setYesNo(QStringLiteral("Processed"), true);
  t.post();
  t.close();
}
