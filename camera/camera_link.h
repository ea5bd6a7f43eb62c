// SPDX-License-Identifier: MIT
// The controller's one link to the camera: single register writes and reads over the bridge,
// the settings transfers, and the messages for bridge failures.
//
// Each operation opens its own bridge handle per transaction and closes it at once; the fixed
// pauses between the steps go through the clock seam. A register access holds the camera lock
// (camera/camera_lock.h) from its first transfer to its last pause. Operations return 0 on
// success and 1 when a bridge error aborted them, after its messages have been shown.
#pragma once

#include <cstdint>
#include <span>

#include "camera/bridge_api.h"
#include "camera/bridge_call_state.h"
#include "camera/camera_block.h"
#include "messages/message_host.h"

namespace torvix {

class CameraHold;

class CameraLink {
 public:
  // Starts with the default block. The bridge and the host must outlive the link.
  CameraLink(BridgeApi& bridge, MessageHost& messages);
  CameraLink(const CameraLink&) = delete;
  CameraLink& operator=(const CameraLink&) = delete;

  CameraBlock& Block() { return block_; }
  const CameraBlock& Block() const { return block_; }
  BridgeApi& Bridge() { return bridge_; }
  MessageHost& Messages() { return messages_; }

  // Writes value to a camera register at the block's bus address: request 00 30 reg, 2 ms,
  // the value, 25 ms. The value is not sent when the request failed. A camera that another
  // program kept for the whole of the lock's wait, or whose lock cannot be taken, is reported
  // and nothing is sent.
  uint8_t WriteRegister(uint8_t registerAddress, uint8_t value);

  // Read request (subAddress|1, target, offset), 2 ms, a one-byte read from the read address,
  // 1 ms. The address comes from shadow. After a failed request out is left alone; after a
  // failed read it holds the read-form address byte the buffer was primed with. A null out is
  // refused with 1 before anything is sent; a camera another program keeps, as for a write.
  uint8_t ReadRegister(uint8_t subAddress, uint8_t target, uint8_t offset, CameraBlock& shadow,
                       uint8_t* out);

  // What ReadAllSettings says after a failed row when the panel shows the shadow.
  static constexpr const char* kPanelReadFailure =
      "Camera settings not correctly read, default values displayed";

  // Reads every settings row in order into shadow, 2 ms after each; stops at the first failed
  // row (earlier rows keep their new values, later ones their old) and says failureText to the
  // user, after the bridge error's own messages.
  uint8_t ReadAllSettings(CameraBlock& shadow, const char* failureText = kPanelReadFailure);

  // The same for the rows of ids only, in the order given, each with its 2 ms. An id with no
  // row sends nothing and returns 1.
  uint8_t ReadSettings(CameraBlock& shadow, std::span<const SettingId> ids,
                       const char* failureText = kPanelReadFailure);

  // Writes a settings row; on success its shadow byte takes the value and the link pauses
  // 100 ms. A number with no row sends nothing and returns 1.
  uint8_t WriteSetting(int row, uint8_t value);

  // Marks state aborted and, unless it is silent, shows the code's message(s).
  void ReportBridgeError(BridgeCallState& state, uint16_t code);

 private:
  int16_t writeTransaction(int address, uint8_t value);
  // Tells the user why the camera lock was not taken; returns 1.
  uint8_t reportCameraHeld(const CameraHold& hold);
  int16_t requestTransaction(int address, uint8_t subAddress, uint8_t first, uint8_t second);

  BridgeApi& bridge_;
  MessageHost& messages_;
  CameraBlock block_;
};

}  // namespace torvix
