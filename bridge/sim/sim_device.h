// SPDX-License-Identifier: MIT
// The in-process adapter board with its virtual camera (QUORLINK_DEVICE=sim).
#pragma once

#include <memory>

#include "bridge/sim/sim_row.h"
#include "bridge/src/adapter_device.h"

namespace torvix {

// nullptr when no in-process board is built into the library.
std::unique_ptr<AdapterDevice> OpenSimAdapterDevice();

}  // namespace torvix
