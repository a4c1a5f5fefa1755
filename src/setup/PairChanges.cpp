#include "setup/PairChanges.h"

#include "core/DeviceEchoes.h"
#include "core/DeviceFiles.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/PairsFile.h"
#include "core/PlayerNames.h"
#include "core/Printing.h"
#include "core/Texts.h"
#include "setup/Pairs.h"

#include <algorithm>

namespace {

const QString kBye = QStringLiteral("BYE");

const QString kByeChangeNs = QStringLiteral("Désolé, on ne peut pas modifier la paire BYE à ce moment...");
const QString kByeChangeEw = QStringLiteral("Désolé, on ne peut pas modifier la paire BYE...");
const QString kByeEntry = QStringLiteral("Désolé, on ne peut pas introduire la paire BYE à ce moment!");

int rowCount() { return std::clamp(ResultsPerBoard, 0, kMaxTables); }

bool isBye(const QString& text) { return TrimText(text).compare(kBye, Qt::CaseInsensitive) == 0; }

bool isFree(const QString& name) {
  const int count = std::clamp(PlayerChoiceCount, 0, PlayerChoiceLines.capacity);
  for (int i = 1; i <= count; ++i)
    if (PlayerChoiceLines[i] == name) return true;
  return false;
}

// A name leaving a grid is offered again (once); "?" is nobody.
void giveBack(const QString& name) {
  const QString n = TrimText(name);
  if (n.isEmpty() || n == QLatin1String("?")) return;
  const QString free = isBye(n) ? kBye : n;
  if (!isFree(free)) AddPlayerToList(free);
}

void take(const QString& name) {
  const QString n = TrimText(name);
  if (!n.isEmpty()) RemovePlayerFromList(isBye(n) ? kBye : n);
}

// The slot of N/S pair row or E/W pair row; 0 when there is none.
int slotOf(PairsSide side, int row) {
  const int number = side == PairsSide::NorthSouth ? row : -row;
  for (int s = 1; s <= kMaxPairs; ++s)
    if (PairNumbers[s] == number) return s;
  return 0;
}

QString licenceOrZero(const QString& name) {
  const QString licence = ListedLicence(name);
  return licence.isEmpty() ? QStringLiteral("0") : licence;
}

// One cell of a grid into its pair slot, with the licence of the new name.
void applyCell(PairsSide side, int column, int row) {
  if (FederationMode) return;
  const int slot = slotOf(side, row);
  if (slot == 0) return;
  const QString name = EditGridOf(side).cell(column, row);
  if (column == 1) {
    Player1Names[slot] = name;
    Player1Licences[slot] = licenceOrZero(name);
  } else {
    Player2Names[slot] = name;
    Player2Licences[slot] = licenceOrZero(name);
  }
  PairLabels[slot] = Player1Names[slot] + QStringLiteral(" - ") + Player2Names[slot];
  flowSteps().recountMenuCounters();
}

void refresh() {
  if (flowWindows().refreshPairChanges) flowWindows().refreshPairChanges();
}

}  // namespace

PairsGrid& EditGridOf(PairsSide side) { return side == PairsSide::NorthSouth ? NsEditGrid : EwEditGrid; }

QStringList PairChangesHeadings() {
  if (IsHowell) return {QStringLiteral("Howell"), QString()};
  return {QStringLiteral("Paires N/S"), QStringLiteral("Paires E/W")};
}

int PairChangesRowNumber(PairsSide side, int row) {
  return side == PairsSide::EastWest && IsHowell ? ResultsPerBoard + row : row;
}

QString ListedLicence(const QString& name) {
  const QString n = TrimText(name);
  const int count = std::clamp(PlayerCount, 0, kMaxPlayers);
  for (int k = 1; k <= count; ++k)
    if (PlayerNames[k].compare(n, Qt::CaseInsensitive) == 0) return PlayerLicences[k];
  return {};
}

void FillPairsEditGrids() {
  NsEditGrid.clear();
  EwEditGrid.clear();
  const int rows = rowCount();
  for (int s = 1; s <= kMaxPairs; ++s) {
    const int number = PairNumbers[s];
    if (number == 0 || std::abs(number) > rows) continue;
    PairsGrid& grid = number > 0 ? NsEditGrid : EwEditGrid;
    grid.cell(1, std::abs(number)) = Player1Names[s];
    grid.cell(2, std::abs(number)) = Player2Names[s];
  }
  // A name already in a pair is not offered a second time.
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= 2; ++c) {
      take(NsEditGrid.cell(c, r));
      take(EwEditGrid.cell(c, r));
    }
  PairsGridCellText.clear();
  PairChoiceText.clear();
  if (flowWindows().bringPairChangesForward) flowWindows().bringPairChangesForward();
}

void ShowPairChanges() {
  FillPairsEditGrids();
  if (IsPatton && flowWindows().showTeamNames) flowWindows().showTeamNames();
}

