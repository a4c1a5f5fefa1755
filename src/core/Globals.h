#pragma once
// The tournament in memory: one set of global variables, as every routine of
// the program reads and writes them. Arrays are 1-based with fixed capacities;
// an index outside them throws instead of writing past the array.
//
// Every global of the program is declared here, in the one list
// TALVARON_GLOBALS, as X(name, initial value, type); ResetGlobals() gives
// each its initial value again. A global declared anywhere else would be
// missed by that reset: the tests refuse one.
#include "core/OneBased.h"
#include "core/ResultSlots.h"
#include "platform/TextFiles.h"

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

// Capacities.
inline constexpr int kMaxPairs = 42;          // pair slots (21 tables, N/S and E/W)
inline constexpr int kMaxTables = 21;
inline constexpr int kMaxPlayers = 1000;
inline constexpr int kMaxBoards = 64;

inline constexpr int kMaxMovementRows = 1344;

// One grid of the pairs entry or of the pair changes: rows 1..21, column 1
// the first player, column 2 the second.
struct PairsGrid {
  std::array<std::array<QString, 3>, kMaxTables + 1> cells{};
  QString& cell(int column, int row) { return cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)); }
  const QString& cell(int column, int row) const {
    return cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
  }
  void clear() { cells = {}; }
};

// The director and scorer of the web pages' heading, and the caption of
// their group.
struct DirectorScorerFields {
  QString director;
  QString scorer;
  QString groupCaption;
};

