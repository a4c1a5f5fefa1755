#pragma once
// Plays the tablets' side of the exchange folder in the tests: what the
// tablet server writes as the tables enter their results and their players.
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QProcess;

namespace testing_support {

// The stand-ins of the tablets' two servers built beside the test executables.
QString BuiltTabletServerStandIn();
QString BuiltTabletCompanionStandIn();

// The tables' server built beside the tests, linked into a program folder
// (ends with "/") where the program starts it from; false when it could not be.
bool LinkBuiltTablesServer(const QString& programFolder);

// The standard Mitchell of the given tables with Mitchell numbering, pairs
// named "Nom<n>", every round played.
void MakeTabletMitchell(int tables, int boardsPerTable);
// An evening with tablets of tournament `code`: that Mitchell, the session
// files written for the tables.
void LayOutTabletEvening(const QString& code, int tables, int boardsPerTable);

// The evening's code the tests give the tables' server (the tablets'
// password being the built-in one, the tables join with it).
inline constexpr char kTablesCode[] = "318406";

// The tables' server built beside the tests and benchmarks, started on
// 127.0.0.1 and a free port on an exchange folder, with kTablesCode;
// stopped by SIGKILL, at the latest when this ends.
class TablesServerProcess {
 public:
  // copy: where to run a copy of the executable under a name of its own,
  // beyond the reach of a program's quit that stops the servers by name.
  explicit TablesServerProcess(const QString& exchange, const QString& copy = {});
  ~TablesServerProcess();
  TablesServerProcess(const TablesServerProcess&) = delete;
  TablesServerProcess& operator=(const TablesServerProcess&) = delete;
  void kill();
  // SIGTERM; true when the server ended within ms.
  bool terminate(int ms);
  int port() const { return port_; }  // 0 when it did not start
  qint64 processId() const;           // 0 once it has ended

 private:
  std::unique_ptr<QProcess> process_;
  int port_ = 0;
};

class TabletTables {
 public:
  // A result file "REST<n>.TXT" in the table's folder: "<table> 1 0 <board>
  // <round> <ns> <ew> <text>", the E/W number as the tablets number it.
  // Returns the file's full name.
  QString enterResult(int table, int board, int round, int ns, int ew, const QString& text);
  // "PLAYERS.TXT" of the table: the four entries N, S, E, O joined by "@".
  void enterPlayers(int table, const QStringList& entries);
  // A result for every slot a table plays (both pairs real, round played),
  // its text given by textOf(slot); the number of files written.
  int playEveryTable(const std::function<QString(int slot)>& textOf);
  // The result files not yet collected at the table.
  QStringList pendingResults(int table) const;

 private:
  int next_ = 0;
};

}  // namespace testing_support
