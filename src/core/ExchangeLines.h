#pragma once
// The lines of the files the program and the tables' server pass each other
// through the tablets' exchange folder, each written and read here only, so
// that both sides agree on every field. A writer gives the line (no line
// end); a reader takes one line and gives nothing for a line that is not one
// of its file. Fields are read by their place: what follows the last field
// a reader knows is left alone, so a field added at the end of a line is
// never taken for another one.
#include "core/SlotResult.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace exchange {

// ---- The evening's preferences ("PREFS.TXT")

// One line of 18 fields separated by one blank, in this order; yes/no as
// "Y"/"N"; the password last, as it is (it may hold blanks or be empty).
struct Prefs {
  int roundsPlayed = 0;
  int dealCount = 0;
  int tableCount = 0;
  int boardsPerTable = 0;
  QChar movement;  // "P" Patton, "M" Mitchell numbering, "H" otherwise
  int mitchellType = 0;
  bool byePresent = false;
  int byeNsPair = 0;
  int byeEwPair = 0;
  bool federationMode = false;
  bool pairsEntered = true;
  int roundsShown = 0;
  int percentagesFromRound = 0;
  bool enterDealsAtTable = false;
  bool heredia = false;
  int federationMovementKind = 0;
  QChar screen;  // "S" small screens, "Y" pocket screens, "N" neither
  QString password;
  bool mitchellNumbering() const { return movement == QLatin1Char('M'); }
  bool operator==(const Prefs&) const = default;
};
QString PrefsLine(const Prefs& prefs);
// Nothing when a field is missing, one of the first four is not a whole
// number, the movement is not one letter, or the tables or boards are more
// than the program ever plays. The other numbers read 0 when bad; a yes is
// "Y", but the pairs are entered unless "N".
std::optional<Prefs> ParsePrefsLine(const QString& line);

// ---- The movement of each table ("MVT.TXT") and the sit-out list ("BYE.TXT")

// One line of a table's movement: round, table, N/S pair, E/W pair, board
// set. A round where only one pair sits at the table is the round and four
// zeros ("r 0  0  0  0"); a round against the BYE has 0 for the BYE's side.
struct MovementLine {
  int round = 0;
  int table = 0;
  int ns = 0;
  int ew = 0;
  int boardSet = 0;
  bool operator==(const MovementLine&) const = default;
};
QString MovementLineText(const MovementLine& line);
// The lines of a movement; a line with a number missing or bad, or beyond
// any movement the program makes, is left out, and at most 42 are read.
std::vector<MovementLine> ParseMovement(const QStringList& lines);

// One line of the sit-out list: round, table, board, N/S pair, E/W pair (0
// for the side that is empty or the BYE).
struct ByeLine {
  int round = 0;
  int table = 0;
  int board = 0;
  int ns = 0;
  int ew = 0;
  bool operator==(const ByeLine&) const = default;
};
QString ByeLineText(const ByeLine& line);
// A line with a number missing or bad is left out.
std::vector<ByeLine> ParseByeList(const QStringList& lines);

// ---- A table's result for one board: the text of a result file ("REST<n>.TXT")

enum class ResultKind { None, Contract, Pass, NotPlayed, Average, Arbitral, Split, Delete };
// What the table sent, and the result itself as the slots keep it: the
// declarer's letter (N, E, S or O from a table), the contract as the
// contract routine writes it ("4PN="), the lead ("?" when not given), a
// split's percentages. The score is the desk's to work out.
struct TableResult {
  ResultKind kind = ResultKind::Contract;
  SlotResult result;
  bool operator==(const TableResult&) const = default;
};
// The result without its lead: "N 4PN=", "PASSE", "NOT PLAYED", "MOY", "AJU",
// "60 - 40"; "" for a deletion or no result.
QString ResultValue(const TableResult& result);
// The text a result file carries: the value with the lead after a blank, or
// "<declarer> DELETE" for a deletion ("N DELETE" without a declarer).
QString ResultText(const TableResult& result);
// A result file's text read, upper-cased and trimmed: "MOY", "AJU", "NOT
// PLAYED", "PASSE", a split "<a> - <b>" (a percentage that is not a whole
// number 0..100 reads 50), else the declarer, a blank, the contract, and
// the lead as the next word ("DELETE" as the contract is a deletion). An
// empty text, or a declarer without a contract, is no result (None).
TableResult ReadResultText(const QString& text);

