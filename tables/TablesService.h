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

#include <chrono>
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

class TablesService {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  // exchange: the tablets' exchange folder; programFolder: where
  // "DemanderEntame.TXT" asks for the leads ("" never).
  TablesService(QString exchange, QString programFolder, Clock clock = {});

  Reply join(const QJsonObject& body, const QString& peer);
  Reply claim(const QString& token, const QJsonObject& body);
  Reply state(const QString& token, int table);
  Reply playersList(const QString& token);
  Reply sendPlayers(const QString& token, const QJsonObject& body);
  Reply score(const QString& token, const QJsonObject& body);
  Reply result(const QString& token, const QJsonObject& body);
  Reply ranking(const QString& token);
  Reply deals(const QString& token, int table);

  // Failed passwords allowed in a row before the waits start, and the
  // longest wait.
  static constexpr int kFreeFailures = 3;
  static constexpr int kLongestWaitSeconds = 60;

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
  // The device holds the table, taking it when nobody does; else the error.
  std::optional<Reply> checkTable(const Session& s, const QString& device, int table);
  std::optional<Reply> authorise(const QString& token, int table, Session& s, QString& device);
  std::optional<Seat> seatOfBoard(int table, int round, int board);
  QJsonObject boardState(int table, int board);
  // The split of an arbitral score of the board's frequency, from the echo.
  void splitOf(int board, FrequencyRow& row);
  // Where a pair sits in a round: {"table", "direction", "sitOut"}, or null.
  static QJsonValue whereNext(int pair, int round, const std::vector<std::vector<MovementLine>>& movements,
                              const std::vector<ByeLine>& byes);
  bool leadsAsked() const;
  std::mutex& tableLock(int table);

  ExchangeFolder folder_;
  QString programFolder_;
  Clock clock_;

  std::mutex mutex_;  // guards what follows
  std::optional<Session> session_;
  std::map<int, QString> holders_;
  std::map<QString, Failures> failures_;
  std::map<int, std::unique_ptr<std::mutex>> tableLocks_;
  // The tables whose players this server wrote, by the evening's key: the
  // program takes "PLAYERS.TXT" away before it writes the names back, and
  // the table must not be asked for its players again meanwhile.
  std::map<int, QByteArray> playersSent_;
};

}  // namespace tables
