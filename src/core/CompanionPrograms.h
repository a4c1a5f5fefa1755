#pragma once
// The companion programs of the program folder: their names, where an
// installed one is (found once and remembered), and their start.
#include <QString>
#include <QStringList>

inline const QString kTabletServerName = QStringLiteral("PCQuillmarkeServer.EXE");
inline const QString kTabletCompanionName = QStringLiteral("TABLOSSE.EXE");
inline const QString kContractEditorName = QStringLiteral("Kontravel.EXE");
inline const QString kBridgeMatesControlName = QStringLiteral("BMPro.EXE");
inline const QString kTablesServerName = QStringLiteral("talvaron-tables");

// The BridgeMates control program to start: BridgeMatesControlPath when
// located, else "BMPro.EXE" of the program folder.
QString BridgeMatesControlProgram();

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

// A program of the program folder started after stopping a running copy
// (and waiting 1 s when asked); a failed start shows its message and makes
// the fatal stop, which stops the companions already started.
void StartCompanionOrHalt(const QString& executable, bool waitAfterStop);
// Starts "Kontravel.EXE" with the board and the two pairs (E/W as the devices
// number it), stopping a running copy first; a failed start is reported.
void LaunchContractEditor(int board, int nsPair, int ewPair);