// The line of a result file: table, "1", "0", board, round, N/S, E/W (as the
// movement numbers them), then the result's text (ResultText).
struct ResultFileRecord {
  int table = 0;
  int board = 0;
  int round = 0;
  int ns = 0;
  int ew = 0;
  QString text;  // as it stands after the seven numbers
  TableResult result;
};
QString ResultFileLine(int table, int board, int round, int ns, int ew, const QString& text);
// Nothing when one of the seven numbers is missing or not a whole number.
std::optional<ResultFileRecord> ParseResultFileLine(const QString& line);

// ---- A result the program sends to a table ("RESS<n>.TXT", "RESX<n>.TXT")

// table, "1", the marker (999 a board's line, k a BridgeMates echo, 0 the
// export's rewrite), board, round, N/S, E/W, the declarer (may be empty, or
// "declarant" in a deletion), the contract ("4PN=", "PASSE", "NOT PLAYED",
// "60 - 40", "DELETE", may be empty), then the lead, or "Entame=?" when the
// line does not carry one.
struct EchoLine {
  int table = 0;
  int marker = 0;
  int board = 0;
  int round = 0;
  int ns = 0;
  int ew = 0;
  QString declarer;
  QString contract;
  std::optional<QString> lead;  // nothing: "Entame=?"
  bool operator==(const EchoLine&) const = default;
};
QString EchoLineText(const EchoLine& echo);
// Nothing when a number is missing or bad, or the lead's field is missing.
std::optional<EchoLine> ParseEchoLine(const QString& line);
// The director's deletion of a board's result.
bool IsDeleteEcho(const EchoLine& echo);

// ---- The players a table sends ("PLAYERS.TXT")

// "<N>@<S>@<E>@<O>", each seat "<licence>&<name>", the name alone, or
// "*** Pas rempli ***" for nobody.
struct SeatEntry {
  QString licence;
  QString name;
};
QString PlayersFileLine(const std::array<SeatEntry, 4>& seats);
// The four seats' entries as sent, North, South, East, West: "" for a seat
// missing from the line; the South, East and West entries keep at most 100
// characters. What follows a fifth "@" is no seat's.
std::array<QString, 4> ParsePlayersFileLine(const QString& line);

// ---- A board's frequency ("DONNE<n>.TXT")

// "Donne <n>", a blank line, then one row per result: the contract, "/" and
// the declarer (but for a score of 0), the N/S score, the N/S pair and its
// percentage, the E/W pair and its percentage, the lead (but for a score of
// 0); "--" for what an average or an adjusted score lacks. A board without
// a result may end with "Aucun résultat introduit".
struct FrequencyRow {
  QString contract;
  QString declarer;
  std::optional<int> score;
  int ns = 0;
  std::optional<int> nsPercent;
  int ew = 0;
  std::optional<int> ewPercent;
  QString lead;  // "" for a passed board or none
  bool operator==(const FrequencyRow&) const = default;
};
// The whole file, lines ended by CR LF; noResult adds the line that says so.
QString BoardFileContent(int board, const std::vector<FrequencyRow>& rows, bool noResult);
// The rows of the file; a row of fewer than six fields, or whose pairs are
// not numbers, is left out.
std::vector<FrequencyRow> ParseBoardFile(const QStringList& lines);

// ---- Who holds which table ("APPAREILS.TXT", UTF-8, written by the server)

