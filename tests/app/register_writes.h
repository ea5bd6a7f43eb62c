// SPDX-License-Identifier: MIT
// The camera register writes on the virtual bus, read back from the bus log: each request
// 00 30 R followed by a one-byte write of V to the same device is one write R := V.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <vector>

#include "sim/bus_log.h"
#include "tests/support/pauses.h"

namespace torvix::testing {

struct RegisterWrite {
  uint8_t reg;
  uint8_t value;
  bool operator==(const RegisterWrite&) const = default;
};

inline void PrintTo(const RegisterWrite& write, std::ostream* out) {
  char text[24];
  std::snprintf(text, sizeof text, "%02x := %02x", write.reg, write.value);
  *out << text;
}

// Only acknowledged writes count: a failed request or value write reached no register.
inline std::vector<RegisterWrite> RegisterWrites(const BusLog& log) {
  std::vector<RegisterWrite> writes;
  for (std::size_t i = 0; i + 1 < log.Size(); ++i) {
    const BusTransfer& request = log[i];
    const BusTransfer& value = log[i + 1];
    if (request.direction != Direction::kWrite || request.status != 0 ||
        request.bytes.size() != 3 || request.bytes[0] != 0x00 || request.bytes[1] != 0x30) {
      continue;
    }
    if (value.direction == Direction::kWrite && value.status == 0 && value.bytes.size() == 1 &&
        value.address7 == request.address7) {
      writes.push_back({request.bytes[2], value.bytes[0]});
    }
  }
  return writes;
}

// The pauses of n accepted setting writes in a row: 2 ms, 25 ms and 100 ms each.
inline std::vector<Milliseconds> AcceptedWritePauses(int n) {
  std::vector<Milliseconds> out;
  for (int i = 0; i < n; ++i)
    out.insert(out.end(), {Milliseconds(2), Milliseconds(25), Milliseconds(100)});
  return out;
}

}  // namespace torvix::testing
