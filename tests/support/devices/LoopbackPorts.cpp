#include "support/devices/LoopbackPorts.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support {

PortsHeld::~PortsHeld() {
  for (const int fd : sockets_) ::close(fd);
}

bool PortsHeld::hold(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const int yes = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEPORT, &yes, sizeof yes);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0) {
    ::close(fd);
    return false;
  }
  sockets_.push_back(fd);
  return true;
}

QByteArray LoopbackGet(int port, const QByteArray& path) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  if (!socket.waitForConnected(2000)) return {};
  socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
  QByteArray answer;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 3000 && socket.state() == QAbstractSocket::ConnectedState) {
    socket.waitForReadyRead(100);
    answer += socket.readAll();
  }
  return answer + socket.readAll();
}

}  // namespace testing_support
