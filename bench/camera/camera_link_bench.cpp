// SPDX-License-Identifier: MIT
// Wall time of the settings read and of one setting write on the in-process virtual camera,
// over the pauses they must take (145 ms: 29 rows of 2 + 1 + 2 ms; 127 ms: 2 + 25 + 100 ms).
//
// "ratio" is wall time over the prescribed pauses. The *_NoWait runs repeat the work on a clock
// that does not sleep, so they show what the bridge, the board and the camera cost on their
// own; the rest of a ratio above 1 is the oversleep of the operating system's sleeps.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/support/wall_over_pauses.h"
#include "clock/virtual_clock.h"
#include "tests/support/camera_on_sim.h"

namespace torvix {
namespace {

constexpr double kReadAllPausesMs = 145.0;
constexpr double kWriteSettingPausesMs = 127.0;

template <typename Operation>
void measure(benchmark::State& state, double prescribedMs, Operation operation) {
  testing::CameraOnSim camera;
  MeasureOverPauses(state, prescribedMs, [&] { return operation(camera.link) == 0; });
}

uint8_t readAll(CameraLink& link) { return link.ReadAllSettings(link.Block()); }
uint8_t writeOne(CameraLink& link) { return link.WriteSetting(RedGain, 0x90); }

void BM_ReadAllSettings(benchmark::State& state) { measure(state, kReadAllPausesMs, readAll); }
void BM_WriteSetting(benchmark::State& state) { measure(state, kWriteSettingPausesMs, writeOne); }

// The same work with every pause taking no time: the cost of the transfers alone.
void BM_ReadAllSettings_NoWait(benchmark::State& state) {
  VirtualClock clock;
  ScopedClock useClock(clock);
  measure(state, kReadAllPausesMs, readAll);
}
void BM_WriteSetting_NoWait(benchmark::State& state) {
  VirtualClock clock;
  ScopedClock useClock(clock);
  measure(state, kWriteSettingPausesMs, writeOne);
}

// One real pause of the length in the argument: its oversleep, times the number of pauses (87 in
// the settings read, 3 in a setting write), is most of what a ratio has above 1.
void BM_Pause(benchmark::State& state) {
  const Milliseconds length{state.range(0)};
  double oversleepUs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    Pause(length);
    oversleepUs +=
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start - length)
            .count();
  }
  state.counters["oversleep_us"] = oversleepUs / static_cast<double>(state.iterations());
}

BENCHMARK(BM_Pause)
    ->Arg(1)
    ->Arg(2)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(100);
BENCHMARK(BM_ReadAllSettings)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_WriteSetting)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_ReadAllSettings_NoWait)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_WriteSetting_NoWait)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace torvix

BENCHMARK_MAIN();
