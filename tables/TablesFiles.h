#pragma once
// The tablets' exchange folder as the tables' server sees it: the session
// files the program writes when a tablets tournament starts (preferences,
// movement of each table, sit-out list), what it sends back (each board's
// echo, the boards' frequencies, the ranking, the deals), and the two files
// the server writes for the program (one result file per board, the table's
// players). The lines the program writes or reads too have one writer and
// one reader in core/ExchangeLines.h, named here for the server. Readers
// take the lines of a file and never fail: a bad line is left out. Writers
// go through the atomic writer.
#include "core/DealDiagrams.h"
#include "core/ExchangeLines.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace tables {

// The preferences "PREFS.TXT".
using exchange::ParsePrefsLine;
using exchange::Prefs;

// A table's movement "MVT.TXT" and the sit-out list "BYE.TXT".
using exchange::ByeLine;
using exchange::MovementLine;
using exchange::ParseByeList;
using exchange::ParseMovement;

// A result line the program sends to a table ("RESS<n>.TXT", "RESX<n>.TXT")
// and a table's result file ("REST<n>.TXT").
using exchange::EchoLine;
using exchange::ParseEchoLine;
using exchange::ParseResultFileLine;
using exchange::ReadResultText;
using exchange::ResultFileLine;
using exchange::ResultKind;
using exchange::ResultText;
using exchange::ResultValue;
using exchange::TableResult;

// One result of a board's frequency file "DONNE<n>.TXT".
using exchange::FrequencyRow;
using exchange::ParseBoardFile;

// The ranking the program writes for the tables ("RESULTS.TXT").
using exchange::ParseRankingFile;
using exchange::RankingList;
using exchange::RankingRow;

// A deal diagram "S<n>.TXT": the four hands North, South, East, West, each
// as its spades, hearts, diamonds and clubs ranks. Nothing when the file is
// not a diagram.
using Hand = std::array<QString, 4>;
using ::ParseDiagram;  // core/DealDiagrams.h, beside the diagram's writer

// The club's players' list as the program copies it to the exchange folder.
using exchange::ListedPlayer;
using exchange::ParsePlayersList;
// The players' list indexed once, for the tables' look-ups.
class PlayersIndex {
 public:
  explicit PlayersIndex(const std::vector<ListedPlayer>& players);
  // The listed player a table means: by the licence when one is typed
  // (leading zeros left out of the comparison), else by the name compared
  // without regard to case, accents or extra blanks. Nothing when no one, or
  // more than one, answers.
  std::optional<ListedPlayer> find(const QString& licence, const QString& name) const;

 private:
  // Nothing where two different players answer to one key.
  using Entries = QHash<QString, std::optional<ListedPlayer>>;
  static void add(Entries& entries, const QString& key, const ListedPlayer& player);
  static std::optional<ListedPlayer> lookUp(const Entries& entries, const QString& key);
  Entries byLicence_;
  Entries byName_;
};

// The value of a result text read back ("N 4PN= RC" gives "N 4PN=").
QString ValueOfResultText(const QString& text);
// The value of an echo: "" when it deletes the board's result.
QString ValueOfEcho(const EchoLine& echo);

// A lead: the rank (A, R, D, V, 10, 9 .. 2, or x) then the suit (P, C, K,
// T), in either case; the card as the program writes it, or nothing.
std::optional<QString> NormalisedLead(const QString& text);

// One seat of "PLAYERS.TXT" and the file's line.
using exchange::PlayersFileLine;
using exchange::SeatEntry;

// Where the files are, from the exchange folder's path.
class ExchangeFolder {
 public:
  explicit ExchangeFolder(QString root) : root_(std::move(root)) {}
  const QString& root() const { return root_; }
  QString seriesFolder() const;
  QString tableFolder(int table) const;
  QString prefsFile() const;
  QString movementFile(int table) const;
  QString byeFile() const;
  QString echoFile(int table, int board) const;   // "RESX<board>.TXT"
  QString resultFile(int table, int board) const;  // "REST<board>.TXT"
  QString playersFile(int table) const;            // "PLAYERS.TXT"
  QString settledFile(int table, int board) const; // "ARBITRE<board>.TXT"
  QString boardFile(int board) const;              // "DONNE<board>.TXT"
  QString rankingFile() const;                     // "RESULTS.TXT"
  QString diagramFile(int board) const;            // "Diagrammes/S<board>.TXT"
  QString analysisFile() const;                    // "Diagrammes/DOUBLEMORT.TXT" (core/DealAnalyses.h)
  QString holdersFile() const;                     // "APPAREILS.TXT": who holds which table
  QString takeoverLog() const;                     // "REPRISES.LOG"
  // The pair-name file of a pair, by its number as the movement gives it.
  QString pairNameFile(int pair, bool eastWest, const Prefs& prefs) const;
  // The players' list ("FICHIER.TXT" or "JOUEURS.TXT"), or "".
  QString playersListFile() const;

 private:
  QString root_;
};

// The lines of a small file of the exchange folder (found without regard to
// case, a regular file only, at most maxBytes): nothing when missing or
// unreadable.
std::optional<QStringList> ReadExchangeLines(const QString& path, qsizetype maxBytes = 65536);
// The whole file as one text with no line end ("" when missing).
QString ReadExchangeText(const QString& path);

// Rewrites path with the line and a line end, through the atomic writer
// (temporary file, flushed, renamed); throws platform::IoError. Safe from
// several threads.
void WriteExchangeLine(const QString& path, const QString& line);

}  // namespace tables
