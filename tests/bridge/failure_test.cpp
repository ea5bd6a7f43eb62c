// SPDX-License-Identifier: MIT
// Every way a transfer can fail, what it returns and what reached the device.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "bridge/src/usb_iic_bridge.h"
#include "tests/bridge/bridge_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

uint8_t g_buffer[2];

struct FailureCase {
  std::string name;
  std::function<int16_t(int)> call;
  std::size_t failingRequest;  // the index of the request that goes wrong
  Answer answer;
  int16_t code;
  std::size_t requestsMade;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class DriverFailure : public BridgeTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DriverFailure, EndsTheTransferWithItsCode) {
  const FailureCase& c = GetParam();
  const int handle = Open(0x70);
  script_->AnswerAfter(c.failingRequest, c.answer);
  EXPECT_EQ(c.call(handle), c.code);
  EXPECT_EQ(LastErrorCode(), c.code);
  EXPECT_EQ(Requests().size(), c.requestsMade);
}

int16_t WriteTwo(int h) { return Send(h, g_buffer, 0, 2); }
int16_t ReadTwo(int h) { return Receive(h, g_buffer, 0, 2); }
int16_t ReadNone(int h) { return Receive(h, g_buffer, 0, 0); }
int16_t Versions(int h) {
  uint16_t library[3];
  uint16_t device[3];
  return GetVersions(h, library, device);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryPhase, DriverFailure, ::testing::Values(
  FailureCase{"WriteHeaderFails", WriteTwo, 0, Fails(), 11, 1},
  FailureCase{"WriteHeaderShort", WriteTwo, 0, Reports(5), 11, 1},
  FailureCase{"ReadHeaderFails", ReadTwo, 0, Fails(), 11, 1},
  FailureCase{"WriteDataFails", WriteTwo, 1, Fails(), 12, 2},
  FailureCase{"WriteDataShort", WriteTwo, 1, Reports(1), 12, 2},
  FailureCase{"EmptyWriteDataOverreports", [](int h) { return Send(h, g_buffer, 0, 0); }, 1, Reports(1), 12, 2},
  FailureCase{"ReadDataFails", ReadTwo, 1, Fails(), 13, 2},
  FailureCase{"ReadDataShort", ReadTwo, 1, Reports(1), 13, 2},
  FailureCase{"WriteStatusFails", WriteTwo, 2, Fails(), 13, 3},
  FailureCase{"ReadStatusFails", ReadTwo, 2, Fails(), 13, 3},
  FailureCase{"EmptyReadStatusFails", ReadNone, 1, Fails(), 13, 2},
  FailureCase{"StatusByteIsTheResult", WriteTwo, 2, Bytes({5}, 1), 5, 3},
  FailureCase{"StatusByteIsUnsigned", ReadTwo, 2, Bytes({0xFE}, 1), 254, 3},
  FailureCase{"StatusCountIsNotExamined", ReadTwo, 2, Bytes({14}, 0), 14, 3},
  FailureCase{"BusStatusReadFails", [](int h) { return CheckI2CBus(h, g_buffer); }, 1, Fails(), 13, 2},
  FailureCase{"VersionFails", Versions, 0, Fails(), 11, 1},
  FailureCase{"VersionShort", Versions, 0, Reports(5), 11, 1}),
  CaseName());
// clang-format on

TEST_F(BridgeTest, StatusFiveNamesTheSilentSlave) {
  const int handle = Open(0x70);
  script_->AnswerAfter(2, Bytes({5}, 1));
  EXPECT_EQ(Send(handle, g_buffer, 0, 1), 5);
  char text[52];
  EXPECT_STREQ(ErrorString(handle, text), "TIME OUT: Acknowledge Receiver, IC does not respond");
}

TEST_F(BridgeTest, FailedVersionQueryLeavesTheOutputsAlone) {
  const int handle = Open(0x70);
  script_->answers.push_back(Bytes({9, 9, 9, 9, 9, 9}, 5));
  uint16_t library[3] = {7, 7, 7};
  uint16_t device[3] = {7, 7, 7};
  EXPECT_EQ(GetVersions(handle, library, device), 11);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(library[i], 7);
    EXPECT_EQ(device[i], 7);
  }
}

// Calls refused before anything reaches the device.
struct RefusalCase {
  std::string name;
  std::function<int16_t(int)> call;
  int16_t code;
  bool setsLastError = true;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class Refused : public BridgeTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refused, SendsNothing) {
  const int handle = Open(0x70);
  SetLastErrorCode(4);
  EXPECT_EQ(GetParam().call(handle), GetParam().code);
  EXPECT_EQ(LastErrorCode(), GetParam().setsLastError ? GetParam().code : 4);
  EXPECT_TRUE(Requests().empty());
}

uint8_t g_big[65];

