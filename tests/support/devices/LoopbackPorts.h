#pragma once
// The loopback address in the tests of the tables' server: ports held as
// another program would hold them, and a page asked for.
#include <QByteArray>

#include <vector>

namespace testing_support {

// Listening sockets on 127.0.0.1 that let a socket of the same user asking
// the same share their port (SO_REUSEPORT, as the tables' server's own
// socket does); closed when this ends.
class PortsHeld {
 public:
  PortsHeld() = default;
  ~PortsHeld();
  PortsHeld(const PortsHeld&) = delete;
  PortsHeld& operator=(const PortsHeld&) = delete;
  // False when some other program holds it already.
  bool hold(int port);

 private:
  std::vector<int> sockets_;
};

// The whole answer (head and body) to GET path from 127.0.0.1:port, ""
// when nothing answers within a few seconds.
QByteArray LoopbackGet(int port, const QByteArray& path);

}  // namespace testing_support