// "<table>\t<device>\t<HH:MM:SS since>".
struct TableHolder {
  int table = 0;
  QString device;
  QString since;
  bool operator==(const TableHolder&) const = default;
};
QString TableHolderLine(const TableHolder& holder);
// Nothing when the table is not a number 1..21, the device is blank or the
// time is not HH:MM:SS.
std::optional<TableHolder> ParseTableHolderLine(const QString& line);

// ---- The ranking ("RESULTS.TXT", "RESULTSF.TXT")

// With table devices the fields are separated by sep "$" and the tables read
// them; the copy for the home folder has no separator. A row: place, pair,
// a blank and the name, the score (each as the ranking formats it); a list's
// title line: two separators and the title; a team's second line: two
// separators, a blank and its second pair's name. A separator inside a name
// is written as a blank.
struct RankingRow {
  QString place;
  QString pair;
  QString name;
  QString score;
  bool operator==(const RankingRow&) const = default;
};
struct RankingList {
  QString title;
  std::vector<RankingRow> rows;
  bool operator==(const RankingList&) const = default;
};
QString RankingRowLine(const RankingRow& row, const QString& sep);
QString RankingTitleLine(const QString& title, const QString& sep);
QString RankingSecondLine(const QString& name, const QString& sep);
// The lists of a file written with "$": each with its title (none in a
// Howell), every field trimmed; a team's second line joined to its row's
// name after " / ". Blank lines and lines of fewer than four fields (the
// placeholder before the first computation) are left out.
std::vector<RankingList> ParseRankingFile(const QStringList& lines);

// ---- A board the director settled at a table ("ARBITRE<n>.TXT")

// The program writes it while the director holds the board: a file that
// reads as his result settles the board for the tables' server (it takes
// nothing more for it from the table) and for the program (which keeps what
// the table sends for him). One line, his result in the players' words:
// "Score arbitral 37,5 % – 0 %" (each percentage to two decimals at most,
// after a comma), "Moyenne", the declarer and the contract ("N 4PN="), the
// contract alone ("PASSE", or no declarer known), the N/S points of a result
// without a contract ("-620"), or "Résultat effacé par l'arbitre".
// The result is the slot's (core/SlotResult.h): its score says which form
// (kScoreNone erased, kScoreAdjusted with its percentages, kScoreAverage,
// points when it has no contract, else a contract).
QString SettledResultLine(const SlotResult& result);
// The file's first line read back as that result (a contract with its
// declarer when the line gives one, else with none, and a score of 0: the
// file does not say it); what follows it is left alone. Nothing when the
// file is empty or its first line is none of the forms above.
std::optional<SlotResult> ParseSettledBoardFile(const QStringList& lines);
// The most either side reads of it.
inline constexpr qsizetype kSettledBoardFileBytes = 4096;

// ---- The club's players' list (kPlayersListFile or kOldPlayersListFile)

// One player a line, free text. From the first "\" on, a note; the line's
// digits are the licence number; the rest is the name ("£" read as a blank,
// blanks collapsed), where a ":" (else a "#") separates the surname from the
// first name. The program keeps it in its folder and copies it to the
// exchange folder for the tables' server.
struct ListedPlayer {
  QString licence;      // "" when the line has no digit
  QString name;         // "MARTIN Anne Marie": the separator read as one blank
  QString firstName{};  // after the separator (at most 100 characters), else the name's last word
  // With a separator: the surname, a blank and the first name as they stand
  // around it; the program keeps the line as this, a blank and the licence.
  // "" without a separator.
  QString separated{};
  bool operator==(const ListedPlayer&) const = default;
};
// Nothing for a line without a name, or whose separator has no first name
// after it.
std::optional<ListedPlayer> ParsePlayersListLine(const QString& line);
// The copy for the tables' server: the lines, those holding "BYE" (the
// sit-out's place) left out, joined by CR LF (no line end after the last).
QString PlayersListCopy(const QStringList& lines);
// The players of the copy: lines holding "BYE" and lines that are no player
// left out.
std::vector<ListedPlayer> ParsePlayersList(const QStringList& lines);

}  // namespace exchange
