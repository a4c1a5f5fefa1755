#pragma once
// The tournament in memory: one set of global variables, as every routine of
// the program reads and writes them. Arrays are 1-based with fixed capacities;
// an index outside them throws instead of writing past the array.
#include "core/OneBased.h"

#include <QDateTime>
#include <QString>

// Capacities.
inline constexpr int kMaxPairs = 42;          // pair slots (21 tables, N/S and E/W)
inline constexpr int kMaxTables = 21;
inline constexpr int kMaxPlayers = 1000;
inline constexpr int kMaxBoards = 64;
inline constexpr int kMaxResultSlots = 1344;  // 64 boards x 21 tables

// Score codes of ResultScore.
inline constexpr int kScoreNone = 10000;      // no result yet ("?")
inline constexpr int kScoreAdjusted = 9999;   // "AJU."
inline constexpr int kScoreAverage = 9998;    // "MOY.", counts for neither pair

// Identity and folders. ProgramFolder, DataFolder and the movement folders end
// with "/"; DocumentsFolder does not.
inline QString ProgramFolder;
inline QString DataFolder;
inline QString DocumentsFolder;
inline QString MovementFolder;
inline QString ClubMovementFolder;
inline QString MovementFolderInUse;
inline QString TabletSharedFolder;
inline QString TabletSeriesFolder;
inline QString TableFolderPath;
inline QString TournamentCode;
inline QString TournamentTitle;
inline QString TournamentName;
inline QString DateText;
inline QString DateDay;
inline QString DateMonth;
inline QString DateYear;
inline QString DateShortText;
inline QString TimeText;
inline QDateTime StartDateTime;
inline int StartDayOfWeek = 0;  // 1 = Sunday .. 7 = Saturday
inline QString VersionText;
inline QString ClubName;
inline QString OleDbProviderSuffix;
inline QString CurrentDrive;
inline bool TournamentDatedToday = false;

// Mode flags.
inline bool TableDevicesMode = false;
inline bool TabletsMode = false;
inline bool BridgeMatesMode = false;
inline bool TabletsInUse = false;  // tablets added to a BridgeMates tournament
inline bool FederationMode = false;
inline bool ClubMode = false;
inline bool EntryByContracts = false;
inline bool AskOpeningLead = false;
inline bool EnterDealsAtTable = false;
inline bool PairsEntered = false;
inline bool IsHowell = false;
inline bool MitchellNumbering = false;
inline bool IsPatton = false;
inline bool IsAppendix = false;
inline bool ArrowSwitch = false;
inline bool ImpScoring = false;
inline bool CumulativeMode = false;
inline bool ResumingTournament = false;
inline int ResumeChosen = 0;
inline bool CumulativeTotals = false;
inline bool AutoVentilation = false;
inline bool SheetOrderByRounds = false;
inline bool SheetLineSkip = false;
inline bool ScoresTimesTen = false;
inline bool CoherenceTest = false;
inline bool ClubMovements = false;
inline bool Interactive = false;
inline bool DealsImported = false;
inline bool FrequenciesComputed = false;
inline bool ResultsAvailable = false;
inline bool ByePresent = false;
inline bool PlayersFileFound = false;
inline bool PairsFileAvailable = false;
inline bool GeneralOptionsMode = false;
inline bool OneWinnerMitchell = false;

// Counts.
inline int PairCount = 0;
inline int PairSlotCount = 0;
inline int TableCount = 0;
inline int ResultsPerBoard = 0;
inline int BoardCount = 0;
inline int BoardsPerTable = 0;
inline int BoardSetCount = 0;
inline int DealCount = 0;
inline int RoundCount = 0;
inline int RoundsScheduled = 0;
inline int RoundsPlayed = 0;
inline int ResultSlotCount = 0;
inline int MitchellType = 0;  // 0, 1 skip, 2 relay
inline int ResultsEntered = 0;
inline int PlayersExpected = 0;
inline int PlayersNamed = 0;
inline int ByePairNumber = 0;
inline int ByeNsPair = 0;
inline int ByeEwPair = 0;
inline int CurrentBoard = 0;
inline int LastSheetRound = 0;
inline int PlayerCount = 0;
inline int PlayerChoiceCount = 0;
inline int ChoiceListCount = 0;
inline int FederationMovementKind = 0;
inline int HerediaMovement = 0;

// The federation exchange: whether the session database brought the deals.
inline bool FederationHandRecordsReceived = false;

