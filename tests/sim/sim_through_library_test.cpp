// SPDX-License-Identifier: MIT
// The virtual board and camera driven through the bridge library with QUORLINK_DEVICE=sim.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "bridge/sim/sim_device.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"
#include "tests/support/camera_requests.h"
#include "tests/support/case_name.h"
#include "tests/support/interleaved_writes.h"

namespace torvix::testing {
namespace {

class SimThroughLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("QUORLINK_DEVICE", "sim", 1);
    WEP(0);
    Rig().Reset();
  }
  void TearDown() override {
    WEP(0);
    Rig().Reset();
    ::unsetenv("QUORLINK_DEVICE");
  }
  static SimRig& Rig() { return SimRig::Instance(); }
  static std::string LastError() {
    char text[64] = {};
    return ErrorString(0, text);
  }

  VirtualClock clock_;
  ScopedClock scoped_{clock_};
};

TEST_F(SimThroughLibrary, RegisterWrittenReadsBackAndStaysAcrossHandles) {
  ASSERT_EQ(WriteCameraRegister(0x70, 0x57, 0x40), 0);
  EXPECT_EQ(Rig().Camera().Register(0x57), 0x40);
  uint8_t value = 0;
  ASSERT_EQ(ReadCameraRegister(0x70, 0x57, value), 0);
  EXPECT_EQ(value, 0x40);
  // The bus saw exactly the camera's requests.
  const BusLog& log = Rig().Log();
  ASSERT_EQ(log.Size(), 4u);
  EXPECT_EQ(log[0].bytes, (std::vector<uint8_t>{0x00, 0x30, 0x57}));
  EXPECT_EQ(log[1].bytes, (std::vector<uint8_t>{0x40}));
  EXPECT_EQ(log[2].bytes, (std::vector<uint8_t>{0x01, 0x31, 0x57}));
  EXPECT_EQ(log[3].direction, Direction::kRead);
  EXPECT_EQ(log[3].address7, 0x38);
}

TEST_F(SimThroughLibrary, EverySettingsRegisterReadsItsFactoryValue) {
  for (const FactorySetting& setting : kCameraFactorySettings) {
    uint8_t value = 0;
    ASSERT_EQ(ReadCameraRegister(0x70, setting.reg, value), 0);
    EXPECT_EQ(value, setting.value) << "register " << int{setting.reg};
  }
}

TEST_F(SimThroughLibrary, DspPagesAndEepromReadTheirDocumentedBytes) {
  ASSERT_EQ(WriteCameraRegister(0x70, 0x42, 0x90), 0);
  uint8_t value = 0;
  ASSERT_EQ(ReadCameraRequest(0x70, 0x81, 0, 0x42, value), 0);
  EXPECT_EQ(value, 0x90);  // page 0 is the settings bank
  ASSERT_EQ(ReadCameraRequest(0x70, 0x81, 7, 0x10, value), 0);
  EXPECT_EQ(value, DspPattern(7, 0x10));
  ASSERT_EQ(ReadCameraRequest(0x70, 0x01, 0xA6, 0xFF, value), 0);
  EXPECT_EQ(value, EepromPattern(1023));
}

TEST_F(SimThroughLibrary, LoadDefaultsMakesTheCameraBusyForASecondThenFactoryAgain) {
  ASSERT_EQ(WriteCameraRegister(0x70, 0x57, 0x40), 0);
  ASSERT_EQ(WriteCameraRegister(0x70, 0xF0, 0x01), 0);
  uint8_t value = 0;
  clock_.Pause(Milliseconds{999});
  EXPECT_EQ(ReadCameraRegister(0x70, 0x57, value), kStatusAddressNack);
  EXPECT_EQ(LastError(), "IIC Device not present");
  clock_.Pause(Milliseconds{1});
  ASSERT_EQ(ReadCameraRegister(0x70, 0x57, value), 0);
  EXPECT_EQ(value, 0x3C);
}

TEST_F(SimThroughLibrary, ProbeIsAnsweredOnlyAtTheCamerasAddress) {
  Rig().AddDevice(0x20);
  std::vector<int> answered;
  for (int address = 0; address <= 0xFC; address += 2) {
    uint8_t value = 0;
    if (ReadCameraRequest(address, 0x01, 0x30, 0x31, value) == 0) answered.push_back(address);
  }
  EXPECT_EQ(answered, (std::vector<int>{0x20, 0x70}));
}

TEST_F(SimThroughLibrary, OwnAddressTakesEffectAtTheNextPowerCycle) {
  ASSERT_EQ(WriteCameraRegister(0x70, 0x31, 0x72), 0);
  uint8_t value = 0;
  ASSERT_EQ(ReadCameraRegister(0x70, 0x31, value), 0);
  EXPECT_EQ(value, 0x72);
  ASSERT_EQ(WriteCameraRegister(0x70, 0x80, 0x01), 0);
  Rig().Camera().PowerCycle();
  EXPECT_EQ(ReadCameraRegister(0x70, 0x31, value), kStatusAddressNack);
  ASSERT_EQ(ReadCameraRegister(0x72, 0x80, value), 0);
  EXPECT_EQ(value, 0x00);  // the camera powers up under I2C control
}

// Each injected fault and the result code a real board gives for it.
struct FaultCase {
  const char* name;
  void (*inject)(SimRig&);
  int code;
};

