#pragma once
// The name of every window of the program, written once. A routine asks
// through ui::Interaction with one of these (Choice::form, ShowNotice); a
// window registers itself, and names itself, with the same constant.
// Written by a script from the table of names: the constants are in the
// windows' order, and askedByRoutines lists the forms the routines
// (the files outside the ui folders) ask for, each of which must have a
// registered window (checked at start in the debug build and by a test).
#include <QLatin1String>

namespace forms {

inline constexpr QLatin1String StartScreen{"TForm1"};
inline constexpr QLatin1String NewTournamentParameters{"TForm2"};
inline constexpr QLatin1String ExistingTournament{"TForm3"};
inline constexpr QLatin1String PairsEntry{"TForm4"};
inline constexpr QLatin1String TournamentMenu{"TForm5"};
inline constexpr QLatin1String RoundsPlayed{"TForm6"};
inline constexpr QLatin1String MitchellBoards{"TForm7"};
inline constexpr QLatin1String MitchellType{"TForm8"};
inline constexpr QLatin1String MovementKind{"TForm9"};
inline constexpr QLatin1String BoardsPerTable{"TForm10"};
inline constexpr QLatin1String PairCount{"TForm11"};
inline constexpr QLatin1String MissingResults{"TForm15"};
inline constexpr QLatin1String ShownResultsLayout{"TForm16"};
inline constexpr QLatin1String Results{"TForm17"};
inline constexpr QLatin1String PrintedResultsLayout{"TForm18"};
inline constexpr QLatin1String PrintedResultsInfo{"TForm19"};
inline constexpr QLatin1String AdjustmentsPrinting{"TForm21"};
inline constexpr QLatin1String ComputationWarnings{"TForm22"};
inline constexpr QLatin1String FrequencySheetsScope{"TForm23"};
inline constexpr QLatin1String FrequencySheetsForm{"TForm24"};
inline constexpr QLatin1String NumberQuestion{"TForm25"};
inline constexpr QLatin1String Message{"TForm26"};
inline constexpr QLatin1String PairChanges{"TForm28"};
inline constexpr QLatin1String PairRecapsOutput{"TForm29"};
inline constexpr QLatin1String Adjustments{"TForm31"};
inline constexpr QLatin1String AdjustedPair{"TForm32"};
inline constexpr QLatin1String AdjustmentsListing{"TForm33"};
inline constexpr QLatin1String AdjustmentErasure{"TForm34"};
inline constexpr QLatin1String MatchpointPenalties{"TForm36"};
inline constexpr QLatin1String ImpPenalties{"TForm37"};
inline constexpr QLatin1String TeamNames{"TForm38"};
inline constexpr QLatin1String TextQuestion{"TForm40"};
inline constexpr QLatin1String PrintedPairRecaps{"TForm42"};
inline constexpr QLatin1String PairRecap{"TForm43"};
inline constexpr QLatin1String GeneralOptions{"TForm45"};
inline constexpr QLatin1String CumulativeEnd{"TForm46"};
inline constexpr QLatin1String SplitFrequenciesOption{"TForm47"};
inline constexpr QLatin1String MixingOption{"TForm48"};
inline constexpr QLatin1String SkipOption{"TForm49"};
inline constexpr QLatin1String ComputationOption{"TForm50"};
inline constexpr QLatin1String ResultsFolderOption{"TForm51"};
inline constexpr QLatin1String DisplayOrderOption{"TForm52"};
inline constexpr QLatin1String TravellerEntry{"TForm56"};
inline constexpr QLatin1String PairChangesHelp{"TForm57"};
inline constexpr QLatin1String TableSheetEntry{"TForm58"};
inline constexpr QLatin1String QuitConfirmation{"TForm59"};
inline constexpr QLatin1String ScoreConfirmation{"TForm60"};
inline constexpr QLatin1String SkipReminderBefore{"TForm62"};
inline constexpr QLatin1String SkipReminderAfter{"TForm63"};
inline constexpr QLatin1String Diagrams{"TForm64"};
inline constexpr QLatin1String MovementFileChoice{"TForm65"};
inline constexpr QLatin1String CollectionPause{"TForm66"};
inline constexpr QLatin1String TabletNamesInfo{"TForm67"};
inline constexpr QLatin1String EvenMitchellOption{"TForm69"};
inline constexpr QLatin1String EraseNameQuestion{"TForm70"};
inline constexpr QLatin1String ByePair{"TForm71"};
inline constexpr QLatin1String ClubLicence{"TForm72"};
inline constexpr QLatin1String MovementView{"TForm73"};
inline constexpr QLatin1String FederationParameters{"TForm75"};
inline constexpr QLatin1String FrequencyAdjustments{"TForm76"};
inline constexpr QLatin1String WebPageDirector{"TForm77"};
inline constexpr QLatin1String SavedTournamentReplace{"TForm78"};
inline constexpr QLatin1String XmlRankingLayout{"TForm79"};
inline constexpr QLatin1String XmlUploadOffer{"TForm80"};
inline constexpr QLatin1String ReloadedTournamentParameters{"TForm81"};
inline constexpr QLatin1String ListChoice{"TForm82"};
inline constexpr QLatin1String TournamentChoice{"TForm83"};
inline constexpr QLatin1String PairsEntryHelp{"TForm84"};
inline constexpr QLatin1String PbnFileChoice{"TForm85"};
inline constexpr QLatin1String BridgeMatesNamesInfo{"TForm86"};
inline constexpr QLatin1String BridgeWebsFunctions{"TForm87"};
inline constexpr QLatin1String PbnDealsNotice{"TForm88"};
inline constexpr QLatin1String BridgeMatesAdjustments{"TForm89"};
inline constexpr QLatin1String ArrowSwitchReminder{"TForm90"};
inline constexpr QLatin1String YesNoQuestion{"TForm91"};
inline constexpr QLatin1String PbnFolder{"TForm92"};
inline constexpr QLatin1String BridgeMatesSettings{"TForm93"};
inline constexpr QLatin1String TabletPassword{"TForm94"};
inline constexpr QLatin1String ProgramSearchNotice{"TForm95"};
inline constexpr QLatin1String ByePosition{"TForm96"};
inline constexpr QLatin1String BridgeMatesFirstUse{"TForm97"};
inline constexpr QLatin1String OpeningLead{"TForm98"};
inline constexpr QLatin1String OpeningLeadHelp{"TForm99"};
inline constexpr QLatin1String MemberList{"TForm100"};
inline constexpr QLatin1String MemberAdd{"TForm101"};
inline constexpr QLatin1String MemberEdit{"TForm102"};
inline constexpr QLatin1String NoInternet{"TForm103"};
inline constexpr QLatin1String BridgeMatesSettingsHelp{"TForm104"};
inline constexpr QLatin1String ScorerNamesHelp{"TForm105"};
inline constexpr QLatin1String PbnHelp{"TForm106"};
inline constexpr QLatin1String DiagramOptions{"TForm107"};
inline constexpr QLatin1String UnfinishedTournamentWarning{"TForm108"};
inline constexpr QLatin1String CorrectionNote{"TForm109"};
inline constexpr QLatin1String BackupWait{"TForm110"};
inline constexpr QLatin1String MembersFile{"TForm111"};
inline constexpr QLatin1String TableStatusStrip{"TForm112"};
inline constexpr QLatin1String PageBreak{"TForm113"};
inline constexpr QLatin1String CriticalMessage{"TForm114"};

// The forms the routines ask for.
inline constexpr QLatin1String askedByRoutines[] = {
    ExistingTournament,
    RoundsPlayed,
    MitchellBoards,
    MitchellType,
    MovementKind,
    BoardsPerTable,
    PairCount,
    MissingResults,
    ShownResultsLayout,
    PrintedResultsLayout,
    PrintedResultsInfo,
    AdjustmentsPrinting,
    ComputationWarnings,
    FrequencySheetsScope,
    FrequencySheetsForm,
    NumberQuestion,
    PairRecapsOutput,
    Adjustments,
    AdjustedPair,
    AdjustmentsListing,
    AdjustmentErasure,
    MatchpointPenalties,
    ImpPenalties,
    TextQuestion,
    PrintedPairRecaps,
    GeneralOptions,
    SplitFrequenciesOption,
    MixingOption,
    SkipOption,
    ComputationOption,
    ResultsFolderOption,
    DisplayOrderOption,
    QuitConfirmation,
    ScoreConfirmation,
    SkipReminderBefore,
    SkipReminderAfter,
    Diagrams,
    MovementFileChoice,
    CollectionPause,
    TabletNamesInfo,
    EvenMitchellOption,
    EraseNameQuestion,
    ByePair,
    ClubLicence,
    FrequencyAdjustments,
    WebPageDirector,
    SavedTournamentReplace,
    XmlRankingLayout,
    XmlUploadOffer,
    ReloadedTournamentParameters,
    ListChoice,
    TournamentChoice,
    PbnFileChoice,
    BridgeMatesNamesInfo,
    BridgeWebsFunctions,
    PbnDealsNotice,
    BridgeMatesAdjustments,
    YesNoQuestion,
    BridgeMatesSettings,
    TabletPassword,
    ProgramSearchNotice,
    ByePosition,
    BridgeMatesFirstUse,
    OpeningLead,
    MemberList,
    NoInternet,
    DiagramOptions,
    UnfinishedTournamentWarning,
    CorrectionNote,
    BackupWait,
    MembersFile,
    PageBreak,
    CriticalMessage,
};

}  // namespace forms
