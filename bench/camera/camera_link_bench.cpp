// Wall time of the settings read and of one setting write on the in-process virtual camera,
// over the pauses they must take (145 ms: 29 rows of 2 + 1 + 2 ms; 127 ms: 2 + 25 + 100 ms).
//
// "ratio" is wall time over the prescribed pauses. The *_NoWait runs repeat the work on a clock
// that does not sleep, so they show what the bridge, the board and the camera cost on their
// own; the rest of a ratio above 1 is the oversleep of the operating system's sleeps.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "camera/camera_link.h"
#include "camera/quorlink_bridge_api.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"

namespace torvix {
namespace {

constexpr double kReadAllPausesMs = 145.0;
constexpr double kWriteSettingPausesMs = 127.0;

class SilentHost final : public MessageHost {
 public:
  int Show(const char*, unsigned) override { return kAnswerOk; }
};

template <typename Operation>
void measure(benchmark::State& state, double prescribedMs, Operation operation) {
  UseInProcessSim();
  QuorlinkBridgeApi bridge;
  SilentHost host;
  CameraLink link(bridge, host);
  double wallMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (operation(link) != 0) state.SkipWithError("the camera link reported a failure");
    wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                  .count();
    SimRig::Instance().Log().Clear();
  }
  const double perOperation = wallMs / static_cast<double>(state.iterations());
  state.counters["wall_ms"] = perOperation;
  state.counters["ratio"] = perOperation / prescribedMs;
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
    oversleepUs += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() -
                                                             start - length)
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

#ifdef __linux__
// The same reads with the thread's timer slack at 1 ns instead of the default 50 us: how much
// of the oversleep the program could win back by asking the kernel for punctual wake-ups.
void BM_ReadAllSettings_TightTimerSlack(benchmark::State& state) {
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  measure(state, kReadAllPausesMs, readAll);
  prctl(PR_SET_TIMERSLACK, 0UL, 0UL, 0UL, 0UL);  // back to the default
}
BENCHMARK(BM_ReadAllSettings_TightTimerSlack)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);
#endif

}  // namespace
}  // namespace torvix

BENCHMARK_MAIN();
