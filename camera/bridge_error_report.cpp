// SPDX-License-Identifier: MIT
#include "camera/bridge_error_messages.h"
#include "camera/camera_link.h"

namespace torvix {

void CameraLink::ReportBridgeError(BridgeCallState& state, uint16_t code) {
  state.aborted = 1;
  if (state.showMessages == 0) return;
  const BridgeErrorText text = BridgeErrorMessages(static_cast<int16_t>(code));
  messages_.Show(text.first, kMessageOk);
  if (text.second != nullptr) messages_.Show(text.second, kMessageOk);
}

}  // namespace torvix
