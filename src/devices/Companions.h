#pragma once
// The companion programs: finding an installed program once and remembering
// where it is, the control program's registry value kept while the program
// runs, the contract editor, the referee call, the tablets' two servers and
// the tablets' password.
#include "core/CompanionPrograms.h"
#include "core/Notices.h"

#include <QString>

// The control program's "OverrideDBSettings": saved into
// "overrideDBSettings.TXT" at a tournament's start (only while no saved value
// waits), set while the tournament runs, put back at the quit. Each acts only
// when BridgeMates are used in club mode.
void SaveOverrideDBSettings();
void SetOverrideDBSettings(const QString& value);
void RestoreOverrideDBSettings();

// The Windows tablet server "PCQuillmarkeServer.EXE" is in the program
// folder. Where it is not (every copy but a Windows one), the tables' server
// takes the place of both Windows programs, which are then never started.
bool WindowsTabletServerPresent();
// The tablet server, started after stopping a running copy; then its
// companion and the recovery counters. A failed start is fatal.
void StartTabletServer();
// The recovery counters, then "TABLOSSE.EXE" started after stopping a
// running copy (a failed start is fatal), then this copy's tables' server.
void StartTabletCompanion();

// The password window's OK: the password becomes typed; a password other
// than the default (compared without case) is kept in
// "ANDROIDPASSWORD.TXT", the default deletes that file.
void SetTabletPassword(const QString& typed);
// The password window forms::TabletPassword: asks the new password (Esc changes nothing).
void ChangeTabletPassword();
