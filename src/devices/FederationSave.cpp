#include "devices/FederationSave.h"

#include "core/CardLetters.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/TournamentFiles.h"
#include "devices/FederationImport.h"
#include "devices/FederationSetup.h"
#include "devices/SessionDatabase.h"
#include "devices/TabletImport.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "setup/PairLookups.h"

#include <algorithm>
#include <cmath>

namespace {

// The sign of the result: "=", else "+", else "-"; -1 when none.
qsizetype signPosition(const QString& text) {
  for (const QChar sign : {QLatin1Char('='), QLatin1Char('+'), QLatin1Char('-')}) {
    const qsizetype at = text.indexOf(sign);
    if (at >= 0) return at;
  }
  return -1;
}

QString strainToSession(QChar strain) {
  if (strain == QLatin1Char('S')) return QStringLiteral("NT");
  const QString suit = FrenchSuitToEnglish(strain);
  return suit.isEmpty() ? QStringLiteral("?") : suit;
}

// Both families of contract conversion; changed: the doubling upper-cased,
// the result after a slash, and the changed family's messages.
QString contractToSession(const QString& contract, bool changed) {
  const QString c = contract.trimmed();
  if (c == QLatin1String("PASSE")) return QStringLiteral("PASS");
  if (c.isEmpty()) return QStringLiteral("?");
  const QString level = c.left(1);
  const QString strain = strainToSession(c.size() > 1 ? c[1] : QChar());
  const QString rest = c.mid(2);
  const qsizetype sign = signPosition(rest);
  if (sign < 0) {
    ShowAlert(QStringLiteral("Désolé, gros bug! J'ai reçu un contrat (") + contract +
              (changed ? QStringLiteral("). J'envoie PASSE. Appelez Teo VARNAL...")
                       : QStringLiteral("). J'envoie PASSE. Modifiez dans FFBClubNet. Appelez Teo VARNAL...")));
    return QStringLiteral("PASS");
  }
  const QString typed = sign >= 1 ? rest.left(sign - 1).toUpper() : QStringLiteral("?");
  QString doubling;
  if (typed == QLatin1String("C") || typed == QLatin1String("X"))
    doubling = QStringLiteral("x");
  else if (typed == QLatin1String("S") || typed == QLatin1String("XX"))
    doubling = QStringLiteral("xx");
  else if (!typed.isEmpty()) {
    ShowAlert(QStringLiteral("Désolé, gros bug! j'ai reçu un contrat (") + contract +
              (changed ? QStringLiteral("). J'envoie PASSE. Appelez Teo VARNAL...")
                       : QStringLiteral("). J'envoie PASSE. Mofifiez dans FFBClubNet. Appelez Teo VARNAL...")));
    return QStringLiteral("PASS");
  }
  if (!changed) return level + QLatin1Char(' ') + strain + QLatin1Char(' ') + doubling;
  return level + QLatin1Char(' ') + strain + QLatin1Char(' ') + doubling.toUpper() + QLatin1Char('/') +
         ResultToSessionText(c);
}

QString leadToSession(const QString& lead) {
  const QString l = lead.trimmed();
  if (l.isEmpty() || l == QLatin1String("?") || l == QLatin1String("-")) return {};
  const QString suit = FrenchSuitToEnglish(l.back());
  if (suit.isEmpty()) return {};
  QString rank = l.chopped(1);
  if (rank == QLatin1String("D") || rank == QLatin1String("R") || rank == QLatin1String("V"))
    rank = FrenchRankToEnglish(rank[0]);
  return suit + rank;
}

// The declarer as the database writes it: O becomes W, X (N/S) N, Y (E/W) E.
QString declarerToSession(const QString& declarer, const QString& contract) {
  QChar d = declarer.trimmed().isEmpty() ? QChar() : declarer.trimmed()[0].toUpper();
  if (!QStringLiteral("NESOXY").contains(d)) {
    // The declarer stands before the result's sign in the contract text.
    const QString rest = contract.trimmed().mid(2);
    const qsizetype sign = signPosition(rest);
    d = sign >= 1 ? rest[sign - 1].toUpper() : QChar();
  }
  switch (d.unicode()) {
    case 'O': return QStringLiteral("W");
    case 'X': return QStringLiteral("N");
    case 'Y': return QStringLiteral("E");
    default: return d.isNull() ? QString() : QString(d);
  }
}

bool isByeNumber(int pairNumber) { return IsByeSlot(FindPairSlot(pairNumber)); }

// An adjusted split, each percentage in its shortest decimal form: "60%-40%",
// "60.5%-39.5%".
QString splitText(double ns, double ew) {
  return QString::number(ns, 'g', 15) + QStringLiteral("%-") + QString::number(ew, 'g', 15) + QLatin1Char('%');
}

void writePlayer(SessionTable& t, const FederationSeat& seat) {
  t.edit();
  t.setText(QStringLiteral("Name"), seat.second ? Player2Names[seat.slot] : Player1Names[seat.slot]);
  t.setText(QStringLiteral("Number"), seat.second ? Player2Licences[seat.slot] : Player1Licences[seat.slot]);
  t.setYesNo(QStringLiteral("Processed"), false);
  t.post();
}

}  // namespace

QString ContractToSessionText(const QString& contract) { return contractToSession(contract, false); }

QString ChangedContractToSessionText(const QString& contract) { return contractToSession(contract, true); }

