#pragma once
// What the entry of results tells the table devices: result lines for the
// tablets and corrected rows for the BridgeMates database. Each acts only in
// its own mode; until the device exchange is in place they do nothing.
#include <QString>

// A result stored on the score sheet, for the tablets.
void WriteTabletResultLine(int table, int board, int round, int nsPair, int ewPair, const QString& result,
                           const QString& declarer);
// A result deleted on the score sheet, for the tablets.
void WriteTabletDeleteLine(int table, int board, int round, int nsPair, int ewPair);
// The result of slot sent to the BridgeMates database as corrected.
void AppendChangedResult(int slot);
// The result of slot sent to the BridgeMates database as not played.
void AppendNotPlayedResult(int slot);
// An adjusted score ("Arbitral score (60%-40%)") for slot, to the BridgeMates.
void AppendArbitralScore(int slot, const QString& remark);
