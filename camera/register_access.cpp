// SPDX-License-Identifier: MIT
// Single register writes and reads: two bridge transactions each, with fixed pauses, under the
// camera lock.
#include "camera/camera_link.h"
#include "camera/camera_lock.h"
#include "clock/clock.h"

namespace torvix {

namespace {

constexpr uint8_t kWriteRequest = 0x00;
constexpr uint8_t kIndirectWrite = 0x30;

constexpr Milliseconds kAfterRequest{2};
constexpr Milliseconds kAfterValueWrite{25};
constexpr Milliseconds kAfterRead{1};

int writeForm(uint8_t address) { return address & 0xFE; }
int readForm(uint8_t address) { return address | 0x01; }

}  // namespace

// The handle of IICInit is used untested: a failed open gives -1, which the transfer turns
// into 0xFFFF, and that is reported like any other failure.
int16_t CameraLink::requestTransaction(int address, uint8_t subAddress, uint8_t first,
                                       uint8_t second) {
  const uint8_t data[2] = {first, second};
  const int handle = bridge_.IICInit(address, kInitReserved1, kInitReserved2);
  bridge_.SetAddress(handle, address);
  const int16_t result =
      bridge_.SendSub(handle, kSubAddressSize, subAddress, data, 2, kPlainTransfer);
  bridge_.IICClose(handle);
  return result;
}

// Nothing was sent: the camera is as it was.
uint8_t CameraLink::reportCameraHeld(const CameraHold& hold) {
  messages_.Show(hold.Problem().c_str(), kMessageOk);
  return 1;
}

int16_t CameraLink::writeTransaction(int address, uint8_t value) {
  const uint8_t data[1] = {value};
  const int handle = bridge_.IICInit(address, kInitReserved1, kInitReserved2);
  bridge_.SetAddress(handle, address);
  const int16_t result = bridge_.Send(handle, data, kPlainTransfer, 1);
  bridge_.IICClose(handle);
  return result;
}

uint8_t CameraLink::WriteRegister(uint8_t registerAddress, uint8_t value) {
  const CameraHold hold;
  if (!hold.Held()) return reportCameraHeld(hold);
  BridgeCallState state;
  const int address = writeForm(block_.CameraBusAddress);
  int16_t result = requestTransaction(address, kWriteRequest, kIndirectWrite, registerAddress);
  if (result != 0) {
    ReportBridgeError(state, static_cast<uint16_t>(result));
    return 1;
  }
  Pause(kAfterRequest);
  state.aborted = 0;
  result = writeTransaction(address, value);
  if (result != 0) {
    ReportBridgeError(state, static_cast<uint16_t>(result));
    return 1;
  }
  Pause(kAfterValueWrite);
  return 0;
}

uint8_t CameraLink::ReadRegister(uint8_t subAddress, uint8_t target, uint8_t offset,
                                 CameraBlock& shadow, uint8_t* out) {
  if (out == nullptr) return 1;
  const CameraHold hold;
  if (!hold.Held()) return reportCameraHeld(hold);
  BridgeCallState state;
  int16_t result = requestTransaction(writeForm(shadow.CameraBusAddress),
                                      static_cast<uint8_t>(readForm(subAddress)), target, offset);
  if (result != 0) {
    ReportBridgeError(state, static_cast<uint16_t>(result));
    return 1;
  }
  Pause(kAfterRequest);
  state.aborted = 0;
  // The read opens on the read form of the address and sets no address of its own.
  const int readAddress = readForm(shadow.CameraBusAddress);
  uint8_t buffer[1] = {static_cast<uint8_t>(readAddress)};
  const int handle = bridge_.IICInit(readAddress, kInitReserved1, kInitReserved2);
  result = bridge_.Receive(handle, buffer, kPlainTransfer, 1);
  bridge_.IICClose(handle);
  if (result != 0) ReportBridgeError(state, static_cast<uint16_t>(result));
  *out = buffer[0];
  Pause(kAfterRead);
  return state.aborted != 0 ? 1 : 0;
}

}  // namespace torvix
