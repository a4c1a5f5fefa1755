#include "support/devices/TablesClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace testing_support {

int ConnectToTables(int port, const std::string& from) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const int yes = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  if (!from.empty()) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    if (::inet_pton(AF_INET, from.c_str(), &local.sin_addr) != 1 || (ntohl(local.sin_addr.s_addr) >> 24) != 127 ||
        ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
      ::close(fd);
      return -1;
    }
  }
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(static_cast<uint16_t>(port));
  server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&server), sizeof server) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

HttpReply SendRaw(int port, const std::string& request, int timeoutMs, const std::string& from) {
  HttpReply reply;
  const int fd = ConnectToTables(port, from);
  if (fd < 0) return reply;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  const auto left = [&] {
    return static_cast<int>(std::max<long long>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count()));
  };
  std::size_t sent = 0;
  while (sent < request.size()) {
    const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;  // the server may answer and close before reading it all
    sent += static_cast<std::size_t>(n);
  }
  std::string all;
  char buffer[16384];
  while (true) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, left()) <= 0) break;
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    all.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  const std::size_t blank = all.find("\r\n\r\n");
  int status = 0;
  if (blank != std::string::npos && std::sscanf(all.c_str(), "HTTP/1.%*d %d", &status) == 1) {
    reply.status = status;
    reply.head = all.substr(0, blank);
    reply.body = all.substr(blank + 4);
  }
  return reply;
}

namespace {

std::string headOf(const std::string& method, const std::string& target, const std::string& token, int port) {
  std::string head = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n";
  if (!token.empty()) head += "Authorization: Bearer " + token + "\r\n";
  return head;
}

}  // namespace

HttpReply GetTables(int port, const std::string& target, const std::string& token) {
  return SendRaw(port, headOf("GET", target, token, port) + "\r\n");
}

HttpReply PostTables(int port, const std::string& target, const std::string& body, const std::string& token,
                     const std::string& contentType) {
  return SendRaw(port, headOf("POST", target, token, port) + "Content-Type: " + contentType +
                           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
}

std::string TableToken(int port, int table, const std::string& password) {
  const HttpReply joined = PostTables(port, "/api/join", "{\"password\":\"" + password + "\"}");
  const std::string key = "\"token\":\"";
  const std::size_t at = joined.body.find(key);
  if (joined.status != 200 || at == std::string::npos) return {};
  const std::string token = joined.body.substr(at + key.size(), joined.body.find('"', at + key.size()) - at - key.size());
  const HttpReply chosen = PostTables(port, "/api/table", "{\"table\":" + std::to_string(table) + "}", token);
  return chosen.status == 200 ? token : std::string();
}

}  // namespace testing_support