class InjectedFault : public SimThroughLibrary, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(InjectedFault, GivesTheResultCodeOfARealBoard) {
  GetParam().inject(Rig());
  EXPECT_EQ(WriteCameraRegister(0x70, 0x57, 0x40), GetParam().code);
  EXPECT_NE(Rig().Camera().Register(0x57), 0x40);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, InjectedFault,
    ::testing::Values(
        FaultCase{"CameraAbsent", [](SimRig& rig) { rig.SetCameraPresent(false); },
                  kStatusAddressNack},
        FaultCase{"CameraOff", [](SimRig& rig) { rig.Camera().SetPowered(false); },
                  kStatusAddressNack},
        FaultCase{"ForcedStatus", [](SimRig& rig) { rig.Faults().forcedStatus = 5; }, 5},
        FaultCase{"BusBusy",
                  [](SimRig& rig) { rig.Faults().busyUntil = Now() + Microseconds{1000000}; },
                  kStatusBusBusy},
        FaultCase{"HeaderFails",
                  [](SimRig& rig) { rig.Board().request = RequestFault{DriverRequest::kHeader}; },
                  11},
        FaultCase{"HeaderShort",
                  [](SimRig& rig) {
                    rig.Board().request = RequestFault{DriverRequest::kHeader, true};
                  },
                  11},
        FaultCase{
            "WriteDataFails",
            [](SimRig& rig) { rig.Board().request = RequestFault{DriverRequest::kWriteData}; }, 12},
        FaultCase{"WriteDataShort",
                  [](SimRig& rig) {
                    rig.Board().request = RequestFault{DriverRequest::kWriteData, true};
                  },
                  12},
        FaultCase{"StatusFails",
                  [](SimRig& rig) { rig.Board().request = RequestFault{DriverRequest::kStatus}; },
                  13}),
    CaseName());

TEST_F(SimThroughLibrary, FailingReadDataPhaseGivesThirteenAndAFaultWearsOff) {
  Rig().Board().request = RequestFault{DriverRequest::kReadData, false, 1};
  uint8_t value = 0;
  EXPECT_EQ(ReadCameraRegister(0x70, 0x57, value), 13);
  ASSERT_EQ(ReadCameraRegister(0x70, 0x57, value), 0);
  EXPECT_EQ(value, 0x3C);
}

TEST_F(SimThroughLibrary, AbsentBoardMakesIICInitFailWithTwentyTwo) {
  Rig().Board().absent = true;
  EXPECT_EQ(IICInit(0x70, 20000, 1000), -1);
  EXPECT_EQ(LastError(), "USB device not found");
}

TEST_F(SimThroughLibrary, VersionAndBusStateComeFromTheBoard) {
  const int handle = IICInit(0x70, 20000, 1000);
  uint16_t library[3] = {};
  uint16_t device[3] = {};
  ASSERT_EQ(GetVersions(handle, library, device), 0);
  EXPECT_EQ(device[0], 2);
  EXPECT_EQ(device[1], 1);
  Rig().Faults().busyUntil = Now() + Microseconds{5000};
  uint8_t state = 0xEE;
  EXPECT_EQ(CheckI2CBus(handle, &state), 0);
  EXPECT_EQ(state, kBusBusy);
  Rig().Board().request = RequestFault{DriverRequest::kVersion};
  EXPECT_EQ(GetVersions(handle, library, device), 11);
  IICClose(handle);
}

TEST_F(SimThroughLibrary, BusLogShowsThePauseBetweenRequestAndRead) {
  const uint8_t request[2] = {0x31, 0x57};
  int handle = IICInit(0x70, 20000, 1000);
  SendSub(handle, 1, 0x01, request, 2, 0);
  IICClose(handle);
  clock_.Pause(Milliseconds{2});
  handle = IICInit(0x71, 20000, 1000);
  uint8_t value = 0;
  Receive(handle, &value, 0, 1);
  IICClose(handle);
  EXPECT_EQ(Rig().Log().Between(0, 1), Microseconds{2000});
}

// Two handles on the one in-process board: each one's data goes out under its own header.
TEST_F(SimThroughLibrary, EachHandlesRequestStaysItsOwn) {
  Rig().AddDevice(0x28);
  InterleaveTwoWrites(*OpenSimAdapterDevice(), *OpenSimAdapterDevice());
  ASSERT_EQ(Rig().Log().Size(), 2u);
  EXPECT_EQ(Rig().Log().To(0x14).at(0).bytes, kBytesA);
  EXPECT_EQ(Rig().Log().To(0x38).at(0).bytes, kBytesB);
}

// Two threads, a handle each round: many overlaps, and every transfer keeps to its handle.
TEST_F(SimThroughLibrary, TwoThreadsWithAHandleEachNeverMixTheirTransfers) {
  constexpr int kRounds = 15000;  // the transfers of both still fit in the bus log
  Rig().AddDevice(0x20);
  Rig().AddDevice(0x40);
  std::atomic<bool> go{false};
  auto hammer = [&go](int address8) {
    while (!go) std::this_thread::yield();
    for (int round = 0; round < kRounds; ++round) {
      const int handle = IICInit(address8, 20000, 1000);
      uint8_t bytes[4] = {1, 2, 3, 4};
      const int sent = Send(handle, bytes, 0, 4);
      const int read = Receive(handle, bytes, 0, 4);
      IICClose(handle);
      if (sent != 0 || read != 0 || bytes[3] != 0xFF) return false;
    }
    return true;
  };
  auto first = std::async(std::launch::async, hammer, 0x20);
  auto second = std::async(std::launch::async, hammer, 0x40);
  go = true;
  EXPECT_TRUE(first.get());
  EXPECT_TRUE(second.get());
  EXPECT_EQ(Rig().Log().To(0x10).size(), 2u * kRounds);
  EXPECT_EQ(Rig().Log().To(0x20).size(), 2u * kRounds);
}

}  // namespace
}  // namespace torvix::testing
