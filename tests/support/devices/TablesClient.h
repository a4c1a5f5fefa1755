#pragma once
// A small HTTP client for the tables' server in the tests and benchmarks:
// one request per connection (the server closes each one after its answer),
// on the loopback addresses only, every wait bounded.
#include <string>

namespace testing_support {

struct HttpReply {
  int status = 0;  // 0: no answer (refused, cut, or no answer in time)
  std::string head;
  std::string body;
};

// A connection to 127.0.0.1:port from the loopback address `from` (any of
// 127.0.0.0/8, "" for the usual one); -1 when it cannot be opened.
int ConnectToTables(int port, const std::string& from = {});
// Sends the raw request and reads the answer until the server closes.
HttpReply SendRaw(int port, const std::string& request, int timeoutMs = 5000, const std::string& from = {});
HttpReply GetTables(int port, const std::string& target, const std::string& token = {});
HttpReply PostTables(int port, const std::string& target, const std::string& body, const std::string& token = {},
                     const std::string& contentType = "application/json");
// A device that joined with the password and chose table `table`: its
// token, "" when either was refused.
std::string TableToken(int port, int table, const std::string& password);

}  // namespace testing_support
