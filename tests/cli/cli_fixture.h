// SPDX-License-Identifier: MIT
// torvix run in-process on the virtual camera (QUORLINK_DEVICE=sim) with a virtual clock, its
// three streams captured, and a scratch folder for its files.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "camera/quorlink_bridge_api.h"
#include "camera/settings_table.h"
#include "cli/torvix_cli.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {

inline int CountLines(const std::string& text, const char* end = "\n") {
  int count = 0;
  for (std::size_t at = text.find(end); at != std::string::npos; at = text.find(end, at + 1)) {
    ++count;
  }
  return count;
}

struct CliRun {
  int code = -1;
  std::string out;
  std::string err;
};

class CliOnSim : public ::testing::Test {
 protected:
  CliOnSim() { SimRig::Instance().Reset(); }
  ~CliOnSim() override {
    SimRig::Instance().Log().SetSink(nullptr);
    SimRig::Instance().Reset();
  }

  SimRig& rig() { return SimRig::Instance(); }
  VirtualCamera& camera() { return rig().Camera(); }

  // torvix --device sim ARGS..., with input on stdin.
  CliRun Run(std::vector<std::string> args, const std::string& input = "", bool terminal = false) {
    args.insert(args.begin(), {"--device", "sim"});
    return RunBare(args, input, terminal);
  }

  CliRun RunBare(const std::vector<std::string>& args, const std::string& input = "",
                 bool terminal = false) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err, terminal, textStdout};
    CliRun run;
    run.code = RunTorvix(args, console, *bridge);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // Register writes (the request 00 30 R) the camera took since the last Clear.
  std::vector<uint8_t> WrittenRegisters() const { return Requested(0x00, 0x30); }
  // Settings registers whose reads (the request 01 31 R) the camera took since the last Clear.
  std::vector<uint8_t> ReadRegisters() const { return Requested(0x01, 0x31); }

  std::vector<uint8_t> Requested(uint8_t first, uint8_t second) const {
    std::vector<uint8_t> registers;
    for (const BusTransfer& t : SimRig::Instance().Log().Entries()) {
      if (t.direction == Direction::kWrite && t.bytes.size() == 3 && t.bytes[0] == first &&
          t.bytes[1] == second && t.status == 0) {
        registers.push_back(t.bytes[2]);
      }
    }
    return registers;
  }

  bool textStdout = false;  // stdout as Windows has it: CR LF for each LF written
  VirtualClock clock;
  ScopedClock useClock{clock};
  QuorlinkBridgeApi quorlink;
  BridgeApi* bridge = &quorlink;
  ScratchFolder scratch;
};

}  // namespace torvix::testing
