#pragma once
// The BridgeMates control program "BMPro.EXE": its start and restart with the
// tournament's session database, its registry value, the two hand-record
// settings written just before a start, and the scorers' settings kept in
// "BMParams.TXT" (the work behind the settings window TForm93).
#include "core/CompanionPrograms.h"
#include "core/Settings.h"

#include <QString>
#include <QStringList>

// The arguments: "/f:[<BwsFileName>]" (one argument, blanks and all), "/s",
// "/h:[1]", "/r", "/m", and "/h[1]" when the deals are entered at the tables.
QStringList BridgeMatesControlArguments();

// Starts the control program for a resumed tournament: registry check,
// hand-record settings, start. A failed start shows its message and stops the
// program with its companions.
void StartBridgeMatesControl();
// The same for a new tournament, stopping a running copy first (then 1 s of
// wait, so that it has let the database go).
void RestartBridgeMatesControl();
// "OverrideDBSettings" := "no" under the control program's key; without the
// key a warning, and the start goes on.
void CheckControlProgramRegistry();
// Settings' BM2EnterHandRecord := EnterDealsAtTable and, with it,
// BM2EnterHandRecordWhen := 1, in the session database.
void SetHandRecordSettings();

// What the settings window shows and edits.
struct BridgeMatesParamsView {
  bool checkBox1 = true;  // lead card entered
  bool checkBox2 = true;  // lead card checked
  bool checkBox3 = true;  // names shown each round
  bool checkBox4 = true;  // a blank member number allowed
  int radioGroup1Item = 0;  // NameDisplayMode - 1
  QString edit1 = QStringLiteral("3861");  // the director's code
};

// On show: the current settings when "BMParams.TXT" exists, else the defaults.
BridgeMatesParamsView BridgeMatesParamsOnShow();
// OK: the checks in order, each failure an alert (the view mended as the
// window shows it) and false; all passed: SaveBridgeMatesParams and true.
bool BridgeMatesParamsOk(BridgeMatesParamsView& view);
// A click in the names group: NameDisplayMode := item + 1, "AffichageNoms.TXT" rewritten.
void BridgeMatesNameModeClick(int item);
// The six settings from the view into the variables, and "BMParams.TXT" rewritten.
void SaveBridgeMatesParams(const BridgeMatesParamsView& view);
