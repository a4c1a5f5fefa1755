#include "core/State.h"

#include "core/DeviceEchoes.h"
#include "core/Globals.h"
#include "core/OptionFiles.h"
#include "core/ResultsFolder.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {
const char* const kWeekdays[] = {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"};
}

QString BuildVersionString(const QDate& executableDate, int currentYear) {
  return QStringLiteral("%1.%2.%3").arg(currentYear - 2019).arg(executableDate.month()).arg(executableDate.day());
}

QString BuildVersionString() {
  const QDate exeDate = QFileInfo(platform::executablePath()).lastModified().date();
  return BuildVersionString(exeDate, platform::now().date().year());
}

QString PackageVersion() { return QStringLiteral(TALVARON_PACKAGE_VERSION); }

void SetDateGlobals() {
  VersionText = BuildVersionString();
  StartDateTime = platform::now();
  DateYear = StartDateTime.toString(QStringLiteral("yyyy"));
  DateMonth = StartDateTime.toString(QStringLiteral("MM"));
  DateDay = StartDateTime.toString(QStringLiteral("dd"));
  DateShortText = StartDateTime.toString(QStringLiteral("ddMMyy"));
  TimeText = StartDateTime.toString(QStringLiteral("HHmmss"));
  StartDayOfWeek = StartDateTime.date().dayOfWeek() % 7 + 1;  // Qt: Monday 1 .. Sunday 7
  TournamentTitle = QString::fromLatin1(kWeekdays[StartDayOfWeek - 1]);
}

QString FrenchWeekdayName(const QDate& date) {
  return QString::fromLatin1(kWeekdays[date.dayOfWeek() % 7]);  // Qt: Monday 1 .. Sunday 7
}

void InitGlobals() {
  OleDbProviderSuffix = QStringLiteral("OLEDB.4.0");
  CurrentDrive = QDir::currentPath().left(3);
  SetDateGlobals();
  CumulativeMode = false;
  ResumeChosen = 0;
  DealsImported = false;
  TabletsInUse = false;
  deviceEchoes().stateCleared();
  ProgramFolder = platform::programFolder();
  ClubMode = platform::fileExists(ProgramFolder + kClubMarkerFile);
  MovementFileName.clear();
  SuitLetters[1] = QLatin1Char('P');
  SuitLetters[2] = QLatin1Char('C');
  SuitLetters[3] = QLatin1Char('K');
  SuitLetters[4] = QLatin1Char('T');
  for (int b = 1; b <= kMaxBoards; ++b) {
    BoardVentilated[b] = false;
    DealDiagrams[b].clear();
  }
  DocumentsFolder = platform::documentsFolder();
  // Every printout is written there first: a new account may not have it.
  platform::makeFolder(DocumentsFolder);
  ResultsTextFile = DocumentsFolder + QStringLiteral("/RESULTS.TXT");
  ResultsFTextFile = DocumentsFolder + QStringLiteral("/RESULTSF.TXT");
  PrintFile = DocumentsFolder + QStringLiteral("/TEMP.TXT");
  RecapTextFile = DocumentsFolder + QStringLiteral("/RECAP.TXT");
  // One copy of the program per results folder: a second one ends here,
  // before it removes or writes anything.
  LockResultsFolderOrHalt(FindResultsFolder());
  // What rewrites cut short left in the tablets' folder, as in the results
  // folder below.
  deviceEchoes().removeLeftovers();
  // Last: the folder is known before "PATH.TXT" is written, and a failed
  // write leaves nothing above unset.
  LoadResultsFolder();
}

void ClearPairSlots() {
  CumulativeTotals = false;
  for (int s = 1; s <= kMaxPairs; ++s) {
    PairNumbers[s] = 0;
    PairLabels[s].clear();
    Player1Names[s].clear();
    Player2Names[s].clear();
    Player1Licences[s].clear();
    Player2Licences[s].clear();
  }
}

void ClearResultSlot(int slot) { ResultSlots::Clear(slot); }

void ClearAllResults() {
  for (int s = 1; s <= kMaxResultSlots; ++s) ClearResultSlot(s);
  for (int p = 1; p <= kMaxPairs; ++p) {
    PairFinalScore[p] = 0.0;
    RankingOrder[p] = 0;
  }
  LastSheetRound = 0;
}

void RenumberMitchellEastWest() {
  ResultSlots::RenumberEastWest(std::min(BoardCount * ResultsPerBoard, kMaxResultSlots), ResultsPerBoard);
}

bool DeleteFolderSilently(const QString& path) { return platform::deleteTree(platform::resolvePath(path)); }

bool GetSpecialFolder(int folderNumber, QString& path) {
  if (folderNumber != 5) return false;
  path = platform::documentsFolder();
  return true;
}

bool GetSpecialFolderPath(int folderId, QString& path) {
  if (GetSpecialFolder(folderId, path)) return true;
  path.clear();
  return false;
}
