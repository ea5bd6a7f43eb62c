// SPDX-License-Identifier: MIT
#include "camera/address_search.h"

#include "camera/camera_lock.h"
#include "clock/clock.h"

namespace torvix {

namespace {

constexpr uint8_t kProbeSubAddress = 0x01;
constexpr uint8_t kProbeBytes[2] = {0x30, 0x31};

constexpr Milliseconds kAfterSelect{2};
// Longer than a register read's pause: a device that just answered gets time to let go.
constexpr Milliseconds kAfterProbeRead{5};

// The library's codes for a driver request that failed: the board, not the address, is at
// fault.
constexpr int16_t kUsbCommandError = 11;
constexpr int16_t kUsbWriteError = 12;
constexpr int16_t kUsbReadError = 13;

bool isBoardFailure(int handle, int16_t result) {
  return handle < 0 || result == kUsbCommandError || result == kUsbWriteError ||
         result == kUsbReadError;
}

// Nobody is told while the bus is searched, unless the board itself failed and the search
// stops for it: then it ends with the words any register access would have shown.
ProbeOutcome report(CameraLink& link, int handle, int16_t result, OnBoardFailure onBoardFailure) {
  const bool boardFailed = isBoardFailure(handle, result);
  BridgeCallState state;
  state.showMessages = boardFailed && onBoardFailure == OnBoardFailure::kStop ? 1 : 0;
  link.ReportBridgeError(state, static_cast<uint16_t>(result));
  return boardFailed ? ProbeOutcome::kBoardFailed : ProbeOutcome::kNotAnswered;
}

}  // namespace

// A probe is a register read in all but name: another program between its two transfers
// would move the camera's register pointer, so it holds the camera as a register access does.
ProbeOutcome ProbeCameraAddress(CameraLink& link, uint8_t address8, OnBoardFailure onBoardFailure) {
  const CameraHold hold;
  if (!hold.Held()) {
    link.Messages().Show(hold.Problem().c_str(), kMessageOk);
    return ProbeOutcome::kCameraHeld;
  }
  BridgeApi& bridge = link.Bridge();
  int handle = bridge.IICInit(address8, kInitReserved1, kInitReserved2);
  bridge.SetAddress(handle, address8);
  int16_t result =
      bridge.SendSub(handle, kSubAddressSize, kProbeSubAddress, kProbeBytes, 2, kPlainTransfer);
  bridge.IICClose(handle);
  if (result != 0) return report(link, handle, result, onBoardFailure);
  Pause(kAfterSelect);

  const int readAddress = address8 + 1;
  uint8_t buffer[1] = {0};
  handle = bridge.IICInit(readAddress, kInitReserved1, kInitReserved2);
  result = bridge.Receive(handle, buffer, kPlainTransfer, 1);
  bridge.IICClose(handle);
  const ProbeOutcome outcome =
      result == 0 ? ProbeOutcome::kAnswered : report(link, handle, result, onBoardFailure);
  Pause(kAfterProbeRead);
  return outcome;
}

AddressSearchResult SearchCameraAddress(CameraLink& link, OnBoardFailure onBoardFailure) {
  for (unsigned address = kFirstProbeAddress; address <= kLastProbeAddress; address += 2) {
    const auto candidate = static_cast<uint8_t>(address);
    const ProbeOutcome outcome = ProbeCameraAddress(link, candidate, onBoardFailure);
    if (outcome == ProbeOutcome::kAnswered || outcome == ProbeOutcome::kCameraHeld) {
      return {outcome, candidate};
    }
    if (outcome == ProbeOutcome::kBoardFailed && onBoardFailure == OnBoardFailure::kStop) {
      return {outcome, candidate};
    }
  }
  return {};
}

}  // namespace torvix
