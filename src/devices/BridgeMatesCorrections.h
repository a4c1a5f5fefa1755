#pragma once
// What the director changes in the program, sent to the BridgeMates' control
// program: one row appended to ReceivedData of the session database per
// change, tagged "Morvel" in its remarks so that the results import knows its
// own rows. Nothing at all happens without BridgeMates. Database errors pass
// on; the result in the program is already stored by the caller.
#include <QString>

// A board not played at the slot's table ("Not played (Morvel)").
void AppendNotPlayedResult(int slot);
// An adjusted score given as two percentages; remark like
// "Arbitral score (60%-40%)", sent followed by " (Morvel)".
void AppendCorrectedResult(int slot, const QString& remark);
// The slot's current result (typed, changed, erased, or from a tablet).
void AppendChangedResult(int slot);
// A BridgeMates tournament resumed: each slot whose last row in
// ReceivedData (the scorers' collected or the program's own) does not say
// what the slot holds gets its correction row again (a slot with no row,
// when it holds a result); a slot with a scorers' row still to collect is
// left to the collection. Database errors pass on.
void ResendBridgeMatesCorrections();
// Two beeps and the yellow information window beside the others (brought to
// the front when shown already); nothing when tablets are in use.
void ShowBridgeMatesInfo();
// The lines of the information window.
QStringList BridgeMatesInfoLines();
