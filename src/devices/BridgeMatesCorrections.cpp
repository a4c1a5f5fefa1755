#include "devices/BridgeMatesCorrections.h"

#include "core/DeviceNumbers.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Notices.h"
#include "devices/SessionDatabase.h"
#include "devices/SessionTexts.h"
#include "platform/Clock.h"

#include <QStringList>

namespace {

const QString kTag = QStringLiteral("Morvel");

bool validSlot(int slot) { return slot >= 1 && slot <= kMaxResultSlots; }

// Opens the database and appends one row of slot with its common columns;
// fill writes the others. The row is posted and the database closed.
template <typename Fill>
void appendRow(int slot, Fill fill) {
  ShowBridgeMatesInfo();
  OpenSessionDatabase(BwsFileName);
  struct Close {
    ~Close() { CloseSessionDatabase(); }
  } close;
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("[ReceivedData]"));
  t.open();
  t.append();
  t.setText(QStringLiteral("Section"), QStringLiteral("1"));
  t.setInteger(QStringLiteral("Table"), ResultTable[slot]);
  t.setInteger(QStringLiteral("Round"), ResultRound[slot]);
  t.setInteger(QStringLiteral("Board"), ResultBoard[slot]);
  t.setInteger(QStringLiteral("PairNS"), ResultNsPair[slot]);
  t.setInteger(QStringLiteral("PairEW"), DeviceEwNumber(ResultEwPair[slot]));
  fill(t);
  t.setYesNo(QStringLiteral("Processed"), false);
  const QDateTime now = platform::now();
  t.setDateTime(QStringLiteral("DateLog"), QDateTime(now.date(), QTime(0, 0)));
  t.setDateTime(QStringLiteral("TimeLog"), now);
  t.post();
  t.close();
}

}  // namespace

QStringList BridgeMatesInfoLines() {
  return {QStringLiteral("Avertissement:"),
          QString(),
          QStringLiteral("Dans les cas suivants, un score modifié est bien envoyé"),
          QStringLiteral("à BMPro mais pas directement visible dans son interface."),
          QString(),
          QStringLiteral("- modification d'un score"),
          QStringLiteral("- suppression d'un score"),
          QStringLiteral("- ajustement d'un résultat"),
          QString(),
          QStringLiteral("Pour rendre ces résultats visibles dans l'onglet \"Résultats\" de BMPro,"),
          QStringLiteral("vous devez choisir l'onglet \"Résultats\" (\"Résults\") et cliquer sur le"),
          QStringLiteral("bouton \"Appliquer filtre\" (\"Reset filter\")."),
          QString(),
          QStringLiteral("Si vous ne faites pas cette opération, les résultats "),
          QStringLiteral("sont de toutes façons bien reflétés sur les BridgeMates."),
          QString(),
          QStringLiteral("Par contre, la modification d'un nom de joueur est bien"),
          QStringLiteral("affichée dans BMPro et donc reflétée dans les BridgeMates.")};
}

void ShowBridgeMatesInfo() {
  if (TabletsInUse) return;
  ui::interaction().beep();
  ui::interaction().pause(100);
  ui::interaction().beep();
  ui::ShowNotice(forms::CorrectionNote, BridgeMatesInfoLines().join(QStringLiteral("\r\n")));
}

void AppendNotPlayedResult(int slot) {
  if (!BridgeMatesMode || !validSlot(slot)) return;
  appendRow(slot, [](SessionTable& t) {
    t.setText(QStringLiteral("Result"), QString());
    t.setText(QStringLiteral("Contract"), QString());
    t.setText(QStringLiteral("LeadCard"), QString());
    t.setText(QStringLiteral("NS/EW"), QString());
    t.setInteger(QStringLiteral("Declarer"), 0);
    t.setText(QStringLiteral("Remarks"), QStringLiteral("Not played (") + kTag + u')');
  });
}

void AppendCorrectedResult(int slot, const QString& remark) {
  if (!BridgeMatesMode || !validSlot(slot)) return;
  appendRow(slot, [&remark](SessionTable& t) {
    t.setInteger(QStringLiteral("Declarer"), 0);
    t.setText(QStringLiteral("NS/EW"), QString());
    t.setText(QStringLiteral("Contract"), QString());
    t.setText(QStringLiteral("Result"), QString());
    t.setText(QStringLiteral("Remarks"), remark + QStringLiteral(" (") + kTag + u')');
  });
}

void AppendChangedResult(int slot) {
  if (!BridgeMatesMode || !validSlot(slot)) return;
  const QString contract = ResultContract[slot];
  const bool played = ResultScore[slot] != kScoreNone && !contract.isEmpty() &&
                      contract != QLatin1String("PASSE") && !contract.contains(QLatin1String("MOY")) &&
                      !contract.contains(QLatin1String("AJU"));
  // Converted before the database is opened: a contract that cannot be sent
  // is told with the database closed.
  const QString converted = played ? ChangedContractToSessionText(contract) : QString();
  const QString lead = played ? ChangedLeadToSessionText(ResultLead[slot]).trimmed() : QString();
  appendRow(slot, [&](SessionTable& t) {
    const QString remarks = QStringLiteral("Remarks");
    if (ResultScore[slot] == kScoreNone) {
      t.setYesNo(QStringLiteral("Erased"), true);
      t.setText(remarks, kTag);
    } else if (contract.isEmpty()) {
      t.setText(remarks, u'(' + QString::number(ResultScore[slot]) + QStringLiteral(") (") + kTag + u')');
    } else if (contract == QLatin1String("PASSE")) {
      t.setText(QStringLiteral("Contract"), QStringLiteral("PASS"));
      t.setText(remarks, kTag);
    } else if (contract.contains(QLatin1String("MOY"))) {
      t.setText(remarks, QStringLiteral("Not played (") + kTag + u')');
    } else if (contract.contains(QLatin1String("AJU"))) {
      t.setText(remarks, QStringLiteral("Arbitral score (") + kTag + u')');
    } else {
      t.setInteger(QStringLiteral("Declarer"), 1);
      const QString declarer = ResultDeclarer[slot];
      t.setText(QStringLiteral("NS/EW"), declarer.isEmpty() ? QStringLiteral("N") : declarer);
      if (const qsizetype cut = converted.indexOf(u'/'); cut >= 0) {
        t.setText(QStringLiteral("Contract"), converted.left(cut));
        t.setText(QStringLiteral("Result"), converted.mid(cut + 1).left(100));
      }
      if (!lead.isEmpty()) t.setText(QStringLiteral("LeadCard"), lead);
      t.setText(remarks, kTag);
    }
  });
}
