#include "bridge/src/transport_sim.h"

#include "sim/sim_rig.h"

namespace torvix {

namespace {

// A handle on the process-wide virtual board: opening it is plugging nothing in, so every
// device opened shares the one camera and its state, as handles on a real board do. Its
// pending request is its own: a header of another handle never takes this one's data.
class SimAdapterDevice final : public AdapterDevice {
 public:
  ControlResult Control(uint32_t code, std::span<const uint8_t> input,
                        std::span<uint8_t> output) override {
    return SimRig::Instance().Control(*session_, code, input, output);
  }

 private:
  std::unique_ptr<AdapterBoard> session_ = SimRig::Instance().OpenBoardSession();
};

}  // namespace

std::unique_ptr<AdapterDevice> OpenSimAdapterDevice() {
  if (!SimRig::Instance().BoardPresent()) return nullptr;
  return std::make_unique<SimAdapterDevice>();
}

}  // namespace torvix