#define TALVARON_GLOBALS(X) \
  /* Identity and folders. ProgramFolder, DataFolder and the movement folders end with "/"; */ \
  /* DocumentsFolder does not. */ \
  X(ProgramFolder, , QString) \
  X(DataFolder, , QString) \
  X(DocumentsFolder, , QString) \
  X(MovementFolder, , QString) \
  X(ClubMovementFolder, , QString) \
  X(MovementFolderInUse, , QString) \
  X(TabletSharedFolder, , QString) \
  X(TabletSeriesFolder, , QString) \
  X(TableFolderPath, , QString) \
  X(TournamentCode, , QString) \
  X(TournamentTitle, , QString) \
  X(TournamentName, , QString) \
  X(DateText, , QString) \
  X(DateDay, , QString) \
  X(DateMonth, , QString) \
  X(DateYear, , QString) \
  X(DateShortText, , QString) \
  X(TimeText, , QString) \
  X(StartDateTime, , QDateTime) \
  X(StartDayOfWeek, 0, int) /* 1 = Sunday .. 7 = Saturday */ \
  X(VersionText, , QString) \
  X(ClubName, , QString) \
  X(OleDbProviderSuffix, , QString) \
  X(CurrentDrive, , QString) \
  X(TournamentDatedToday, false, bool) \
  /* Mode flags. */ \
  X(TableDevicesMode, false, bool) \
  X(TabletsMode, false, bool) \
  X(BridgeMatesMode, false, bool) \
  X(TabletsInUse, false, bool) /* tablets added to a BridgeMates tournament */ \
  X(FederationMode, false, bool) \
  X(ClubMode, false, bool) \
  X(EntryByContracts, false, bool) \
  X(AskOpeningLead, false, bool) \
  X(EnterDealsAtTable, false, bool) \
  X(PairsEntered, false, bool) \
  X(IsHowell, false, bool) \
  X(MitchellNumbering, false, bool) \
  X(IsPatton, false, bool) \
  X(IsAppendix, false, bool) \
  X(ArrowSwitch, false, bool) \
  X(ImpScoring, false, bool) \
  X(CumulativeMode, false, bool) \
  X(ResumingTournament, false, bool) \
  X(ResumeChosen, 0, int) \
  X(CumulativeTotals, false, bool) \
  X(AutoVentilation, false, bool) \
  X(SheetOrderByRounds, false, bool) \
  X(SheetLineSkip, false, bool) \
  X(ScoresTimesTen, false, bool) \
  X(CoherenceTest, false, bool) \
  X(ClubMovements, false, bool) \
  X(Interactive, false, bool) \
  X(DealsImported, false, bool) \
  X(FrequenciesComputed, false, bool) \
  X(ResultsAvailable, false, bool) \
  X(ByePresent, false, bool) \
  X(PlayersFileFound, false, bool) \
  X(PairsFileAvailable, false, bool) \
  X(GeneralOptionsMode, false, bool) \
  X(OneWinnerMitchell, false, bool) \
  /* Counts. */ \
  X(PairCount, 0, int) \
  X(PairSlotCount, 0, int) \
  X(TableCount, 0, int) \
  X(ResultsPerBoard, 0, int) \
  X(BoardCount, 0, int) \
  X(BoardsPerTable, 0, int) \
  X(BoardSetCount, 0, int) \
  X(DealCount, 0, int) \
  X(RoundCount, 0, int) \
  X(RoundsScheduled, 0, int) \
  X(RoundsPlayed, 0, int) \
  X(ResultSlotCount, 0, int) \
  X(MitchellType, 0, int) /* 0, 1 skip, 2 relay */ \
  X(ResultsEntered, 0, int) \
  X(PlayersExpected, 0, int) \
  X(PlayersNamed, 0, int) \
  X(ByePairNumber, 0, int) \
  X(ByeNsPair, 0, int) \
  X(ByeEwPair, 0, int) \
  X(CurrentBoard, 0, int) \
  X(LastSheetRound, 0, int) \
  X(PlayerCount, 0, int) \
  X(PlayerChoiceCount, 0, int) \
  X(ChoiceListCount, 0, int) \
  X(FederationMovementKind, 0, int) \
  X(HerediaMovement, 0, int) \
  /* The federation exchange: whether the session database brought the deals. */ \
  X(FederationHandRecordsReceived, false, bool) \
  /* Pair slots 1..42 (names and labels are declared with 1344 entries and licences with 1000, */ \
  /* as the program always had; only 1..42 are used). */ \
  X(PairNumbers, , OneBased<int, kMaxPairs>) /* N/S k: k; E/W k: -k; 0 empty */ \
  X(PairLabels, , OneBased<QString, kMaxResultSlots>) \
  X(Player1Names, , OneBased<QString, kMaxResultSlots>) \
  X(Player2Names, , OneBased<QString, kMaxResultSlots>) \
  X(Player1Licences, , OneBased<QString, kMaxPlayers>) \
  X(Player2Licences, , OneBased<QString, kMaxPlayers>) \
  /* Per pair number 1..42, written by the ranking. */ \
  X(PairFinalScore, , OneBased<double, kMaxPairs>) \
  X(RankingOrder, , OneBased<int, kMaxPairs>) \
  X(MovementBoardsText, , OneBased<QString, kMaxResultSlots>) \
  /* Per board 1..64. */ \
  X(BoardVentilated, , OneBased<bool, kMaxBoards>) \
  X(DealDiagrams, , OneBased<QString, kMaxBoards>) /* each line ended by CR LF */ \
  /* Players 1..1000. */ \
  X(PlayerNames, , OneBased<QString, kMaxPlayers>) \
  X(PlayerFirstNames, , OneBased<QString, kMaxPlayers>) \
  X(PlayerLicences, , OneBased<QString, kMaxPlayers>) \
  X(PlayerFileLines, , OneBased<QString, kMaxPlayers>) \
  X(PlayerChoiceLines, , OneBased<QString, kMaxPlayers + 1>) /* every player plus "BYE" */ \
  X(MemberField1, , OneBased<QString, kMaxPlayers>) \
  X(MemberField2, , OneBased<QString, kMaxPlayers>) \
  X(MemberField3, , OneBased<QString, kMaxPlayers>) \
  X(ChoiceListItems, , OneBased<QString, kMaxPlayers>) \
  X(PlayersFileName, , QString) \
  /* Settings values. */ \
  X(MixingPercent, 10, int) \
  X(SavedMitchellType, 0, int) \
  X(RoundsShownCount, 2, int) \
  X(PercentagesFromRound, 9999, int) \
  X(PbnOption, 1, int) \
  X(PbnName, , QString) \
  X(DiagramFolder, , QString) \
  X(TabletPassword, , QString) \
  X(BridgeMatesPin, , QString) \
  X(NameDisplayMode, 1, int) \
  X(BmShowPlayerNames, false, bool) \
  X(BmLeadCard, false, bool) \
  X(BmValidateLeadCard, false, bool) \
  X(BmNoBlankMemberNumber, false, bool) \
  X(MembersDatLocation, , QString) \
  X(ClubFederationNumber, , QString) \
  X(FederationFolder, , QString) \
  X(FederationBwsFile, , QString) \
  X(BwsFileName, , QString) \
  X(BwsFolder, , QString) \
  X(BridgeMatesControlPath, , QString) \
  X(MovementFileName, , QString) \
  X(MovementTitle, , QString) \
  X(ArrowSwitchText, , QString) \
  /* Suit letters: spades, hearts, diamonds, clubs. */ \
  X(SuitLetters, , OneBased<QChar, 4>) \
  /* Printout and result text files of the Documents folder (full names). */ \
  X(PrintFile, , QString) \
  X(ResultsTextFile, , QString) \
  X(ResultsFTextFile, , QString) \
  X(RecapTextFile, , QString) \
  /* The shared answer of every small dialog (0 = Esc or cancel). */ \
  X(ChoiceResult, 0, int) \
  /* Deal diagrams and the movement view. */ \
  X(ChosenPbnFile, , QString) /* the PBN file picked in the chooser, "" when none */ \
  X(MovementRowCount, 0, int) /* rows in use, separators (round 0) included */ \
  X(MovementRowRound, , OneBased<int, kMaxMovementRows>) \
  X(MovementRowTable, , OneBased<int, kMaxMovementRows>) \
  X(MovementRowNs, , OneBased<int, kMaxMovementRows>) \
  X(MovementRowEw, , OneBased<int, kMaxMovementRows>) /* E/W in Mitchell numbering 1..tables */ \
  /* Table devices: the club's members program located at start-up, and the result file of the */ \
  /* tablets that failed to read at the last passes. */ \
  X(ClubMembersFile, , QString) \
  X(LastBadResultFile, , QString) \
  X(BadResultFileCount, 0, int) \
  /* The list chooser: position + 1 of the line chosen (0: none); the text typed in it, after */ \
  /* it closes the line chosen. */ \
  X(ChoiceIndex, 0, int) \
  X(TypedSearchText, , QString) \
  /* The open printout (PrintFile) between BeginTempPrintout and CloseTextFile. */ \
  X(PrintFileWriter, , platform::TextWriter) \
  /* What the windows leave behind their answer: the check box "Mémoriser ce choix" of "Type de */ \
  /* Mitchell" and the one of "Tours?" at their close; whether the table count is odd */ \
  /* (ComputeTablesAndRounds). */ \
  X(MitchellTypeRemembered, false, bool) \
  X(RoundsQuestionSilenced, false, bool) \
  X(OddTables, false, bool) \
  /* The members read by ReadMembersFile: MemberField1..3 of 1..MemberCount, and the record */ \
  /* (from 1) each came from. */ \
  X(MemberCount, 0, int) \
  X(MemberRecordIndex, , OneBased<int, kMaxPlayers>) \
  /* The pairs entry: row r of NsGrid is N/S pair r, row r of EwGrid E/W pair r; the name being */ \
  /* placed (the selected entry of the player list); a pair chosen from "PAIRES.TXT" */ \
  /* ("name/name"), placed by the next grid click. The pair changes: their own two grids (rows */ \
  /* 1..ResultsPerBoard). */ \
  X(NsGrid, , PairsGrid) \
  X(EwGrid, , PairsGrid) \
  X(PairsGridCellText, , QString) \
  X(PairChoiceText, , QString) \
  X(NsEditGrid, , PairsGrid) \
  X(EwEditGrid, , PairsGrid) \
  /* Filled by ContractParser for its callers: the normalised text of the last contract parsed */ \
  /* (the part built so far when it was refused), its declarer letter, and the last digit read */ \
  /* by ParseLevelDigit. */ \
  X(ContractTextBuilt, , QString) \
  X(DeclarerLetter, , QChar) \
  X(ContractLevel, 0, int) \
  /* The title line of a cumulative tournament, put at the head of its displays and printouts */ \
  /* ("Résultats cumulés des tournois" and the session codes). */ \
  X(CumulativeTitleLine, , QString) \
  /* The USEBIO export: the full name of the last XML file written, and the document being */ \
  /* built (emptied after each export). */ \
  X(XmlFileName, , QString) \
  X(XmlLines, , QStringList) \
  /* The director and scorer typed for the web pages, and the group caption. */ \
  X(Form77Fields, , DirectorScorerFields)

#define TALVARON_DECLARE_GLOBAL(Name, Initial, ...) inline __VA_ARGS__ Name = __VA_ARGS__{Initial};
TALVARON_GLOBALS(TALVARON_DECLARE_GLOBAL)
#undef TALVARON_DECLARE_GLOBAL

// Every global of TALVARON_GLOBALS back to its initial value: the state of a
// program just started, before InitGlobals (the tests' reset between cases).
void ResetGlobals();