QString ResultToSessionText(const QString& contract) {
  if (contract.endsWith(QLatin1Char('='))) return QStringLiteral("=");
  qsizetype at = contract.indexOf(QLatin1Char('+'));
  if (at < 0) at = contract.indexOf(QLatin1Char('-'));
  if (at < 0) return QStringLiteral("?");
  return contract.mid(at, 10);
}

QString LeadToSessionText(const QString& lead) { return leadToSession(lead); }

QString ChangedLeadToSessionText(const QString& lead) { return leadToSession(lead); }

void TakeFirstLine(QString& text, QString& line) {
  const qsizetype end = text.indexOf(QStringLiteral("\r\n"));
  if (end < 0) {
    line = text;
    text.clear();
    return;
  }
  line = text.left(end);
  text.remove(0, end + 2);
}

void SavePlayerNumbersToSession() {
  OpenSessionDatabase(FederationBwsFile);
  SessionTransaction transaction;
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("PlayerNumbers"));
  t.open();
  int row = 0;
  int needed = 0;
  if (MitchellNumbering) {
    for (t.first(); !t.eof(); t.next(), ++row) {
      int table = t.integer(QStringLiteral("Table"));
      QString direction = t.text(QStringLiteral("Direction")).trimmed().toUpper().left(1);
      if (table == 0) {
        if (direction != QLatin1String("E") && direction != QLatin1String("W")) {
          CloseSessionDatabase();
          FatalStop(QStringLiteral(
              "Pour un Howell avec BYE, un des deux premiers enregistrements n'est pas E ou W. Désolé, on arrête!"));
        }
        table = 1;
        direction = direction == QLatin1String("E") ? QStringLiteral("N") : QStringLiteral("S");
      }
      const FederationSeat seat = FederationPlayerSeat(row, table, direction);
      if (seat.slot != 0) writePlayer(t, seat);
    }
  } else {
    while (FederationPlayerSeat(needed, 0, QString()).slot != 0) ++needed;
    for (t.first(); !t.eof() && row < needed; t.next(), ++row) writePlayer(t, FederationPlayerSeat(row, 0, QString()));
  }
  t.close();
  transaction.commit();
  CloseSessionDatabase();
  if (row < needed)
    ShowAlert(QStringLiteral("(FFBClubNet) La table \"PlayerNumbers\" n'a que %1 lignes pour %2 joueurs: les joueurs "
                             "suivants n'ont pas été sauvés.")
                  .arg(row)
                  .arg(needed));
}

void SaveResultsToSession() {
  OpenSessionDatabase(FederationBwsFile);
  SessionTransaction transaction;
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("ReceivedData"));
  t.open();
  t.first();
  while (!t.eof()) t.remove();
  const int last = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  for (int s = 1; s <= last; ++s) {
    const int ns = ResultNsPair[s];
    const int ew = ResultEwPair[s];
    if (ns == 0 || ew == 0 || ResultScore[s] == kScoreNone || isByeNumber(ns) || isByeNumber(ew)) continue;
    t.append();
    t.setInteger(QStringLiteral("Section"), 1);
    t.setInteger(QStringLiteral("Table"), ResultTable[s]);
    t.setInteger(QStringLiteral("Round"), ResultRound[s]);
    t.setInteger(QStringLiteral("Board"), ResultBoard[s]);
    t.setInteger(QStringLiteral("PairNS"), ns);
    t.setInteger(QStringLiteral("PairEW"), IsHowell ? ew : ew - ResultsPerBoard);
    const QString contract = ResultContract[s].trimmed();
    if (contract.isEmpty()) {
      t.setText(QStringLiteral("Remarks"), QStringLiteral("(%1)").arg(ResultScore[s]));
    } else if (contract == QLatin1String("PASSE")) {
      t.setText(QStringLiteral("Contract"), QStringLiteral("PASS"));
    } else if (contract.contains(QLatin1String("MOY"))) {
      t.setText(QStringLiteral("Remarks"), QStringLiteral("Not played"));
    } else if (contract.contains(QLatin1String("AJU"))) {
      t.setText(QStringLiteral("Remarks"), ResultNsPercent[s] == 0 ? QStringLiteral("Arbitral score")
                                                                    : splitText(ResultNsPercent[s], ResultEwPercent[s]));
    } else {
      t.setText(QStringLiteral("NS/EW"), declarerToSession(ResultDeclarer[s], contract));
      t.setText(QStringLiteral("Contract"), ContractToSessionText(contract));
      t.setText(QStringLiteral("Result"), ResultToSessionText(contract));
      const QString lead = LeadToSessionText(ResultLead[s]).trimmed();
      if (!lead.isEmpty()) t.setText(QStringLiteral("LeadCard"), lead);
      t.setYesNo(QStringLiteral("Processed"), false);
    }
    t.post();
  }
  t.close();
  transaction.commit();
  CloseSessionDatabase();
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

void SaveForFederation() {
  if (TableDevicesMode) ImportTabletResults();
  if (!CheckMissingResults(false)) return;
  Interactive = false;
  ComputeFrequencies();
  ComputeResults();
  WriteResultFiles();
  SaveTournamentAll();
  SavePlayerNumbersToSession();
  SaveResultsToSession();
  if (!FederationHandRecordsReceived) WriteHandRecords(QStringLiteral("Envoi"), FederationBwsFile);
  ShowAlert(QStringLiteral("Sauvetage des joueurs, des résultats et des diagrammes pour FFBClubNet réalisé dans ") +
            QLatin1Char('"') + FederationBwsFile + QLatin1Char('"') + QStringLiteral("..."));
}
