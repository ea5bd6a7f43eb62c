// SPDX-License-Identifier: MIT
// The software board in process, over a Linux i2c-dev bus (QUORLINK_DEVICE=i2c:/dev/i2c-N,
// i2c:N or i2c:NAME): a real camera with no adapter driver of our own.
#pragma once

#include <memory>
#include <string_view>

#include "bridge/i2c_dev/i2c_dev_row.h"
#include "bridge/src/adapter_device.h"

namespace torvix {

// spec is what follows "i2c:". nullptr when the bus cannot be opened; the first time in a
// process that happens, the reason goes to stderr, the library's one word to its user.
std::unique_ptr<AdapterDevice> OpenI2cDevAdapterDevice(std::string_view spec);

// Lets a test see the reason reported again.
void ResetI2cDevReportForTesting();

}  // namespace torvix
