// SPDX-License-Identifier: MIT
#include "sim/sim_rig.h"

namespace torvix {

SimRig::SimRig(uint8_t cameraAddress8) { Reset(cameraAddress8); }

SimRig& SimRig::Instance() {
  // Never destroyed: a bridge handle closed from another static's destructor still finds it.
  static SimRig* rig = new SimRig();
  return *rig;
}

void SimRig::Reset(uint8_t cameraAddress8) {
  bus_.DetachAll();
  devices_.clear();
  camera_ = std::make_unique<VirtualCamera>(cameraAddress8);
  bus_.Attach(*camera_);
  board_ = std::make_unique<AdapterBoard>(bus_);
  busFaults_ = BusFaults{};
  boardFaults_ = BoardFaults{};
  log_.Clear();
  log_.SetSink(nullptr);
}

void SimRig::SetCameraPresent(bool present) {
  if (present) {
    bus_.Attach(*camera_);
  } else {
    bus_.Detach(*camera_);
  }
}

void SimRig::AddDevice(uint8_t address8) {
  devices_.push_back(std::make_unique<AckingDevice>(static_cast<uint8_t>(address8 >> 1)));
  bus_.Attach(*devices_.back());
}

ControlResult SimRig::Control(AdapterBoard& session, uint32_t code, std::span<const uint8_t> input,
                              std::span<uint8_t> output) {
  if (boardFaults_.absent) return {false, 0};
  std::optional<RequestFault>& fault = boardFaults_.request;
  if (!fault || fault->times == 0 || ClassifyRequest(code, input) != fault->request) {
    return session.Control(code, input, output);
  }
  if (fault->times > 0) --fault->times;
  if (!fault->shortTransfer) return {false, 0};
  ControlResult result = session.Control(code, input, output);
  if (result.transferred > 0) --result.transferred;
  return result;
}

}  // namespace torvix
