// SPDX-License-Identifier: MIT
// The adapter reached over a local stream socket (a daemon serving a board, real or virtual).
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "board/socket_path.h"  // the socket nobody named
#include "bridge/socket/socket_row.h"
#include "bridge/src/adapter_device.h"

namespace torvix {

// A board answers at once; a request not answered in full this long after it went out (by
// the clock seam's Now) fails, and its device with it.
inline constexpr std::chrono::milliseconds kSocketReplyTimeout{2000};

// Connects to the socket at path; nullptr when there is nothing to connect to.
std::unique_ptr<AdapterDevice> OpenSocketAdapterDevice(const std::string& path);

// The same for the socket nobody named (QUORLINK_DEVICE unset): it must belong to this user
// or to root, since in a folder others can write (/tmp) anyone could serve that path and
// receive every request. The reason for a refusal is a debug line.
std::unique_ptr<AdapterDevice> OpenDefaultSocketAdapterDevice(const std::string& path);

}  // namespace torvix
