// SPDX-License-Identifier: MIT
// How long the real clock's pauses take on Windows, where a sleep that ended on the system
// timer's default 15.6 ms ticks would make a 1 ms pause sixteen times too long: single pauses of
// 1, 2 and 25 ms, then whole operations on the in-process virtual camera over the pauses they
// must take ("ratio"; 1.0 would be a machine whose sleeps end exactly on time).
// Google Benchmark is not packaged for mingw-w64, so this is a plain program: run it on the
// Windows machine (or under wine, which shows the code works, not Windows' timing).
#include <chrono>
#include <cstdio>
#include <string>

#include "clock/clock.h"
#include "dumps/dsp_settings_file.h"
#include "tests/support/camera_on_sim.h"
#include "tests/support/scratch_folder.h"

namespace torvix {
namespace {

using Ms = std::chrono::duration<double, std::milli>;

template <typename Operation>
Ms Time(Operation operation) {
  const auto start = std::chrono::steady_clock::now();
  operation();
  return std::chrono::steady_clock::now() - start;
}

void MeasurePause(int lengthMs, int count) {
  Ms total{0}, longest{0};
  for (int i = 0; i < count; ++i) {
    const Ms took = Time([&] { Pause(Milliseconds{lengthMs}); });
    total += took;
    if (took > longest) longest = took;
  }
  std::printf("Pause(%d ms)%*s mean %7.3f ms  max %7.3f ms  (%d pauses)\n", lengthMs,
              lengthMs < 10 ? 4 : 3, "", total.count() / count, longest.count(), count);
}

template <typename Operation>
void MeasureOverPauses(const char* name, double prescribedMs, int runs, Operation operation) {
  Ms total{0};
  bool failed = false;
  for (int i = 0; i < runs; ++i) {
    total += Time([&] { failed = !operation() || failed; });
    SimRig::Instance().Log().Clear();
  }
  const double mean = total.count() / runs;
  std::printf("%-14s mean %8.1f ms over %6.0f ms of pauses: ratio %.3f (%d runs)%s\n", name, mean,
              prescribedMs, mean / prescribedMs, runs, failed ? "  FAILED" : "");
}

}  // namespace
}  // namespace torvix

int main() {
  using namespace torvix;
  MeasurePause(1, 200);
  MeasurePause(2, 200);
  MeasurePause(25, 20);

  testing::CameraOnSim camera;
  // 29 rows of 2 + 1 + 2 ms; 2048 reads of 2 + 1 ms.
  MeasureOverPauses("settings read", 145.0, 5,
                    [&] { return camera.link.ReadAllSettings(camera.link.Block()) == 0; });
  const testing::ScratchFolder scratch;
  const std::string path = (scratch / "dsp.txt").string();
  MeasureOverPauses("DSP file", 2048 * 3.0, 1, [&] {
    return WriteDspSettingsFile(camera.link, camera.messages, path, {}).Complete();
  });
  return 0;
}
