#include "devices/BridgeMatesCorrections.h"

#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Notices.h"
#include "devices/DeviceNumbers.h"
#include "devices/SessionDatabase.h"
#include "platform/Clock.h"

#include <QStringList>

namespace {

const QString kTag = QStringLiteral("Morvel");

// The doubling of a stored contract as the control program writes it.
bool sessionDoubling(const QString& typed, QString& doubling) {
  const QString d = typed.toUpper();
  if (d.isEmpty()) doubling.clear();
  else if (d == QLatin1String("C") || d == QLatin1String("X")) doubling = QStringLiteral("X");
  else if (d == QLatin1String("S") || d == QLatin1String("XX")) doubling = QStringLiteral("XX");
  else return false;
  return true;
}

// A stored contract ("4PXN-1") as "<level> <strain> <doubling>/<result>"
// ("4 S X/-1"); "PASS" for a passed board or a contract that cannot be read.
QString changedContractText(const QString& raw) {
  const QString contract = raw.trimmed();
  if (contract.toUpper() == QLatin1String("PASSE") || contract.size() < 3) return QStringLiteral("PASS");
  const QChar level = contract[0];
  QString strain;
  switch (contract[1].toUpper().unicode()) {
    case 'C': strain = QStringLiteral("H"); break;
    case 'K': strain = QStringLiteral("D"); break;
    case 'P': strain = QStringLiteral("S"); break;
    case 'S': strain = QStringLiteral("NT"); break;
    case 'T': strain = QStringLiteral("C"); break;
    default: strain = QStringLiteral("?");
  }
  const QString rest = contract.mid(2);
  qsizetype sign = rest.indexOf(u'=');
  if (sign < 0) sign = rest.indexOf(u'+');
  if (sign < 0) sign = rest.indexOf(u'-');
  if (sign < 1) return QStringLiteral("PASS");
  QString doubling;
  if (!sessionDoubling(rest.left(sign - 1), doubling)) return QStringLiteral("PASS");
  return QString(level) + u' ' + strain + u' ' + doubling + u'/' + rest.mid(sign);
}

// A stored lead ("RP", "10C", "xT") as the control program writes it ("SK").
QString changedLeadText(const QString& raw) {
  const QString lead = raw.trimmed();
  if (lead.isEmpty() || lead == QLatin1String("?") || lead == QLatin1String("-")) return {};
  QString suit;
  switch (lead.back().unicode()) {
    case 'C': suit = QStringLiteral("H"); break;
    case 'K': suit = QStringLiteral("D"); break;
    case 'P': suit = QStringLiteral("S"); break;
    case 'T': suit = QStringLiteral("C"); break;
    default: return {};
  }
  QString rank = lead.chopped(1);
  if (rank == QLatin1String("D")) rank = QStringLiteral("Q");
  else if (rank == QLatin1String("R")) rank = QStringLiteral("K");
  else if (rank == QLatin1String("V")) rank = QStringLiteral("J");
  return suit + rank;
}

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
  ui::ShowNotice(QStringLiteral("TForm109"), BridgeMatesInfoLines().join(QStringLiteral("\r\n")));
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
  appendRow(slot, [slot](SessionTable& t) {
    const QString contract = ResultContract[slot];
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
      const QString converted = changedContractText(contract);
      if (const qsizetype cut = converted.indexOf(u'/'); cut >= 0) {
        t.setText(QStringLiteral("Contract"), converted.left(cut));
        t.setText(QStringLiteral("Result"), converted.mid(cut + 1).left(100));
      }
      if (const QString lead = changedLeadText(ResultLead[slot]); !lead.isEmpty())
        t.setText(QStringLiteral("LeadCard"), lead.trimmed());
      t.setText(remarks, kTag);
    }
  });
}
