#include "camera/address_search.h"

#include "clock/clock.h"

namespace torvix {

namespace {

constexpr uint8_t kProbeSubAddress = 0x01;
constexpr uint8_t kProbeBytes[2] = {0x30, 0x31};

constexpr Milliseconds kAfterSelect{2};
// Longer than a register read's pause: a device that just answered gets time to let go.
constexpr Milliseconds kAfterProbeRead{5};

// The error report only marks the state aborted; nobody is told while the bus is searched.
void reportSilently(CameraLink& link, int16_t result) {
  BridgeCallState silent;
  silent.showMessages = 0;
  link.ReportBridgeError(silent, static_cast<uint16_t>(result));
}

}  // namespace

bool ProbeCameraAddress(CameraLink& link, uint8_t address8) {
  BridgeApi& bridge = link.Bridge();
  int handle = bridge.IICInit(address8, kInitReserved1, kInitReserved2);
  bridge.SetAddress(handle, address8);
  int16_t result = bridge.SendSub(handle, kSubAddressSize, kProbeSubAddress, kProbeBytes, 2,
                                  kPlainTransfer);
  bridge.IICClose(handle);
  if (result != 0) {
    reportSilently(link, result);
    return false;
  }
  Pause(kAfterSelect);

  const int readAddress = address8 + 1;
  uint8_t buffer[1] = {0};
  handle = bridge.IICInit(readAddress, kInitReserved1, kInitReserved2);
  result = bridge.Receive(handle, buffer, kPlainTransfer, 1);
  bridge.IICClose(handle);
  if (result != 0) reportSilently(link, result);
  Pause(kAfterProbeRead);
  return result == 0;
}

std::optional<uint8_t> SearchCameraAddress(CameraLink& link) {
  for (unsigned address = kFirstProbeAddress; address <= kLastProbeAddress; address += 2) {
    const auto candidate = static_cast<uint8_t>(address);
    if (ProbeCameraAddress(link, candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace torvix
