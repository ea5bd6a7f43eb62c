#include "camera/load_defaults.h"

#include "clock/clock.h"

namespace torvix {

namespace {
constexpr uint8_t kLoadDefaultsRegister = 0xf0;
constexpr uint8_t kLoadDefaultsCommand = 0x01;
// The camera stops answering while it loads its defaults; this is how long it may take.
constexpr Milliseconds kAfterLoadDefaults{1500};
}  // namespace

uint8_t LoadCameraDefaults(CameraLink& link) {
  if (link.WriteRegister(kLoadDefaultsRegister, kLoadDefaultsCommand) != 0) return 1;
  Pause(kAfterLoadDefaults);
  return 0;
}

}  // namespace torvix
