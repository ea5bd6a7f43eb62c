// SPDX-License-Identifier: MIT
// Wall time of the DSP settings file and the EEPROM dump on the in-process virtual camera,
// over the pauses their reads must take (2048 and 1024 reads of 2 + 1 ms: 6144 and 3072 ms).
//
// "ratio" is wall time over the prescribed pauses. The *_NoWait runs repeat the work on a clock
// that does not sleep: what the bridge, the board, the camera and the file cost on their own.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/wall_over_pauses.h"
#include "clock/virtual_clock.h"
#include "dumps/dsp_settings_file.h"
#include "dumps/eeprom_dump_file.h"
#include "tests/support/camera_on_sim.h"
#include "tests/support/scratch_folder.h"

namespace torvix {
namespace {

constexpr double kDspPausesMs = 2048 * 3.0;
constexpr double kEepromPausesMs = 1024 * 3.0;

using Writer = DumpResult (*)(CameraLink&, MessageHost&, const std::string&, const DumpProgress&,
                              const DumpStop&);

void measure(benchmark::State& state, double prescribedMs, Writer writer) {
  testing::CameraOnSim camera;
  const testing::ScratchFolder scratch;
  const std::string path = (scratch / "dump.txt").string();
  MeasureOverPauses(state, prescribedMs,
                    [&] { return writer(camera.link, camera.messages, path, {}, {}).Complete(); });
}

void BM_DspSettingsFile(benchmark::State& state) {
  measure(state, kDspPausesMs, WriteDspSettingsFile);
}
void BM_EepromDumpFile(benchmark::State& state) {
  measure(state, kEepromPausesMs, WriteEepromDumpFile);
}

void BM_DspSettingsFile_NoWait(benchmark::State& state) {
  VirtualClock clock;
  ScopedClock useClock(clock);
  measure(state, kDspPausesMs, WriteDspSettingsFile);
}
void BM_EepromDumpFile_NoWait(benchmark::State& state) {
  VirtualClock clock;
  ScopedClock useClock(clock);
  measure(state, kEepromPausesMs, WriteEepromDumpFile);
}

BENCHMARK(BM_DspSettingsFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_EepromDumpFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_DspSettingsFile_NoWait)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EepromDumpFile_NoWait)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace torvix

BENCHMARK_MAIN();
