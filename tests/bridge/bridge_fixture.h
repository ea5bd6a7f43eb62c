// SPDX-License-Identifier: MIT
// Every IICInit of a test opens a ScriptedDevice sharing one script; the table is emptied and
// the real opener restored after each test.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "bridge/include/quorlink.h"
#include "bridge/src/adapter_device.h"
#include "bridge/src/bridge_table.h"
#include "tests/bridge/scripted_device.h"

namespace torvix::testing {

class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WEP(0);
    SetLastErrorCode(0);
    SetAdapterDeviceOpenerForTesting(
        [script = script_] { return std::make_unique<ScriptedDevice>(script); });
  }
  void TearDown() override {
    WEP(0);
    SetAdapterDeviceOpenerForTesting({});
    SetLastErrorCode(0);
  }

  // Opens a bridge and forgets the requests made so far.
  int Open(int address) {
    const int handle = IICInit(address, 20000, 1000);
    EXPECT_GE(handle, 0);
    script_->requests.clear();
    return handle;
  }

  const std::vector<RecordedRequest>& Requests() const { return script_->requests; }

  std::shared_ptr<DeviceScript> script_ = std::make_shared<DeviceScript>();
};

}  // namespace torvix::testing
