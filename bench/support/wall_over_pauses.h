// SPDX-License-Identifier: MIT
// The measurement of an operation's wall time over the pauses it must take ("ratio"; 1.0 would
// be a machine whose sleeps end exactly on time), as a Google Benchmark counter.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

#include "sim/sim_rig.h"

namespace torvix {

// Runs operation (returning true when it succeeded) once per iteration and reports its mean
// wall time and that time over prescribedMs. The bus log is emptied between runs so it does
// not grow over thousands of transfers.
template <typename Operation>
void MeasureOverPauses(benchmark::State& state, double prescribedMs, Operation operation) {
  double wallMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!operation()) state.SkipWithError("the operation reported a failure");
    wallMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    SimRig::Instance().Log().Clear();
  }
  const double perOperation = wallMs / static_cast<double>(state.iterations());
  state.counters["wall_ms"] = perOperation;
  state.counters["ratio"] = perOperation / prescribedMs;
}

}  // namespace torvix
