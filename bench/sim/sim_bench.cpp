// One indirect register write (two transfers) and one read request (a request write and a
// one-byte read) through the bridge library: on the in-process board (QUORLINK_DEVICE=sim) and
// through a zembrel-sim process over its socket. The camera link's own pauses are left out:
// this is what the transfers themselves cost.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "bridge/include/quorlink.h"
#include "clock/clock.h"
#include "sim/sim_rig.h"

namespace torvix {
namespace {

int Transfer(int address8, bool setAddress, int (*transfer)(int handle)) {
  const int handle = IICInit(address8, 20000, 1000);
  if (setAddress) SetAddress(handle, address8);
  const int result = transfer(handle);
  IICClose(handle);
  return result;
}

int WriteRegister5740() {
  int result = Transfer(0x70, true, [](int h) {
    const uint8_t request[2] = {0x30, 0x57};
    return static_cast<int>(SendSub(h, 1, 0x00, request, 2, 0));
  });
  if (result != 0) return result;
  return Transfer(0x70, true, [](int h) {
    const uint8_t value = 0x40;
    return static_cast<int>(Send(h, &value, 0, 1));
  });
}

int ReadRegister57() {
  int result = Transfer(0x70, true, [](int h) {
    const uint8_t request[2] = {0x31, 0x57};
    return static_cast<int>(SendSub(h, 1, 0x01, request, 2, 0));
  });
  if (result != 0) return result;
  return Transfer(0x71, false, [](int h) {
    uint8_t value = 0x71;
    return static_cast<int>(Receive(h, &value, 0, 1));
  });
}

void Run(benchmark::State& state, int (*operation)()) {
  for (auto _ : state) {
    if (operation() != 0) {
      state.SkipWithError("the camera did not answer");
      break;
    }
  }
}

void BM_RegisterWriteOnSim(benchmark::State& state) {
  UseInProcessSim();
  Run(state, WriteRegister5740);
}
void BM_ReadRequestOnSim(benchmark::State& state) {
  UseInProcessSim();
  Run(state, ReadRegister57);
}

// A zembrel-sim process for the socket benchmarks, started once, stopped at exit.
class Daemon {
 public:
  Daemon() {
    char pattern[] = "/tmp/zembrel_bench_XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return;
    dir_ = pattern;
    socket_ = dir_ + "/zembrel-0";
    pid_ = ::fork();
    if (pid_ == 0) {
      ::execl(ZEMBREL_SIM_PATH, ZEMBREL_SIM_PATH, "--socket", socket_.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int tries = 0; tries < 500 && !Listening(); ++tries) Pause(Milliseconds{10});
  }
  ~Daemon() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (!dir_.empty()) ::rmdir(dir_.c_str());
  }
  const std::string& Socket() const { return socket_; }

 private:
  bool Listening() const {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket_.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
  }

  std::string dir_;
  std::string socket_;
  pid_t pid_ = -1;
};

Daemon& TheDaemon() {
  static Daemon daemon;
  return daemon;
}

void BM_RegisterWriteOverSocket(benchmark::State& state) {
  ::setenv("QUORLINK_DEVICE", TheDaemon().Socket().c_str(), 1);
  Run(state, WriteRegister5740);
}
void BM_ReadRequestOverSocket(benchmark::State& state) {
  ::setenv("QUORLINK_DEVICE", TheDaemon().Socket().c_str(), 1);
  Run(state, ReadRegister57);
}

BENCHMARK(BM_RegisterWriteOnSim)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadRequestOnSim)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_RegisterWriteOverSocket)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadRequestOverSocket)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace torvix

BENCHMARK_MAIN();
