// One indirect register write (two transfers) and one read request (a request write and a
// one-byte read) through the bridge library: on the in-process board (QUORLINK_DEVICE=sim) and
// through a zembrel-sim process over its socket. The camera link's own pauses are left out:
// this is what the transfers themselves cost.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bridge/include/quorlink.h"
#include "clock/clock.h"
#include "sim/sim_rig.h"
#include "tests/support/zembrel_process.h"

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
testing::ZembrelProcess& TheDaemon() {
  static testing::ZembrelProcess daemon(ZEMBREL_SIM_PATH);
  static const bool started = daemon.Start();
  (void)started;
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