// clang-format off
INSTANTIATE_TEST_SUITE_P(BadArguments, Refused, ::testing::Values(
  RefusalCase{"WriteTooLong", [](int h) { return Send(h, g_big, 0, 65); }, 33},
  RefusalCase{"WriteNegative", [](int h) { return SendSub(h, 1, 0, g_big, -1, 0); }, 33},
  RefusalCase{"ReadTooLong", [](int h) { return ReceiveSubInterLeaved(h, 2, 0, g_big, 65); }, 33},
  RefusalCase{"ReadNegative", [](int h) { return Receive(h, g_big, 0, -64); }, 33},
  RefusalCase{"WriteNullData", [](int h) { return Send(h, nullptr, 0, 1); }, 33},
  RefusalCase{"ReadNullData", [](int h) { return ReceiveSub(h, 2, 0, nullptr, 2, 0); }, 33},
  RefusalCase{"SendReceiveTooLong", [](int h) { return SendReceive(h, g_big, 65, g_big, 1); }, 33},
  RefusalCase{"SendReceiveNullWrite", [](int h) { return SendReceive(h, nullptr, 1, g_big, 1); }, 33},
  RefusalCase{"CheckI2CBusNull", [](int h) { return CheckI2CBus(h, nullptr); }, 33},
  RefusalCase{"GetVersionsNullLibrary",
              [](int h) { uint16_t d[3]; return GetVersions(h, nullptr, d); }, 33},
  RefusalCase{"GetVersionsNullDevice",
              [](int h) { uint16_t l[3]; return GetVersions(h, l, nullptr); }, 33},
  RefusalCase{"BusScanNull", [](int h) { return BusScan(h, nullptr); }, 33, false},
  RefusalCase{"GetDeviceAddressNull", [](int h) { return GetDeviceAddress(h, 0, nullptr); }, 33, false},
  RefusalCase{"SendType2", [](int h) { return Send(h, g_big, 2, 1); }, 0, false},
  RefusalCase{"ReceiveType4", [](int h) { return Receive(h, g_big, 4, 1); }, 0, false},
  RefusalCase{"SendSubSize3", [](int h) { return SendSub(h, 3, 0, g_big, 1, 0); }, 0, false},
  RefusalCase{"ReceiveSubType1", [](int h) { return ReceiveSub(h, 1, 0, g_big, 1, 1); }, 0, false}),
  CaseName());
// clang-format on

// SendReceive writes first whatever its read asks; only the read is refused.
class ReadRefusedAfterTheWrite : public BridgeTest,
                                 public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ReadRefusedAfterTheWrite, SendsTheWriteOnly) {
  const int handle = Open(0x70);
  EXPECT_EQ(GetParam().call(handle), 33);
  EXPECT_EQ(LastErrorCode(), 33);
  ASSERT_EQ(Requests().size(), 3u);  // the write's header, data and status
  EXPECT_EQ(Requests()[1].sent, std::vector<uint8_t>(1, g_big[0]));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(BadReads, ReadRefusedAfterTheWrite, ::testing::Values(
  RefusalCase{"NullRead", [](int h) { return SendReceive(h, g_big, 1, nullptr, 1); }, 33},
  RefusalCase{"ReadTooLong", [](int h) { return SendReceive(h, g_big, 1, g_big, 65); }, 33},
  RefusalCase{"ReadNegative", [](int h) { return SendReceive(h, g_big, 1, g_big, -1); }, 33}),
  CaseName());
// clang-format on

TEST_F(BridgeTest, SixtyFourBytesAreAccepted) {
  const int handle = Open(0x70);
  uint8_t data[64] = {};
  EXPECT_EQ(Send(handle, data, 0, 64), 0);
  EXPECT_EQ(Receive(handle, data, 0, 64), 0);
  EXPECT_EQ(Requests().size(), 6u);
}

TEST_F(BridgeTest, SendReceiveKeepsTheWriteFailure) {
  const int handle = Open(0x70);
  script_->AnswerAfter(2, Bytes({14}, 1));  // the write's status: address not acknowledged
  uint8_t tx[1] = {0x01};
  uint8_t rx[1] = {0x77};
  EXPECT_EQ(SendReceive(handle, tx, 1, rx, 1), 14);
  EXPECT_EQ(LastErrorCode(), 14);  // the empty write that followed succeeded
  EXPECT_EQ(IICError(handle), 1);
  ASSERT_EQ(Requests().size(), 6u);
  EXPECT_EQ(Requests()[3].sent, (std::vector<uint8_t>{0x01, 0x00, 0x00, 0x38, 0x00, 0x00}));
  EXPECT_TRUE(Requests()[4].sent.empty());
  EXPECT_EQ(rx[0], 0x77);  // no read
}

TEST_F(BridgeTest, ABridgeWithoutDeviceRefusesWithCode9) {
  SetAdapterDeviceOpenerForTesting([] { return nullptr; });
  const int openBefore = OpenDeviceCount();
  UsbIicBridge bridge(0x70, 0, 0);
  ASSERT_FALSE(bridge.DeviceOpen());
  uint8_t byte = 0;
  EXPECT_EQ(bridge.Write(TransferMode::kPlain, 0, &byte, 1), 9);
  EXPECT_EQ(bridge.Read(TransferMode::kSub8, 0, &byte, 1), 9);
  EXPECT_EQ(bridge.CheckI2CBus(&byte), 9);
  EXPECT_EQ(LastErrorCode(), 9);
  uint16_t library[3];
  uint16_t device[3];
  EXPECT_EQ(bridge.GetVersions(library, device), 11);
  EXPECT_EQ(OpenDeviceCount(), openBefore);
}

}  // namespace
}  // namespace torvix::testing
