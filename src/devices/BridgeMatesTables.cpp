// What the tables enter besides the results, and its way back: the players
// and deals of the tablets copied into the session database, and the deals
// keyed on the scorers taken from it.
#include "core/Fatal.h"
#include "core/Globals.h"
#include "devices/SessionDatabase.h"
#include "devices/TablePlayers.h"
#include "core/DealDiagrams.h"

#include <QList>

#include <algorithm>

namespace {

const char* const kSeatColumns[] = {"North", "South", "East", "West"};
const char* const kSeatHeadings[] = {"Nord", "Sud", "Est", "Ouest"};
const char* const kSuitColumns[] = {"Spades", "Hearts", "Diamonds", "Clubs"};
const char* const kSuitLetters[] = {"P", "C", "K", "T"};

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
                                                       QLatin1String(kSuitLetters[suit])));
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
