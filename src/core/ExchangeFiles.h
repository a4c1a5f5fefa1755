#pragma once
// The names of the files of the tablets' exchange folder, for the program
// and the tables' server alike. Where each one lies:
//   the exchange folder: the ranking (kRankingFile, kMergedRankingFile),
//     the boards' frequencies (BoardFileName), who holds which table
//     (kHoldersFile), the copy of the players' list (kPlayersListFile) and
//     the diagrams' folder (kDiagramsFolder: DiagramFileName,
//     kAnalysisCopyFile);
//   its series folder "Serie1": the preferences (kPrefsFile), the sit-out
//     list (kByeFile), the pair names' folder (kPairNamesFolder) and one
//     folder per table (TableFolderName);
//   a table's folder: its movement (kMovementFile), its players
//     (kTablePlayersFile), its result files (ResultFileName), the result
//     lines sent to it (SentEchoFileName, KeptEchoFileName), the rounds'
//     board lists of the BridgeMates (RoundBoardsFileName) and the boards the
//     director settled (SettledBoardFileName).
// The lines of these files are written and read in core/ExchangeLines.h.
#include <QString>
#include <QStringView>

namespace exchange {

inline const QString kPrefsFile = QStringLiteral("PREFS.TXT");
inline const QString kByeFile = QStringLiteral("BYE.TXT");
inline const QString kMovementFile = QStringLiteral("MVT.TXT");
inline const QString kTablePlayersFile = QStringLiteral("PLAYERS.TXT");
inline const QString kRankingFile = QStringLiteral("RESULTS.TXT");
inline const QString kMergedRankingFile = QStringLiteral("RESULTSF.TXT");
inline const QString kHoldersFile = QStringLiteral("APPAREILS.TXT");
inline const QString kPairNamesFolder = QStringLiteral("NomsPaires");
inline const QString kDiagramsFolder = QStringLiteral("Diagrammes");
// The double-dummy analyses, in the diagrams' folder (core/DealAnalyses.h).
inline const QString kAnalysisCopyFile = QStringLiteral("DOUBLEMORT.TXT");
// The club's players' list, in the program's folder and copied to the
// exchange folder: "JOUEURS.TXT", or "FICHIER.TXT", its older name, when
// that one is there.
inline const QString kPlayersListFile = QStringLiteral("JOUEURS.TXT");
inline const QString kOldPlayersListFile = QStringLiteral("FICHIER.TXT");

// The series folders "Serie<n>" of the exchange folder; the evening is series 1.
inline const QString kSeriesFolderStem = QStringLiteral("Serie");
inline constexpr int kEveningSeries = 1;
// "Serie1".
QString SeriesFolderName();
// "Table<t>".
QString TableFolderName(int table);
// A table's result for a board: "REST<board>.TXT".
QString ResultFileName(int board);
// Any name a table's result file may have: "REST*.TXT" in any case (the
// server numbers them as it writes them).
bool IsResultFileName(QStringView name);
// The result line of board k sent to a table: "RESS<k>.TXT", and the copy
// the table keeps, "RESX<k>.TXT" (k the BridgeMates echo's number).
QString SentEchoFileName(int k);
QString KeptEchoFileName(int k);
// The boards of a round whose BridgeMates results were echoed: "DONNESTOUR<r>.TXT".
QString RoundBoardsFileName(int round);
// A board the director settled at a table: "ARBITRE<board>.TXT".
QString SettledBoardFileName(int board);
// A board's frequency: "DONNE<board>.TXT".
QString BoardFileName(int board);
// A deal's diagram in the diagrams' folder: "S<board>.TXT".
QString DiagramFileName(int board);

// The pair-name file of a pair in kPairNamesFolder. With Mitchell numbering
// "N<k>.TXT" / "E<k>.TXT", k the pair's number in its direction (an E/W
// pair numbered after the nsPairs N/S pairs counts from 1 again); else
// "P<n>.TXT", n the pair's number in the movement.
QString PairNameFileName(int pair, bool eastWest, bool mitchellNumbering, int nsPairs);

}  // namespace exchange
