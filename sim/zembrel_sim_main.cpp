// SPDX-License-Identifier: MIT
// zembrel-sim: a virtual adapter board with a virtual camera, served on a local socket.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "board/socket_path.h"
#include "program/caught_signals.h"
#include "program/standard_output.h"
#include "sim/bus_log_file.h"
#include "sim/camera_state_file.h"
#include "sim/daemon_options.h"
#include "sim/daemon_server.h"
#include "sim/sim_rig.h"
#include "sim/stale_state_files.h"
#include "torvix_version.h"

namespace {

constexpr int kExitUsage = 2;

int stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  const int savedErrno = errno;
  [[maybe_unused]] const ssize_t n = ::write(stopPipe[1], &byte, 1);
  errno = savedErrno;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "zembrel-sim: %s\n", message.c_str());
  return kExitUsage;
}

// SIGHUP, SIGINT and SIGTERM stop the server, which then removes its socket and lock; one that
// was ignored when it started (nohup, a script's background job) stays ignored. A closed pipe
// or a client that vanishes mid-reply fails the write instead (FailWritesToClosedPipes).
bool InstallSignals(std::string& error) {
  if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    error = std::string("cannot create pipe: ") + std::strerror(errno);
    return false;
  }
  for (const int signal : {SIGHUP, SIGINT, SIGTERM}) {
    if (torvix::CatchSignal(signal, OnStopSignal) == SIG_ERR) {
      error = std::string("cannot catch signals: ") + std::strerror(errno);
      return false;
    }
  }
  return true;
}

// Saves the camera whenever it changed since the last save.
class StateKeeper {
 public:
  StateKeeper(torvix::VirtualCamera& camera, std::string path)
      : camera_(camera), path_(std::move(path)), saved_(camera.Generation()) {}

  bool Save(std::string& error) {
    saved_ = camera_.Generation();
    return torvix::SaveCameraState(path_, {camera_.Bank(), camera_.EepromBytes()}, error);
  }
  void SaveIfChanged() {
    if (camera_.Generation() == saved_) return;
    std::string error;
    if (!Save(error)) std::fprintf(stderr, "zembrel-sim: %s\n", error.c_str());
  }

 private:
  torvix::VirtualCamera& camera_;
  std::string path_;
  uint64_t saved_;
};

}  // namespace

int main(int argc, char** argv) {
  using namespace torvix;
  FailWritesToClosedPipes();
  DaemonOptions options;
  std::string error;
  if (!ParseDaemonOptions({argv + 1, argv + argc}, options, error)) return Fail(error);
  if (options.help) {
    std::fputs(DaemonUsage().c_str(), stdout);
    return CloseStandardOutput(0, "zembrel-sim: ");
  }
  if (options.version) {
    std::printf("zembrel-sim %s\n", kProductVersion);
    return CloseStandardOutput(0, "zembrel-sim: ");
  }
  if (options.socketPath.empty()) options.socketPath = DefaultSocketPath();

  SimRig rig(options.cameraAddress8);
  for (const uint8_t device : options.extraDevices8) rig.AddDevice(device);

  std::unique_ptr<StateKeeper> keeper;
  if (!options.stateFile.empty()) {
    for (const std::string& leftover : RemoveStaleStateFiles(options.stateFile)) {
      std::fprintf(stderr, "zembrel-sim: removed %s, left by a save that never finished\n",
                   leftover.c_str());
    }
    CameraState state;
    switch (LoadCameraState(options.stateFile, state, error)) {
      case StateLoad::kLoaded: rig.Camera().Restore(state.registers, state.eeprom); break;
      case StateLoad::kMissing: break;
      case StateLoad::kUnreadable:
      case StateLoad::kCorrupt: return Fail(error);
    }
    keeper = std::make_unique<StateKeeper>(rig.Camera(), options.stateFile);
    if (!keeper->Save(error)) return Fail(error);
  }

  if (!options.logFile.empty()) {
    auto log = std::make_unique<BusLogFile>(options.logFile);
    if (!log->IsOpen()) {
      return Fail("cannot open log file " + options.logFile + ": " + log->Problem());
    }
    rig.Log().SetFile(std::move(log));
  }

  if (!InstallSignals(error)) return Fail(error);
  DaemonServer server(rig, [&keeper] {
    if (keeper) keeper->SaveIfChanged();
  });
  if (!server.Listen(options.socketPath, options.groupAccess, error)) return Fail(error);

  const bool served = server.Run(stopPipe[0], error);
  server.Close();
  if (keeper) keeper->SaveIfChanged();
  if (!served) {
    std::fprintf(stderr, "zembrel-sim: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
