#include "devices/BridgeMatesCorrections.h"

#include "core/DeviceNumbers.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Notices.h"
#include "devices/BridgeMatesImport.h"
#include "devices/SessionDatabase.h"
#include "devices/SessionTexts.h"
#include "platform/Clock.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace {

const QString kTag = QStringLiteral("Morvel");

bool validSlot(int slot) { return slot >= 1 && slot <= kMaxResultSlots; }

// The pairs a row of ours gives for slot: as they sat. With Mitchell
// numbering a pair's number says its direction and the scorers cannot be
// told of a swap: the movement's pairs then.
SeatedPairs rowPairs(int slot) {
  return MitchellNumbering ? SeatedPairs{ResultNsPair[slot], ResultEwPair[slot]} : SeatedPairsOf(slot);
}

// One row of slot appended to the open ReceivedData: its common columns,
// then fill's, and posted.
template <typename Fill>
void appendTo(SessionTable& t, int slot, Fill fill) {
  t.append();
  t.setText(QStringLiteral("Section"), QStringLiteral("1"));
  t.setInteger(QStringLiteral("Table"), ResultTable[slot]);
  t.setInteger(QStringLiteral("Round"), ResultRound[slot]);
  t.setInteger(QStringLiteral("Board"), ResultBoard[slot]);
  const SeatedPairs seated = rowPairs(slot);
  t.setInteger(QStringLiteral("PairNS"), seated.ns);
  t.setInteger(QStringLiteral("PairEW"), DeviceEwNumber(seated.ew));
  fill(t);
  t.setYesNo(QStringLiteral("Processed"), false);
  const QDateTime now = platform::now();
  t.setDateTime(QStringLiteral("DateLog"), QDateTime(now.date(), QTime(0, 0)));
  t.setDateTime(QStringLiteral("TimeLog"), now);
  t.post();
}

// The database opened on its open ReceivedData for work; closed however
// work ends.
template <typename Work>
void withReceivedData(Work work) {
  OpenSessionDatabase(BwsFileName);
  struct Close {
    ~Close() { CloseSessionDatabase(); }
  } close;
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("[ReceivedData]"));
  t.open();
  work(t);
  t.close();
}

