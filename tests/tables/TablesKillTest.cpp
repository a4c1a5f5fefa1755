// The real tables' server, on the loopback address only: killed while the
// tables send, then started again; the pages send again what they are not
// sure of, and the program takes every result exactly once.
#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "platform/FolderIndex.h"
#include "support/devices/TablesClient.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

using testing_support::readBytes;

namespace {

// One result a table sends: where, and the request's body.
struct Sent {
  int table = 0;
  int board = 0;
  std::string body;
  QByteArray fileBytes;  // what the result file holds once written
};

std::string json(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(); }

QJsonObject parse(const testing_support::HttpReply& r) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(r.body)).object();
}

}  // namespace

class TablesKillTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    PairsEntered = true;
    testing_support::LayOutTabletEvening("KILL", 3, 2);  // 18 results
    WritePairNameFiles();
  }

  // Every result of the evening, from the tables' states.
  std::vector<Sent> evening(int port, const std::string (&tokens)[4], int variant) {
    std::vector<Sent> all;
    const char* seats[4] = {"N", "E", "S", "O"};
    for (int t = 1; t <= 3; ++t) {
      const QJsonObject state =
          parse(testing_support::GetTables(port, "/api/state?table=" + std::to_string(t), tokens[t]));
      for (const QJsonValue round : state["rounds"].toArray())
        for (const QJsonValue b : round["boards"].toArray()) {
          const int board = b["board"].toInt();
          const QString declarer = seats[(board + variant) % 4];
          const int level = 1 + (board + variant) % 7;
          const QJsonObject body{{"table", t}, {"round", round["round"]}, {"board", board},
                                 {"previous", b["current"]}, {"kind", "contract"}, {"declarer", declarer},
                                 {"level", level}, {"strain", "S"}, {"doubling", ""}, {"result", 0}};
          const QString contract = QString::number(level) + "S" + declarer + "=";
          all.push_back({t, board, json(body),
                         QStringLiteral("%1 1 0 %2 %3 %4 %5 %6 %7\r\n")
                             .arg(t)
                             .arg(board)
                             .arg(round["round"].toInt())
                             .arg(round["ns"].toInt())
                             .arg(round["ew"].toInt())
                             .arg(declarer, contract)
                             .toLatin1()});
        }
    }
    return all;
  }
};

TEST_F(TablesKillTest, AKilledServerLosesNothingItConfirmedAndNothingIsDoubled) {
  const QString exchange = TabletSharedFolder;
  const int cuts[] = {0, 5, 11, 17};  // answers received before the kill
  for (int cycle = 0; cycle < 4; ++cycle) {
    auto server = std::make_unique<testing_support::TablesServerProcess>(exchange);
    ASSERT_GT(server->port(), 0);
    const int port = server->port();
    std::string tokens[4];  // a phone at each table
    for (int t = 1; t <= 3; ++t) {
      tokens[t] = testing_support::TableToken(port, t, testing_support::kTablesCode);
      ASSERT_FALSE(tokens[t].empty());
    }
    const std::vector<Sent> results = evening(port, tokens, cycle);
    ASSERT_EQ(results.size(), 18u);

    // The tables send one after the other; the server is killed right after
    // the cut-th answer, while the next request is under way.
    std::atomic<int> answered = 0;
    std::atomic<bool> finished = false;
    std::vector<int> confirmed;
    std::thread tables([&] {
      for (std::size_t i = 0; i < results.size(); ++i) {
        const auto r = testing_support::PostTables(port, "/api/result", results[i].body, tokens[results[i].table]);
        if (r.status == 0) break;
        if (r.status == 200) confirmed.push_back(static_cast<int>(i));
        ++answered;
      }
      finished = true;
    });
    while (answered < cuts[cycle] && !finished) std::this_thread::yield();
    server->kill();
    tables.join();

    // What the server confirmed is on disk whole; nothing else is there but
    // whole result files and the writers' leftovers.
    for (int i : confirmed)
      EXPECT_EQ(readBytes(TableFolder(results[i].table) + QStringLiteral("/REST%1.TXT").arg(results[i].board)),
                results[i].fileBytes);
    for (int t = 1; t <= 3; ++t)
      for (const QString& name : QDir(TableFolder(t)).entryList(QDir::Files | QDir::Hidden)) {
        if (name.startsWith("REST")) {
          const QByteArray bytes = readBytes(TableFolder(t) + "/" + name);
          EXPECT_TRUE(bytes.endsWith("\r\n")) << name.toStdString();
          EXPECT_EQ(bytes.count(' '), 8) << name.toStdString();
        } else {
          EXPECT_TRUE(name == "MVT.TXT" || name.startsWith("RES") || platform::isTemporaryName(name))
              << name.toStdString();
        }
      }
    // The program collects what is there while the server is down.
    ImportTabletResults();

    // Started again: the same tokens still work, each page chooses its table
    // again, sends everything once more, and the program collects.
    server = std::make_unique<testing_support::TablesServerProcess>(exchange);
    ASSERT_GT(server->port(), 0);
    for (int t = 1; t <= 3; ++t)
      ASSERT_EQ(testing_support::PostTables(server->port(), "/api/table", json({{"table", t}}), tokens[t]).status, 200);
    int written = 0;
    for (const Sent& s : results) {
      const auto r = testing_support::PostTables(server->port(), "/api/result", s.body, tokens[s.table]);
      ASSERT_EQ(r.status, 200) << r.body;
      if (parse(r)["written"].toBool()) ++written;
    }
    // Only what the program had not taken yet is written again.
    // (the request under way at the kill may have been written unanswered).
    const int unconfirmed = 18 - static_cast<int>(confirmed.size());
    EXPECT_TRUE(written == unconfirmed || written == unconfirmed - 1) << written << " " << unconfirmed;
    ImportTabletResults();
    EXPECT_EQ(ResultsEntered, 18);
    for (int s = 1; s <= ResultSlotCount; ++s) {
      const int board = ResultBoard[s];
      const QString declarer = QString("NESO")[(board + cycle) % 4];
      EXPECT_EQ(ResultContract[s], QString::number(1 + (board + cycle) % 7) + "S" + declarer + "=") << s;
    }
    for (int t = 1; t <= 3; ++t) EXPECT_TRUE(QDir(TableFolder(t)).entryList({"REST*"}).isEmpty());
    server->kill();
  }
}
