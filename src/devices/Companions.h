#pragma once
// The companion programs: finding an installed program once and remembering
// where it is, the control program's registry value kept while the program
// runs, the contract editor, the referee call, the tablets' two servers and
// the tablets' password.
#include <QString>

inline const QString kTabletServerName = QStringLiteral("PCQuillmarkeServer.EXE");
inline const QString kTabletCompanionName = QStringLiteral("TABLOSSE.EXE");
inline const QString kContractEditorName = QStringLiteral("Kontravel.EXE");

// Sets the path of executable from the remembered file of the program folder
// ("BMPro.TXT" sets BridgeMatesControlPath, any other ClubMembersFile); when
// the file is missing or names a missing file, the program is searched (the
// program folder first, then the home root) while waitingText is shown, and
// the path found is remembered. Not found: the message and the fatal stop.
void LocateExternalProgram(const QString& rememberedFile, const QString& executable, const QString& waitingText);
// Depth first search of folder for a file named name (without regard to
// case), symbolic links never followed; true and the full name in path.
bool FindFileRecursive(const QString& folder, const QString& name, QString& path);
// Appends the folder of a program to this process's PATH.
void AppendToPath(const QString& text);

// The control program's "OverrideDBSettings": saved into
// "overrideDBSettings.TXT" at a tournament's start (only while no saved value
// waits), set while the tournament runs, put back at the quit. Each acts only
// when BridgeMates are used in club mode.
void SaveOverrideDBSettings();
void SetOverrideDBSettings(const QString& value);
void RestoreOverrideDBSettings();

// Starts "Kontravel.EXE" with the board and the two pairs (E/W as the devices
// number it), stopping a running copy first; a failed start is reported.
void LaunchContractEditor(int board, int nsPair, int ewPair);
// Three beeps, the time and the text in the critical-message window, and the
// referee called aloud; never waits.
void CallReferee(const QString& text);

// A program of the program folder started after stopping a running copy
// (and waiting 1 s when asked); a failed start shows its message and makes
// the fatal stop, which stops the companions already started.
void StartCompanionOrHalt(const QString& executable, bool waitAfterStop);
// The tablet server, started after stopping a running copy; then its
// companion and the recovery counters. A failed start is fatal.
void StartTabletServer();
// The recovery counters, then "TABLOSSE.EXE" started after stopping a
// running copy. A failed start is fatal.
void StartTabletCompanion();

// The password window's OK: the password becomes typed; a password other
// than the default (compared without case) is kept in
// "ANDROIDPASSWORD.TXT", the default deletes that file.
void SetTabletPassword(const QString& typed);
// The password window "TForm94": asks the new password (Esc changes nothing).
void ChangeTabletPassword();
