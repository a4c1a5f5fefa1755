#pragma once
// What the tables' server answers, without the network: each call takes the
// request's JSON (and the device's token) and gives the HTTP status and the
// JSON answer. Safe to call from several threads at once: the holders of the
// tables and the failed passwords are guarded, and the files of one table are
// written one request at a time.
#include "TablesFiles.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <QDateTime>

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace tables {

struct Reply {
  int status = 200;
  QJsonObject body;
};

// The error answer: {"error": code, "message": text}.
Reply ErrorReply(int status, const QString& code, const QString& message);

// The address a limit counts a device by: an IPv4 address as it is, an IPv6
// one by its /64 network (a device picks any address of its network's /64).
QString AddressGroup(const QString& peer);

class TablesService {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  // exchange: the tablets' exchange folder; programFolder: where
  // "DemanderEntame.TXT" asks for the leads ("" never). The evening's code
  // comes from TALVARON_TABLES_CODE: while the tablets' password is the
  // program's built-in one or empty, only that code joins.
  TablesService(QString exchange, QString programFolder, Clock clock = {});

  // peer: the device's address; device: how the director reads it
  // ("Android Chrome 192.168.1.23").
  Reply join(const QJsonObject& body, const QString& peer, const QString& device = {});
  // The refusal of a request's token, judged before its body is read; a
  // valid token's device is known by that description from then on.
  std::optional<Reply> checkCaller(const QString& token, const QString& device);
  // The device's choice of a table (or its taking over): the only way a
  // device comes to hold one, and it holds one at a time.
  Reply claim(const QString& token, const QJsonObject& body);
  Reply state(const QString& token, int table);
  // One player of the club's list, by licence or by name, for the table the
  // device holds: never the list, and no more look-ups than a table needs.
  Reply findPlayers(const QString& token, int table, const QString& licence, const QString& name);
  Reply sendPlayers(const QString& token, const QJsonObject& body);
  Reply score(const QString& token, const QJsonObject& body);
  Reply result(const QString& token, const QJsonObject& body);
  Reply ranking(const QString& token);
  Reply deals(const QString& token, int table);

  // Failed passwords allowed in a row before the waits start, and the
  // longest wait.
  static constexpr int kFreeFailures = 3;
  static constexpr int kLongestWaitSeconds = 60;
  // Failed passwords from all addresses together in a minute, beyond which
  // every address that has used its free failures waits.
  static constexpr int kServerFailuresPerMinute = 20;
  // A device changes table (chooses one or takes one over) at most so many
  // times in so many minutes; a table taken over is not taken over again
  // within kTakeoverRestSeconds.
  static constexpr int kTableChangesPerDevice = 5;
  static constexpr int kTableChangeMinutes = 10;
  static constexpr int kTakeoverRestSeconds = 30;
  // Players looked up for a table (by its page or in the players it sends):
  // so many at once, then one more every kLookUpEverySeconds.
  static constexpr int kLookUpsAtOnce = 20;
  static constexpr int kLookUpEverySeconds = 30;

 private:
  // The evening as the session files give it, read again whenever
  // "PREFS.TXT" is another file.
  struct Session {
    QByteArray stamp;  // the file's identity: device, inode, size, time
    Prefs prefs;
    QByteArray key;    // the tokens' key, a hash of the file and its identity
  };
  struct Failures {
    int count = 0;
    std::chrono::steady_clock::time_point until;
    std::chrono::steady_clock::time_point last;
  };
  struct Holder {
    QString device;
    QDateTime since;
  };
  // A result this server wrote, remembered until the program's echo catches
  // up: the program takes the result file away before it writes the echo,
  // and in between the board must not look as it was before.
  struct Written {
    QString text;
    QString value;
    QByteArray echoStamp;  // the echo file as last seen while this result waits
    QStringList earlier;   // results written before it, taken and not echoed yet, oldest first
    std::optional<std::chrono::steady_clock::time_point> goneSince;
  };
  // One table's round and board as the movement gives them.
  struct Seat {
    int round = 0;
    int ns = 0;
    int ew = 0;
  };

  std::optional<Session> session();
  // The device of a valid token, or the error to answer.
  std::optional<Reply> checkToken(const QString& token, Session& s, QString& device);
  // The device holds the table; else the error.
  std::optional<Reply> checkTable(const Session& s, const QString& device, int table);
  // A table the evening does not have: the error.
  std::optional<Reply> unknownTable(const Session& s, int table);
  // The wait before the device may change table again, else nothing
  // (mutex_ held).
  std::optional<std::chrono::seconds> tableChangeWait(const QString& device, std::chrono::steady_clock::time_point now);
  // One look-up more for the table, or the wait before the next one.
  std::optional<std::chrono::seconds> lookUpWait(int table);
  // The players' list, indexed again only when its file changed.
  std::shared_ptr<const PlayersIndex> playersIndex();
  std::optional<Reply> authorise(const QString& token, int table, Session& s, QString& device);
  // A table's movement, read again only when its file changed.
  std::vector<MovementLine> movementOf(int table);
  std::optional<Seat> seatOfBoard(int table, int round, int board);
  QJsonObject boardState(int table, int board);
  // The lead the program holds for the board's result at the table: its
  // echo's, or its board file's; nothing when neither tells.
  std::optional<QString> heldLead(int table, int board);
  // The split of an arbitral score of the board's frequency, from the echo.
  void splitOf(int board, FrequencyRow& row);
  // Where a pair sits in a round: {"table", "direction", "sitOut"}, or null.
  static QJsonValue whereNext(int pair, int round, const std::vector<std::vector<MovementLine>>& movements,
                              const std::vector<ByeLine>& byes);
  bool leadsAsked() const;
  std::mutex& tableLock(int table);
  // The device's description for the director (mutex_ held).
  QString describe(const QString& device) const;
  // "APPAREILS.TXT" rewritten from the holders (mutex_ held).
  void writeHolders();
  std::optional<Reply> waitBeforeGuessing(const QString& key, std::chrono::steady_clock::time_point now);

  ExchangeFolder folder_;
  QString programFolder_;
  Clock clock_;
  QString code_;

  std::mutex mutex_;  // guards what follows
  std::optional<Session> session_;
  std::map<int, Holder> holders_;
  std::map<QString, std::deque<std::chrono::steady_clock::time_point>> tableChanges_;  // by device, the latest
  std::map<int, std::chrono::steady_clock::time_point> takenOver_;                      // by table, the last time
  struct LookUps {
    int left = kLookUpsAtOnce;
    std::chrono::steady_clock::time_point counted;  // the last one given back counts from here
  };
  std::map<int, LookUps> lookUps_;  // by table
  std::map<QString, QString> devices_;  // a device's description, by its identity
  std::map<QString, Failures> failures_;
  std::deque<std::chrono::steady_clock::time_point> serverFailures_;
  std::map<std::pair<int, int>, Written> written_;
  struct Movement {
    QByteArray stamp;  // the file as it was read ("" missing)
    std::vector<MovementLine> lines;
  };
  std::map<int, Movement> movements_;  // by table
  std::map<int, std::unique_ptr<std::mutex>> tableLocks_;
  // The tables whose players this server wrote, by the evening's key: the
  // program takes "PLAYERS.TXT" away before it writes the names back, and
  // the table must not be asked for its players again meanwhile.
  std::map<int, QByteArray> playersSent_;

  std::mutex playersMutex_;  // one request indexes the list, the others wait for it
  struct IndexedList {
    QString path;
    QByteArray stamp;  // the file's identity when it was indexed
    std::shared_ptr<const PlayersIndex> index;
  };
  IndexedList players_;
};

}  // namespace tables
