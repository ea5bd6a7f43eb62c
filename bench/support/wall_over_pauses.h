// SPDX-License-Identifier: MIT
// The measurement of an operation's wall time over the pauses it must take ("ratio"; 1.0 would
// be a machine whose pauses end exactly on time), and of the processor time it took, as Google
// Benchmark counters.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "sim/sim_rig.h"

namespace torvix {

// Runs operation (returning true when it succeeded) once per iteration and reports its mean
// wall time, that time over prescribedMs, and this process's processor time per run, alone and
// as a share of the wall time ("cpu_share" 0.05: 5% of one core). The bus log is emptied
// between runs so it does not grow over thousands of transfers.
template <typename Operation>
void MeasureOverPauses(benchmark::State& state, double prescribedMs, Operation operation) {
  double wallMs = 0;
  double cpuMs = 0;
  for (auto _ : state) {
    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    if (!operation()) state.SkipWithError("the operation reported a failure");
    wallMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    cpuMs += 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    SimRig::Instance().Log().Clear();
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["wall_ms"] = wallMs / runs;
  state.counters["ratio"] = wallMs / runs / prescribedMs;
  state.counters["cpu_ms"] = cpuMs / runs;
  state.counters["cpu_share"] = cpuMs / wallMs;
}

}  // namespace torvix