// Opens the database and appends one row of slot with its common columns;
// fill writes the others. The row is posted and the database closed.
template <typename Fill>
void appendRow(int slot, Fill fill) {
  ShowBridgeMatesInfo();
  withReceivedData([&](SessionTable& t) { appendTo(t, slot, fill); });
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

namespace {

// The columns of a correction row that say the result (besides those every
// row has), with their values: yes/no, integer or text.
using ResultColumns = QList<std::pair<QString, QVariant>>;

// What AppendChangedResult sends for slot's current result. The contract is
// converted here: one that cannot be sent is told before any database opens.
ResultColumns changedResultColumns(int slot) {
  const QString contract = ResultContract[slot];
  const QString remarks = QStringLiteral("Remarks");
  if (ResultScore[slot] == kScoreNone) return {{QStringLiteral("Erased"), true}, {remarks, kTag}};
  if (contract.isEmpty())
    return {{remarks, QString(u'(' + QString::number(ResultScore[slot]) + QStringLiteral(") (") + kTag + u')')}};
  if (contract == QLatin1String("PASSE")) return {{QStringLiteral("Contract"), QStringLiteral("PASS")}, {remarks, kTag}};
  if (contract.contains(QLatin1String("MOY"))) return {{remarks, QString(QStringLiteral("Not played (") + kTag + u')')}};
  if (contract.contains(QLatin1String("AJU")))
    return {{remarks, QString(QStringLiteral("Arbitral score (") + kTag + u')')}};
  const QString converted = ChangedContractToSessionText(contract);
  const QString lead = ChangedLeadToSessionText(ResultLead[slot]).trimmed();
  const QString declarer = ResultDeclarer[slot];
  ResultColumns columns{{QStringLiteral("Declarer"), 1},
                        {QStringLiteral("NS/EW"), declarer.isEmpty() ? QStringLiteral("N") : declarer}};
  if (const qsizetype cut = converted.indexOf(u'/'); cut >= 0) {
    columns.append({QStringLiteral("Contract"), converted.left(cut)});
    columns.append({QStringLiteral("Result"), converted.mid(cut + 1).left(100)});
  }
  if (!lead.isEmpty()) columns.append({QStringLiteral("LeadCard"), lead});
  columns.append({remarks, kTag});
  return columns;
}

void fillColumns(SessionTable& t, const ResultColumns& columns) {
  for (const auto& [column, value] : columns) {
    if (value.typeId() == QMetaType::Bool)
      t.setYesNo(column, value.toBool());
    else if (value.typeId() == QMetaType::Int)
      t.setInteger(column, value.toInt());
    else
      t.setText(column, value.toString());
  }
}

// The current row holds these columns' values, and is erased exactly when
// they say so.
bool rowHolds(const SessionTable& t, const ResultColumns& columns) {
  bool erased = false;
  for (const auto& [column, value] : columns) {
    if (value.typeId() == QMetaType::Bool) {
      erased = erased || value.toBool();
      if (t.yes(column) != value.toBool()) return false;
    } else if (value.typeId() == QMetaType::Int) {
      if (t.integer(column) != value.toInt()) return false;
    } else if (t.text(column).trimmed() != value.toString().trimmed()) {
      return false;
    }
  }
  return erased || !t.yes(QStringLiteral("Erased"));
}

// The program's own row about slot says what the slot holds: as
// AppendChangedResult would send it, or as the desk's other corrections did
// (a board not played for an erased slot, an arbitral score with its
// percentages for an adjusted one).
bool correctionHolds(const SessionTable& t, int slot) {
  const QString remarks = t.text(QStringLiteral("Remarks")).trimmed();
  if (ResultScore[slot] == kScoreNone && remarks == QStringLiteral("Not played (") + kTag + u')') return true;
  if (ResultContract[slot].contains(QLatin1String("AJU")) && remarks.startsWith(QLatin1String("Arbitral score (")) &&
      remarks.endsWith(QStringLiteral(" (") + kTag + u')'))
    return true;
  return rowHolds(t, changedResultColumns(slot));
}

}  // namespace

void AppendChangedResult(int slot) {
  if (!BridgeMatesMode || !validSlot(slot)) return;
  // Computed before the database is opened: a contract that cannot be sent
  // is told with the database closed.
  const ResultColumns columns = changedResultColumns(slot);
  appendRow(slot, [&columns](SessionTable& t) { fillColumns(t, columns); });
}

void ResendBridgeMatesCorrections() {
  if (!BridgeMatesMode || BwsFileName.isEmpty()) return;
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  // A slot found as the collection finds a row's: board, N/S pair, and the
  // E/W pair as the program numbers it (a row may give it as the devices
  // number it or as it stands in the slots). Rows give the pairs as they sat
  // (exchanged after a swap of sides): a slot is found by its pairs in
  // either order, and a row whose pairs are not the seated ones does not
  // hold it.
  const auto slotKey = [](int board, int ns, int ew) { return QStringLiteral("%1 %2 %3").arg(board).arg(ns).arg(ew); };
  const auto rowKey = [&slotKey](int board, int ns, int ew) { return slotKey(board, ns, ProgramEwNumber(ew)); };
  const auto seatedKey = [&rowKey](int s, bool exchanged) {
    SeatedPairs seated = rowPairs(s);
    if (exchanged) std::swap(seated.ns, seated.ew);
    return rowKey(ResultBoard[s], seated.ns, DeviceEwNumber(seated.ew));
  };
  QHash<QString, int> slotOf;
  for (int s = 1; s <= slotCount; ++s)
    if (ResultNsPair[s] != 0 && ResultEwPair[s] != 0) {
      slotOf.insert(slotKey(ResultBoard[s], ResultNsPair[s], ResultEwPair[s]), s);
      for (const bool exchanged : {false, true}) slotOf.insert(seatedKey(s, exchanged), s);
    }
  // The last row of each slot, in the order the rows were written: what the
  // control program shows. A slot with a scorers' row not yet collected is
  // left to the collection, which will make it what the row says.
  QHash<int, bool> holds;
  QSet<int> waiting;
  withReceivedData([&](SessionTable& t) {
    for (t.first(); !t.eof(); t.next()) {
      if (t.integer(QStringLiteral("Section")) != 1) continue;
      const QString key = rowKey(t.integer(QStringLiteral("Board")), t.integer(QStringLiteral("PairNS")),
                                 t.integer(QStringLiteral("PairEW")));
      const int s = slotOf.value(key);
      if (s == 0) continue;
      const bool ours = t.text(QStringLiteral("Remarks")).contains(kTag);
      if (!ours && !t.yes(QStringLiteral("Processed")))
        waiting.insert(s);
      else
        holds.insert(s, key != seatedKey(s, true) && (ours ? correctionHolds(t, s) : ScorersRowHolds(t, s)));
    }
  });
  for (int s = 1; s <= slotCount; ++s) {
    if (slotOf.value(slotKey(ResultBoard[s], ResultNsPair[s], ResultEwPair[s])) != s ||
        waiting.contains(s))
      continue;
    const auto it = holds.constFind(s);
    if (it == holds.cend() ? ResultScore[s] != kScoreNone : !*it) AppendChangedResult(s);
  }
}
