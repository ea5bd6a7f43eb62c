// SPDX-License-Identifier: MIT
// zembrel-sim's server: one listening socket, several connections, one request at a time.
//
// Each connection is one opened device with its own board session: a header waits for the
// data of its own connection, whatever the others send in between. Requests arrive in the
// socket framing, go to the board one by one, and the replies go back in order. A connection
// that breaks, even in the middle of a request, is closed and forgotten; the others go on.
#pragma once

#include <sys/types.h>
#include <sys/un.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/daemon_files.h"
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

  // Binds and listens at path, the socket file mode 0600 (0660 with groupAccess) whatever
  // the umask, with the camera lock beside it (daemon_files.h) of the same mode. A live socket
  // there is refused, found so without waiting even when its server is too busy to accept; a
  // stale one (nobody listens) is replaced; anything that is not a socket, or a socket this
  // process may not probe, is left alone and refused.
  bool Listen(const std::string& path, bool groupAccess, std::string& error);

  // Serves until stopFd becomes readable (the signal handler writes to it). False on a
  // failure of the server itself, with the reason in error.
  bool Run(int stopFd, std::string& error);

  // Closes every connection and removes the socket file and the lock, if they are still the
  // ones Listen made.
  void Close();

 private:
  struct Connection {
    int fd = -1;
    std::unique_ptr<AdapterBoard> board;  // this connection's pending request
    std::vector<uint8_t> in;
    std::vector<uint8_t> out;
  };

  bool ClearStaleSocket(const std::string& path, const sockaddr_un& address, std::string& error);
  void Accept();
  // false when the connection is to be closed.
  bool Receive(Connection& connection);
  bool Serve(Connection& connection);
  bool Flush(Connection& connection);

  SimRig& rig_;
  std::function<void()> afterRequest_;
  std::string path_;
  MadeFile socketFile_{};
  std::string lockPath_;
  MadeFile lockFile_{};
  int listenFd_ = -1;
  std::vector<Connection> connections_;
};

}  // namespace torvix
