// SPDX-License-Identifier: MIT
// Each command the bridge sends, with the driver request of each of its phases failing or
// coming back short: the transfer's code is the one for that phase, nothing reaches the bus
// for a request that failed before the board got it, and the next transfer on a fresh handle
// works as if nothing had happened.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bridge/include/quorlink.h"
#include "bridge/src/bridge_table.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"

namespace torvix::testing {
namespace {

constexpr int kCamera = 0x70;

struct CommandCall {
  const char* name;
  bool writes;     // a write command (it has a write-data phase)
  bool readsData;  // a read command with a read-data phase
  std::function<int16_t(int handle)> call;
};

// One call per command the board knows, each as the exports make it.
std::vector<CommandCall> Commands() {
  static uint8_t out[4];
  static const uint8_t bytes[2] = {0x30, 0x42};
  return {
      {"Write1", true, false, [](int h) { return Send(h, bytes, 0, 2); }},
      {"WritePolled12", true, false, [](int h) { return Send(h, bytes, 1, 2); }},
      {"WriteWhenIdle17", true, false, [](int h) { return Send(h, bytes, 3, 2); }},
      {"WriteSub8_1", true, false, [](int h) { return SendSub(h, 1, 0x00, bytes, 2, 0); }},
      {"WriteSub16_1", true, false, [](int h) { return SendSub(h, 2, 0x0010, bytes, 2, 0); }},
      {"WriteSettled15", true, false, [](int h) { return SendSub(h, 2, 0x0010, bytes, 2, 2); }},
      {"WriteInterleaved3", true, false,
       [](int h) { return SendSubInterLeaved(h, 1, 0x10, bytes, 2); }},
      {"WriteInterleaved10", true, false,
       [](int h) { return SendSubInterLeaved(h, 2, 0x10, bytes, 2); }},
      {"Read4", false, true, [](int h) { return Receive(h, out, 0, 1); }},
      {"ReadPolled13", false, true, [](int h) { return Receive(h, out, 1, 1); }},
      {"ReadWhenIdle18", false, true, [](int h) { return Receive(h, out, 3, 1); }},
      {"ReadSub5", false, true, [](int h) { return ReceiveSub(h, 1, 0x31, out, 1, 0); }},
      {"ReadSub16_8", false, true, [](int h) { return ReceiveSub(h, 2, 0x31, out, 1, 0); }},
      {"ReadSplit16", false, true, [](int h) { return ReceiveSub(h, 2, 0x31, out, 1, 2); }},
      {"ReadInterleaved6", false, true,
       [](int h) { return ReceiveSubInterLeaved(h, 1, 0x31, out, 2); }},
      {"ReadInterleaved11", false, true,
       [](int h) { return ReceiveSubInterLeaved(h, 2, 0x31, out, 2); }},
      {"BusStatus14", false, true, [](int h) { return CheckI2CBus(h, out); }},
  };
}

class DriverRequestDrill : public ::testing::Test {
 protected:
  DriverRequestDrill() { ::setenv("QUORLINK_DEVICE", "sim", 1); }
  ~DriverRequestDrill() override {
    SimRig::Instance().Reset();
    ::unsetenv("QUORLINK_DEVICE");
  }

  // The call's result on a fresh handle, with whatever faults the rig has now.
  static int16_t Run(const CommandCall& command) {
    const int handle = IICInit(kCamera, 20000, 1000);
    EXPECT_GE(handle, 0);
    const int16_t result = command.call(handle);
    IICClose(handle);
    return result;
  }

  // A plain register request right after: the board kept nothing of the broken transfer.
  static void ExpectStillUsable() {
    SimRig::Instance().Board().request.reset();
    const uint8_t request[2] = {0x30, 0x42};
    const int handle = IICInit(kCamera, 20000, 1000);
    EXPECT_EQ(SendSub(handle, 1, 0x00, request, 2, 0), 0);
    IICClose(handle);
  }

  VirtualClock clock_;
  ScopedClock scoped_{clock_};
};

TEST_F(DriverRequestDrill, EveryPhaseOfEveryCommandFailingOrShortGivesItsCode) {
  SimRig& rig = SimRig::Instance();
  for (const CommandCall& command : Commands()) {
    rig.Reset();
    const int16_t clean = Run(command);

    std::vector<DriverRequest> phases{DriverRequest::kHeader};
    if (command.writes) phases.push_back(DriverRequest::kWriteData);
    if (command.readsData) phases.push_back(DriverRequest::kReadData);
    phases.push_back(DriverRequest::kStatus);

    for (const DriverRequest phase : phases) {
      for (const bool shortTransfer : {false, true}) {
        SCOPED_TRACE(std::string(command.name) + " phase " +
                     std::to_string(static_cast<int>(phase)) +
                     (shortTransfer ? " short" : " fails"));
        rig.Reset();
        rig.Board().request = RequestFault{phase, shortTransfer, -1};

        const int16_t result = Run(command);

        switch (phase) {
          case DriverRequest::kHeader: EXPECT_EQ(result, QL_USB_COMMAND_ERROR); break;
          case DriverRequest::kWriteData: EXPECT_EQ(result, QL_USB_WRITE_ERROR); break;
          case DriverRequest::kReadData: EXPECT_EQ(result, QL_USB_READ_ERROR); break;
          default:
            // The status phase's byte count is not examined: short, the byte still counts.
            EXPECT_EQ(result, shortTransfer ? clean : int16_t{QL_USB_READ_ERROR});
        }
        EXPECT_EQ(LastErrorCode(), result);
        if (!shortTransfer && phase != DriverRequest::kStatus) {
          EXPECT_EQ(rig.Log().Size(), 0u) << "the board never had the request";
        }
        ExpectStillUsable();
      }
    }
  }
}

TEST_F(DriverRequestDrill, VersionQueryFailingOrShortLeavesBothOutputsAlone) {
  for (const bool shortTransfer : {false, true}) {
    SimRig::Instance().Reset();
    SimRig::Instance().Board().request = RequestFault{DriverRequest::kVersion, shortTransfer, -1};
    uint16_t library[3] = {7, 7, 7};
    uint16_t device[3] = {7, 7, 7};
    const int handle = IICInit(kCamera, 20000, 1000);
    EXPECT_EQ(GetVersions(handle, library, device), QL_USB_COMMAND_ERROR);
    IICClose(handle);
    EXPECT_EQ(std::vector<uint16_t>(library, library + 3), (std::vector<uint16_t>{7, 7, 7}));
    EXPECT_EQ(std::vector<uint16_t>(device, device + 3), (std::vector<uint16_t>{7, 7, 7}));
  }
}

}  // namespace
}  // namespace torvix::testing
