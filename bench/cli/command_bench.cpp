// SPDX-License-Identifier: MIT
// torvix's reading commands as a script runs them, in process: on the in-process virtual
// camera (--device sim) and on a zembrel-sim over its socket, whose three round trips per
// transfer (header, data, status) are what the described driver's phases cost.
//
// "ratio" is wall time over the pauses the command must take; "cpu_share" this process's
// processor time over its wall time (0.05: 5% of one core); over the socket "daemon_cpu_ms" is
// what zembrel-sim spent per run (read from /proc, in steps of the kernel's 10 ms ticks).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/wall_over_pauses.h"
#include "camera/device_camera_lock.h"
#include "camera/quorlink_bridge_api.h"
#include "cli/torvix_cli.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zembrel_process.h"

namespace torvix {
namespace {

// A settings row is its request, 2 ms, its read, 1 ms, and 2 ms before the next; a dump's read
// has no 2 ms after it, and the dump reads its first register once more before it starts.
constexpr double kRowMs = 5.0;
constexpr double kDumpReadMs = 3.0;

struct Command {
  std::vector<std::string> args;  // after --device; "FILE" is the dump's file
  double floorMs;
};

const Command kGetOne{{"get", "-v", "Contrast"}, kRowMs};
const Command kSettings{{"settings"}, 29 * kRowMs};
const Command kDspDump{{"dump", "dsp", "FILE"}, (1 + 2048) * kDumpReadMs};
const Command kEepromDump{{"dump", "eeprom", "FILE"}, (1 + 1024) * kDumpReadMs};

// zembrel-sim for the socket runs, started once, stopped at exit.
testing::ZembrelProcess& TheDaemon() {
  static testing::ZembrelProcess daemon(ZEMBREL_SIM_PATH);
  static const bool started = daemon.Start();
  (void)started;
  return daemon;
}

// User and system time of a process, from /proc/PID/stat (fields 14 and 15, in clock ticks).
double ProcessCpuMs(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // The fields after the command's name, which is in parentheses and may hold blanks.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  unsigned long long ticks = 0;
  for (int number = 3; number <= 15 && fields >> field; ++number) {
    if (number >= 14) ticks += std::stoull(field);
  }
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

void Run(benchmark::State& state, const Command& command, bool overSocket) {
  const testing::ScratchFolder scratch;
  std::vector<std::string> args = {"--device", overSocket ? TheDaemon().Socket() : "sim"};
  for (const std::string& arg : command.args) {
    args.push_back(arg == "FILE" ? (scratch / "dump.txt").string() : arg);
  }
  // The lock torvix's main takes: the daemon's, beside its own socket, or the process's for sim.
  DeviceCameraLock lock;
  const ScopedCameraLock useLock(lock);
  QuorlinkBridgeApi bridge;
  const pid_t daemon = overSocket ? TheDaemon().Pid() : -1;
  const double daemonStart = daemon > 0 ? ProcessCpuMs(daemon) : 0;
  MeasureOverPauses(state, command.floorMs, [&] {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err};
    return RunTorvix(args, console, bridge) == 0;
  });
  if (daemon > 0) {
    state.counters["daemon_cpu_ms"] =
        (ProcessCpuMs(daemon) - daemonStart) / static_cast<double>(state.iterations());
  }
}

void BM_GetOneSetting(benchmark::State& state) { Run(state, kGetOne, false); }
void BM_Settings(benchmark::State& state) { Run(state, kSettings, false); }
void BM_DspDump(benchmark::State& state) { Run(state, kDspDump, false); }
void BM_EepromDump(benchmark::State& state) { Run(state, kEepromDump, false); }
void BM_GetOneSettingOverSocket(benchmark::State& state) { Run(state, kGetOne, true); }
void BM_SettingsOverSocket(benchmark::State& state) { Run(state, kSettings, true); }
void BM_DspDumpOverSocket(benchmark::State& state) { Run(state, kDspDump, true); }
void BM_EepromDumpOverSocket(benchmark::State& state) { Run(state, kEepromDump, true); }

// A few seconds each; --benchmark_repetitions=5 gives the medians.
BENCHMARK(BM_GetOneSetting)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);
BENCHMARK(BM_Settings)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_DspDump)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_EepromDump)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_GetOneSettingOverSocket)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(200);
BENCHMARK(BM_SettingsOverSocket)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_DspDumpOverSocket)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_EepromDumpOverSocket)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace torvix

BENCHMARK_MAIN();
