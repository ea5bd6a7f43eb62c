// SPDX-License-Identifier: MIT
// The table of transports: how the device setting (QUORLINK_DEVICE) reaches an adapter. Each
// transport is a folder of bridge/ and one row here; a row is a type (transport_row.h says what
// it holds), so the library takes its opening from the same row as every room takes the rest.
//
// A transport's type holds its facts, `static constexpr TransportFacts kFacts`, and may declare
// the deeds of TransportRow as static functions of the same names, capitalised (Identity,
// ProblemBeforeUse, OpenProblem, FailureProblem, List), defined where the transport is built.
// It declares `static std::unique_ptr<AdapterDevice> Open(const DeviceSetting&)`, which the
// library defines beside its device; the rooms above the library never reach it.
#pragma once

#include <span>

#include "bridge/devices/transport_row.h"
#include "bridge/hid/hid_row.h"
#include "bridge/i2c_dev/i2c_dev_row.h"
#include "bridge/sim/sim_row.h"
#include "bridge/socket/socket_row.h"
#include "bridge/win32_driver/win32_driver_row.h"

namespace torvix {

template <typename... Transports>
struct TransportList {};

// In the order a setting is matched: the row that takes any setting comes last.
using TransportTable = TransportList<SimTransport, I2cDevTransport, HidTransport,
                                     Win32DriverTransport, SocketTransport>;

// The rows of every system, in the table's order; one not built here has no deeds.
std::span<const TransportRow> TransportRows();

}  // namespace torvix
