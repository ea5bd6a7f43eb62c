// The adapter reached over a local stream socket (a daemon serving a board, real or virtual).
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "bridge/src/adapter_device.h"

namespace torvix {

// A board answers at once; a peer that stays silent this long is taken for gone.
inline constexpr std::chrono::milliseconds kSocketReplyTimeout{2000};

// Connects to the socket at path; nullptr when there is nothing to connect to.
std::unique_ptr<AdapterDevice> OpenSocketAdapterDevice(const std::string& path);

}  // namespace torvix
