#include "devices/FederationSave.h"

#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/TournamentFiles.h"
#include "devices/BridgeMatesTables.h"
#include "devices/FederationImport.h"
#include "devices/FederationSetup.h"
#include "devices/SessionDatabase.h"
#include "devices/SessionTexts.h"
#include "devices/TabletImport.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "setup/PairLookups.h"

#include <algorithm>
#include <cmath>

namespace {

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

void SavePlayerNumbersToSession() {
  OpenSessionDatabase(FederationBwsFile, SessionUse::FederationSave);
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
  OpenSessionDatabase(FederationBwsFile, SessionUse::FederationSave);
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
    if (ns == 0 || ew == 0 || ResultScore[s] == kScoreNone || IsByePairNumber(ns) || IsByePairNumber(ew)) continue;
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
      t.setText(QStringLiteral("NS/EW"), DeclarerToSessionText(ResultDeclarer[s], contract));
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