void PairsModifyGridClick(PairsSide side, int column, int row) {
  if (column < 1 || column > 2 || row < 1 || row > rowCount()) return;
  PairsGrid& grid = EditGridOf(side);
  const QString byeChange = side == PairsSide::NorthSouth ? kByeChangeNs : kByeChangeEw;
  const QString name = TrimText(PairsGridCellText);
  if (!PairChoiceText.isEmpty()) {
    if (isBye(grid.cell(1, row)) || isBye(grid.cell(2, row))) {
      ShowAlert(byeChange);
    } else {
      const qsizetype at = PairChoiceText.indexOf(QLatin1Char('/'));
      const QString first = TrimText(at < 0 ? PairChoiceText : PairChoiceText.left(at));
      const QString second = at < 0 ? QString() : TrimText(PairChoiceText.mid(at + 1, 100));
      take(first);
      take(second);
      giveBack(grid.cell(1, row));
      giveBack(grid.cell(2, row));
      grid.cell(1, row) = first;
      grid.cell(2, row) = second;
      applyCell(side, 1, row);
      applyCell(side, 2, row);
    }
  } else if (isBye(grid.cell(1, row))) {
    ShowAlert(byeChange);
  } else if (name.isEmpty()) {
    ShowAlert(QStringLiteral("Impossible de supprimer un joueur à ce moment! Par contre, vous pouvez le modifier..."));
  } else if (isBye(name)) {
    ShowAlert(kByeEntry);
  } else if (isBye(grid.cell(2, row))) {
    grid.cell(1, row).clear();
    grid.cell(column, row) = name;
    giveBack(kBye);
    take(name);
  } else {
    // The scorers first: a database that fails leaves the names as they were.
    deviceEchoes().playerNamed(side == PairsSide::NorthSouth ? QStringLiteral("NS") : QStringLiteral("EW"), column, row, name);
    take(name);
    giveBack(grid.cell(column, row));
    grid.cell(column, row) = name;
    applyCell(side, column, row);
  }
  PairsGridCellText.clear();
  PairChoiceText.clear();
  refresh();
}

void PairsModifyCellTyped(PairsSide side, int column, int row, const QString& text) {
  if (column < 1 || column > 2 || row < 1 || row > rowCount()) return;
  PairsGrid& grid = EditGridOf(side);
  const QString name = TrimText(text);
  if (name.isEmpty()) return;
  if (isBye(grid.cell(1, row)) || isBye(grid.cell(2, row))) {
    ShowAlert(side == PairsSide::NorthSouth ? kByeChangeNs : kByeChangeEw);
  } else if (isBye(name)) {
    // The results of a playing pair would leave the scoring.
    ShowAlert(kByeEntry);
  } else if (!RefuseTypedPlayerName(name)) {
    take(name);
    giveBack(grid.cell(column, row));
    grid.cell(column, row) = name;
    applyCell(side, column, row);
  }
  refresh();
}

void StorePairsModifyGrid() {
  if (FederationMode) return;
  const int rows = rowCount();
  for (const PairsSide side : {PairsSide::NorthSouth, PairsSide::EastWest}) {
    PairsGrid& grid = EditGridOf(side);
    for (int r = 1; r <= rows; ++r) {
      const int slot = slotOf(side, r);
      if (slot == 0) continue;
      const bool slotIsBye = isBye(Player1Names[slot]);
      const bool cellIsBye = isBye(grid.cell(1, r));
      if (slotIsBye) {
        if (!cellIsBye)
          ShowAlert(QStringLiteral("Avertissement! On ne peut modifier le nom de la paire \"BYE\". Le BYE reste "
                                   "inchangé..."));
        grid.cell(1, r) = Player1Names[slot];
        grid.cell(2, r) = Player2Names[slot];
        continue;
      }
      if (cellIsBye) {
        ShowAlert(kByeEntry);
        grid.cell(1, r) = Player1Names[slot];
        grid.cell(2, r) = Player2Names[slot];
        continue;
      }
      if (grid.cell(1, r) != Player1Names[slot]) Player1Licences[slot] = licenceOrZero(grid.cell(1, r));
      if (grid.cell(2, r) != Player2Names[slot]) Player2Licences[slot] = licenceOrZero(grid.cell(2, r));
      Player1Names[slot] = grid.cell(1, r);
      Player2Names[slot] = grid.cell(2, r);
      PairLabels[slot] = Player1Names[slot] + QStringLiteral(" - ") + Player2Names[slot];
    }
  }
}

void PairChangesOk() {
  StorePairsModifyGrid();
  SavePairsFile();
  WritePairNameFiles();
  if (IsPatton && flowWindows().hideTeamNames) flowWindows().hideTeamNames();
  if (flowWindows().hidePairChanges) flowWindows().hidePairChanges();
}

void PrintPairChanges() {
  StorePairsModifyGrid();
  PrintPairsList();
}

QStringList TeamNameLines() {
  QStringList lines;
  auto names = [](int number) {
    for (int s = 1; s <= kMaxPairs; ++s)
      if (PairNumbers[s] == number) return Player1Names[s] + QStringLiteral(" - ") + Player2Names[s];
    return QString();
  };
  for (int i = 1; i <= std::clamp(PairSlotCount, 0, kMaxPairs) / 2; ++i) {
    lines << QStringLiteral("Equipe numéro %1").arg(i);
    lines << QStringLiteral("     N/S: ") + names(i);
    lines << QStringLiteral("     E/W: ") + names(-i);
  }
  return lines;
}
