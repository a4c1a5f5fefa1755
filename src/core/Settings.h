#pragma once
// The program's settings: small files of ProgramFolder, most of which act by
// their mere presence (marker files), the others holding one value on their
// first line. Each value has its default and its accepted range; a bad value
// never stops the program: the default is used after a beep and a message.
// The results folder ("PATH.TXT") is kept by core/ResultsFolder.h.
#include "core/OptionFiles.h"
#include "platform/Folders.h"

#include <QString>

#include <optional>

inline const QString kDefaultTabletPassword = QStringLiteral("FarnelTosk");
// The tables join with the evening's code, not with the tablets' password,
// while the password is the built-in one (in any case: anyone who has seen
// the program knows it) or empty (a club that chose none).
inline bool TablesJoinWithTheCode(const QString& password) {
  return password.isEmpty() || password.compare(kDefaultTabletPassword, Qt::CaseInsensitive) == 0;
}
inline const QString kDefaultBridgeMatesPin = QStringLiteral("3861");
inline constexpr int kDefaultMixingPercent = 10;
inline constexpr int kDefaultRoundsShown = 2;
inline constexpr int kDefaultPercentagesFromRound = 9999;
inline constexpr int kDefaultPbnOption = 1;

// The device kinds written on the first line of "QUILLMARKE.TXT".
inline const QString kTabletsKind = QStringLiteral("Tablettes");
inline const QString kBridgeMatesKind = QStringLiteral("BridgeMates");

// Full name of a file of ProgramFolder.
QString SettingsPath(const QString& name);
// A marker file of ProgramFolder exists (found without regard to case).
bool SettingExists(const QString& name);
// The first line of a file of ProgramFolder ("" for an empty one); nothing
// when the file is absent or unreadable.
std::optional<QString> SettingFirstLine(const QString& name);
// Creates (or empties) a marker file; deletes one. Creation failures raise
// platform::IoError.
void CreateEmptySetting(const QString& name);
void WriteSettingLine(const QString& name, const QString& line);
void DeleteSetting(const QString& name);

// At the first start of an installed copy, makes the user's program folder
// from the shipped files (movement files, templates), with an empty players
// file "JOUEURS.TXT" for the director to fill; at the first start after an
// upgrade, brings the folder's copies of the shipped files up to date.
// Nothing to do for a copy run from its build tree or when
// TALVARON_PROGRAM_FOLDER is set. Throws platform::IoError when the folder
// cannot be made or a file written.
platform::ProgramFolderStart MakeProgramFolder();

// Exactly one of "FICHIER.TXT" and "JOUEURS.TXT" must exist: then
// PlayersFileFound and PlayersFileName are set. Neither or both: a beep, the
// system message box, and the program ends at once.
void CheckPlayerFile();

// Reads the option files at start-up (password, club name from "CLUB.TXT",
// movement folders, entry and scoring options, value files with their checks,
// PBN option and name).
void LoadStartupOptions();

// PbnOption, PbnName and DiagramFolder from "OPTIONPBN.TXT", "NOMPBN.TXT" and
// "DOSSIERPBN.TXT"; each missing file is created with its default.
void ReadPbnOptions();

// The BridgeMates settings from "BMParams.TXT". At the first use (no file):
// a message, the BridgeMates parameters window (which writes the file) and,
// in club mode, the preparation of the control program's registry value.
void ReadBMParams();

// The device kind from line 1 of "QUILLMARKE.TXT": sets TabletsMode and
// BridgeMatesMode and answers whether BridgeMates are used. An empty first
// line becomes "Tablettes"; any other text shows a message and the file is
// rewritten "Tablettes".
bool ReadDeviceKind();
// Rewrites "QUILLMARKE.TXT" with the kind as its one line.
void WriteDeviceKind(const QString& kind);

// "BMParams.TXT" (the BridgeMates scorers' settings) rewritten from the variables.
void WriteBMParams();
// Writes (hidden) or deletes (shown) "MSG2.TXT", the marker that hides the
// count of boards read from a PBN file. Write failures throw IoError.
void SetPbnCountHidden(bool hidden);
