#include "bridge/src/transport_sim.h"

namespace torvix {

// No in-process board is linked in yet, so "sim" behaves like an absent adapter.
std::unique_ptr<AdapterDevice> OpenSimAdapterDevice() { return nullptr; }

}  // namespace torvix
