// SPDX-License-Identifier: MIT
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
#include "tests/support/camera_requests.h"
#include "tests/support/in_process_sim.h"
#include "tests/support/zembrel_process.h"

namespace torvix {
namespace {

int WriteRegister5740() { return testing::WriteCameraRegister(0x70, 0x57, 0x40); }

int ReadRegister57() {
  uint8_t value = 0;
  return testing::ReadCameraRegister(0x70, 0x57, value);
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
  testing::UseInProcessSim();
  Run(state, WriteRegister5740);
}
void BM_ReadRequestOnSim(benchmark::State& state) {
  testing::UseInProcessSim();
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
