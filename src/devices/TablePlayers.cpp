#include "devices/TablePlayers.h"

#include "core/DeviceFiles.h"
#include "core/DeviceNumbers.h"
#include "core/ExchangeFiles.h"
#include "core/ExchangeLines.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/PairsFile.h"
#include "devices/Companions.h"
#include "devices/TabletFiles.h"
#include "platform/TextFiles.h"
#include "setup/PairLookups.h"

#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

const QString kNotFilled = QStringLiteral("*** Pas rempli ***");

bool holdsByeWord(const QString& entry) {
  static const QRegularExpression bye(QStringLiteral("\\bBYE\\b"));
  return entry.contains(bye);
}

// Player 1 (first) or 2 of pair number pair; a number no slot holds is left.
void storePlayer(int pair, bool first, const QString& licence, const QString& name) {
  const int slot = FindPairSlot(pair);
  if (slot <= 0) return;
  if (first) {
    Player1Names[slot] = name;
    Player1Licences[slot] = licence;
    PairLabels[slot] = name;
  } else {
    Player2Names[slot] = name;
    Player2Licences[slot] = licence;
    PairLabels[slot] = Player1Names[slot] + QStringLiteral(" - ") + name;
  }
}

void labelUnfilledPair(int pair, const QString& side, int shownNumber) {
  const int slot = FindPairSlot(pair);
  if (slot > 0 && Player1Names[slot] == kNotFilled && Player2Names[slot] == kNotFilled)
    PairLabels[slot] = QStringLiteral("*** Paire ") + side + QStringLiteral(" %1: non introduite ***").arg(shownNumber);
}

}  // namespace

bool ApplyTablePlayerEntry(int table, QChar seat, const QString& rawEntry) {
  const bool eastWest = seat == u'E' || seat == u'O';
  if (HerediaMovement != 0 && eastWest) return false;
  if (holdsByeWord(rawEntry)) return false;
  const QString entry = rawEntry.isEmpty() ? QString(seat) + QString::number(table) + ' ' + kNotFilled : rawEntry;
  QString licence = QStringLiteral("99999");
  QString name = entry.left(100);
  if (const qsizetype amp = entry.indexOf(u'&'); amp >= 0) {
    licence = entry.left(amp);
    name = entry.mid(amp + 1).left(100);
  }
  WritePlayerNumberRow(table, licence, name, seat);
  const bool first = seat == u'N' || seat == u'E';
  const int tables = ImportTableCount();
  if (HerediaMovement != 0 || (FederationMovementKind >= 1 && FederationMovementKind <= 4)) {
    if (!eastWest) {
      storePlayer(table, first, licence, name);
    } else if (FederationMovementKind == 1 || FederationMovementKind == 3) {
      storePlayer((table >= tables ? 1 : table + 1) + ResultsPerBoard, first, licence, name);
    } else {
      storePlayer(ResultsPerBoard + table, first, licence, name);
    }
    return true;
  }
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  int s = 1;
  while (s <= slotCount && !(ResultRound[s] == 1 && ResultTable[s] == table)) ++s;
  if (s > slotCount) return false;
  const int ns = ResultNsPair[s];
  const int ew = ResultEwPair[s];
  if (!eastWest && !IsByePairNumber(ns)) storePlayer(ns, first, licence, name);
  if (eastWest && !IsByePairNumber(ew)) storePlayer(ew, first, licence, name);
  labelUnfilledPair(ns, QStringLiteral("N/S"), ns);
  labelUnfilledPair(ew, QStringLiteral("E/W"), DeviceEwNumber(ew));
  return true;
}

bool ReadTablePlayersFile(int table) {
  if (!TabletFolderIsReal(TableFolder(table))) return false;
  const QString file = platform::resolvePath(TableFolder(table) + u'/' + exchange::kTablePlayersFile);
  // A file that cannot be read, or still empty while the server writes it,
  // is left for the next pass: read as four empty seats it would put
  // placeholders over the players already named. At the tenth failure in a
  // row it is set aside. One that cannot be deleted is not applied (it would
  // be applied again at every pass).
  if (IsLeftAlone(file)) return false;
  int error = 0;
  const std::optional<QString> read = ReadExchangeLine(file, &error);
  if (!read) {
    if (error == ENOENT)
      ForgetBadReads(file);
    else
      SetAsideAfterBadReads(file, QStringLiteral("Table %1; impossible de lire les joueurs du fichier ").arg(table));
    return false;
  }
  ForgetBadReads(file);
  if (!platform::deleteFile(file)) return false;
  const std::array<QString, 4> entries = exchange::ParsePlayersFileLine(*read);
  const QChar seats[] = {u'N', u'S', u'E', u'O'};
  for (int i = 0; i < 4; ++i) ApplyTablePlayerEntry(table, seats[i], entries[i]);
  return true;
}

void FinishPlayersRead() {
  WritePairNameFiles();
  SavePairsFile();
  flowSteps().recountMenuCounters();
}

void ReadPlayersFile() {
  bool read = false;
  const int tables = ImportTableCount();
  for (int t = 1; t <= tables; ++t)
    if (ReadTablePlayersFile(t)) read = true;
  if (read) FinishPlayersRead();
}

bool PlayerNameFromLicence(const QString& licence, QString& name) {
  const QString wanted = licence.trimmed();
  for (int p = 1; p <= std::min(PlayerCount, kMaxPlayers); ++p)
    if (PlayerLicences[p].trimmed() == wanted) {
      name = PlayerNames[p];
      return true;
    }
  name = QStringLiteral("?");
  return false;
}