// Pair slots 1..42 (names and labels are declared with 1344 entries and
// licences with 1000, as the program always had; only 1..42 are used).
inline OneBased<int, kMaxPairs> PairNumbers;  // N/S k: k; E/W k: -k; 0 empty
inline OneBased<QString, kMaxResultSlots> PairLabels;
inline OneBased<QString, kMaxResultSlots> Player1Names;
inline OneBased<QString, kMaxResultSlots> Player2Names;
inline OneBased<QString, kMaxPlayers> Player1Licences;
inline OneBased<QString, kMaxPlayers> Player2Licences;
// Per pair number 1..42, written by the ranking.
inline OneBased<double, kMaxPairs> PairFinalScore;
inline OneBased<int, kMaxPairs> RankingOrder;

// Result slots 1..1344, board-major: board b owns slots
// (b - 1) x ResultsPerBoard + 1 .. b x ResultsPerBoard.
inline OneBased<int, kMaxResultSlots> ResultNsPair;
inline OneBased<int, kMaxResultSlots> ResultEwPair;
inline OneBased<int, kMaxResultSlots> ResultScore;
inline OneBased<int, kMaxResultSlots> ResultRound;
inline OneBased<int, kMaxResultSlots> ResultTable;
inline OneBased<int, kMaxResultSlots> ResultBoard;
inline OneBased<int, kMaxResultSlots> ResultSwapped;
inline OneBased<QString, kMaxResultSlots> ResultContract;
inline OneBased<QString, kMaxResultSlots> ResultLead;
inline OneBased<QString, kMaxResultSlots> ResultDeclarer;
inline OneBased<int, kMaxResultSlots> ResultMatchpoints;
inline OneBased<double, kMaxResultSlots> ResultNsPercent;
inline OneBased<double, kMaxResultSlots> ResultEwPercent;
inline OneBased<int, kMaxResultSlots> ResultAdjustmentLogged;
inline OneBased<QString, kMaxResultSlots> MovementBoardsText;

// Per board 1..64.
inline OneBased<bool, kMaxBoards> BoardVentilated;
inline OneBased<QString, kMaxBoards> DealDiagrams;  // each line ended by CR LF

// Players 1..1000.
inline OneBased<QString, kMaxPlayers> PlayerNames;
inline OneBased<QString, kMaxPlayers> PlayerFirstNames;
inline OneBased<QString, kMaxPlayers> PlayerLicences;
inline OneBased<QString, kMaxPlayers> PlayerFileLines;
inline OneBased<QString, kMaxPlayers + 1> PlayerChoiceLines;  // every player plus "BYE"
inline OneBased<QString, kMaxPlayers> MemberField1;
inline OneBased<QString, kMaxPlayers> MemberField2;
inline OneBased<QString, kMaxPlayers> MemberField3;
inline OneBased<QString, kMaxPlayers> ChoiceListItems;
inline QString PlayersFileName;

// Settings values.
inline int MixingPercent = 10;
inline int SavedMitchellType = 0;
inline int RoundsShownCount = 2;
inline int PercentagesFromRound = 9999;
inline int PbnOption = 1;
inline QString PbnName;
inline QString DiagramFolder;
inline QString TabletPassword;
inline QString BridgeMatesPin;
inline int NameDisplayMode = 1;
inline bool BmShowPlayerNames = false;
inline bool BmLeadCard = false;
inline bool BmValidateLeadCard = false;
inline bool BmNoBlankMemberNumber = false;
inline QString MembersDatLocation;
inline QString ClubFederationNumber;
inline QString FederationFolder;
inline QString FederationBwsFile;
inline QString BwsFileName;
inline QString BwsFolder;
inline QString BridgeMatesControlPath;
inline QString MovementFileName;
inline QString MovementTitle;
inline QString ArrowSwitchText;

// Suit letters: spades, hearts, diamonds, clubs.
inline OneBased<QChar, 4> SuitLetters;

// Printout and result text files of the Documents folder (full names).
inline QString PrintFile;
inline QString ResultsTextFile;
inline QString ResultsFTextFile;
inline QString RecapTextFile;

// The shared answer of every small dialog (0 = Esc or cancel).
inline int ChoiceResult = 0;

// Deal diagrams and the movement view.
inline QString ChosenPbnFile;  // the PBN file picked in the chooser, "" when none
inline constexpr int kMaxMovementRows = 1344;
inline int MovementRowCount = 0;  // rows in use, separators (round 0) included
inline OneBased<int, kMaxMovementRows> MovementRowRound;
inline OneBased<int, kMaxMovementRows> MovementRowTable;
inline OneBased<int, kMaxMovementRows> MovementRowNs;
inline OneBased<int, kMaxMovementRows> MovementRowEw;  // E/W in Mitchell numbering 1..tables

// Table devices: the club's members program located at start-up, and the
// result file of the tablets that failed to read at the last passes.
inline QString ClubMembersFile;
inline QString LastBadResultFile;
inline int BadResultFileCount = 0;
