// SPDX-License-Identifier: MIT
#include "camera/load_defaults.h"

#include "clock/clock.h"

namespace torvix {

namespace {
// The camera stops answering while it loads its defaults; this is how long it may take.
constexpr Milliseconds kAfterLoadDefaults{1500};
}  // namespace

uint8_t LoadCameraDefaults(CameraLink& link) {
  if (link.WriteRegister(kLoadDefaultsRegister, kLoadDefaultsCommand) != 0) return 1;
  Pause(kAfterLoadDefaults);
  return 0;
}

}  // namespace torvix
