// zembrel-sim's server: one listening socket, several connections, one request at a time.
//
// Each connection is one opened device. Requests arrive in the socket framing, go to the
// rig's board one by one, and the replies go back in order. A connection that breaks, even
// in the middle of a request, is closed and forgotten; the others go on.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sim/sim_rig.h"

namespace torvix {

class DaemonServer {
 public:
  // afterRequest runs after every request the board answered (the state file is saved there).
  DaemonServer(SimRig& rig, std::function<void()> afterRequest)
      : rig_(rig), afterRequest_(std::move(afterRequest)) {}
  ~DaemonServer();
  DaemonServer(const DaemonServer&) = delete;
  DaemonServer& operator=(const DaemonServer&) = delete;

  // Binds and listens at path. A live socket there is refused; a stale one (nobody listens)
  // is replaced; anything that is not a socket is left alone and refused.
  bool Listen(const std::string& path, std::string& error);

  // Serves until stopFd becomes readable (the signal handler writes to it). False on a
  // failure of the server itself, with the reason in error.
  bool Run(int stopFd, std::string& error);

  // Closes every connection and removes the socket file.
  void Close();

 private:
  struct Connection {
    int fd = -1;
    std::vector<uint8_t> in;
    std::vector<uint8_t> out;
  };

  void Accept();
  // false when the connection is to be closed.
  bool Receive(Connection& connection);
  bool Serve(Connection& connection);
  bool Flush(Connection& connection);

  SimRig& rig_;
  std::function<void()> afterRequest_;
  std::string path_;
  int listenFd_ = -1;
  std::vector<Connection> connections_;
};

}  // namespace torvix
