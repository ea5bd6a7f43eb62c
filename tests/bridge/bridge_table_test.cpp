// SPDX-License-Identifier: MIT
// The bridge table, handle validation, the last error code and its texts.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>

#include "tests/bridge/bridge_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

TEST_F(BridgeTest, HandlesAreTheLowestFreeSlots) {
  EXPECT_EQ(IICInit(0x70, 20000, 1000), 0);
  EXPECT_EQ(IICInit(0x72, 20000, 1000), 1);
  IICClose(0);
  EXPECT_EQ(IICInit(0x74, 20000, 1000), 0);
  EXPECT_EQ(LastErrorCode(), 0);
}

TEST_F(BridgeTest, AnOpeningIICInitClearsAnEarlierError) {
  SetLastErrorCode(QL_USB_READ_ERROR);
  ASSERT_EQ(IICInit(0x70, 20000, 1000), 0);
  EXPECT_EQ(LastErrorCode(), 0);
  EXPECT_EQ(IICError(0), 0);
}

TEST_F(BridgeTest, TheHundredAndFirstBridgeIsRefused) {
  for (int i = 0; i < kBridgeSlots; ++i) ASSERT_EQ(IICInit(0x70, 0, 0), i);
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
  EXPECT_EQ(IICError(0), 1);
  char text[52];
  EXPECT_STREQ(ErrorString(0, text), "Max devices exeeded");
  EXPECT_EQ(script_->opened, kBridgeSlots);  // no device was opened for the refused one
}

TEST_F(BridgeTest, AnAbsentDeviceLeavesTheSlotEmpty) {
  SetAdapterDeviceOpenerForTesting([] { return nullptr; });
  const int openBefore = OpenDeviceCount();  // bridges abandoned by LibMain stay counted
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
  EXPECT_EQ(LastErrorCode(), QL_DEVICE_NOT_FOUND);
  EXPECT_EQ(OpenDeviceCount(), openBefore);
  char text[52];
  EXPECT_STREQ(ErrorString(-1, text), "USB device not found");
  uint8_t byte = 0;
  EXPECT_EQ(Send(-1, &byte, 0, 1), -1);
  EXPECT_STREQ(ErrorString(-1, text), "USB device not found");
}

TEST_F(BridgeTest, EachBridgeClosesItsOwnDevice) {
  const int openBefore = OpenDeviceCount();
  const int first = Open(0x70);
  const int second = Open(0x72);
  EXPECT_EQ(OpenDeviceCount(), openBefore + 2);
  IICClose(first);
  EXPECT_EQ(script_->closed, 1);
  EXPECT_EQ(OpenDeviceCount(), openBefore + 1);
  uint8_t byte = 0;
  EXPECT_EQ(Send(second, &byte, 0, 1), 0);
  IICClose(second);
  EXPECT_EQ(script_->closed, 2);
  EXPECT_EQ(OpenDeviceCount(), openBefore);
}

TEST_F(BridgeTest, WepReleasesEveryBridge) {
  const int openBefore = OpenDeviceCount();
  Open(0x70);
  Open(0x72);
  EXPECT_EQ(WEP(0), 1);
  EXPECT_EQ(script_->closed, 2);
  EXPECT_EQ(OpenDeviceCount(), openBefore);
  EXPECT_EQ(IICInit(0x70, 0, 0), 0);
}

TEST_F(BridgeTest, LibMainEmptiesTheTableOnlyWithAHeap) {
  const int handle = Open(0x70);
  EXPECT_EQ(LibMain(nullptr, 0, 0, nullptr), 1);
  EXPECT_EQ(SetAddress(handle, 0x72), 0);
  EXPECT_EQ(LastErrorCode(), 0);  // the slot is still owned

  EXPECT_EQ(LibMain(nullptr, 0, 4096, nullptr), 1);
  IICClose(handle);
  EXPECT_EQ(LastErrorCode(), QL_INVALID_HANDLE);
  EXPECT_EQ(script_->closed, 0);  // emptied, not released: the device stays open and counted
  EXPECT_EQ(IICInit(0x70, 0, 0), 0);
}

// Every export that takes a handle, with what it returns for one that names no bridge.
struct HandleCase {
  std::string name;
  std::function<int(int handle)> call;
  int invalidResult;
};

void PrintTo(const HandleCase& c, std::ostream* os) { *os << c.name; }

class InvalidHandle : public BridgeTest, public ::testing::WithParamInterface<HandleCase> {};

uint8_t g_byte[64];
uint16_t g_words[3];

TEST_P(InvalidHandle, OutOfRangeChangesNothing) {
  Open(0x70);
  for (int handle : {-1, 100, 1 << 20}) {
    SetLastErrorCode(5);
    EXPECT_EQ(GetParam().call(handle), GetParam().invalidResult) << handle;
    EXPECT_EQ(LastErrorCode(), 5);
  }
  EXPECT_TRUE(Requests().empty());
}

TEST_P(InvalidHandle, EmptySlotSetsCode18) {
  Open(0x70);
  for (int handle : {1, 99}) {
    SetLastErrorCode(5);
    EXPECT_EQ(GetParam().call(handle), GetParam().invalidResult) << handle;
    EXPECT_EQ(LastErrorCode(), QL_INVALID_HANDLE);
  }
  EXPECT_TRUE(Requests().empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryExport, InvalidHandle, ::testing::Values(
  HandleCase{"Send", [](int h) { return int{Send(h, g_byte, 0, 1)}; }, -1},
  HandleCase{"Receive", [](int h) { return int{Receive(h, g_byte, 0, 1)}; }, -1},
  HandleCase{"SendSub", [](int h) { return int{SendSub(h, 1, 0, g_byte, 1, 0)}; }, -1},
  HandleCase{"ReceiveSub", [](int h) { return int{ReceiveSub(h, 1, 0, g_byte, 1, 0)}; }, -1},
  HandleCase{"SendSubInterLeaved", [](int h) { return int{SendSubInterLeaved(h, 1, 0, g_byte, 1)}; }, -1},
  HandleCase{"ReceiveSubInterLeaved", [](int h) { return int{ReceiveSubInterLeaved(h, 1, 0, g_byte, 1)}; }, -1},
  HandleCase{"SendReceive", [](int h) { return int{SendReceive(h, g_byte, 1, g_byte, 1)}; }, -1},
  HandleCase{"SendSend", [](int h) { return int{SendSend(h, g_byte, 1, g_byte, 1)}; }, -1},
  HandleCase{"SetAddress", [](int h) { return int{SetAddress(h, 0x70)}; }, 0},
  HandleCase{"BusScan", [](int h) { return int{BusScan(h, g_byte)}; }, -1},
  HandleCase{"GetDeviceAddress", [](int h) { return int{GetDeviceAddress(h, 0, g_byte)}; }, -1},
  HandleCase{"GetVersions", [](int h) { return int{GetVersions(h, g_words, g_words)}; }, -1},
  HandleCase{"CheckI2CBus", [](int h) { return int{CheckI2CBus(h, g_byte)}; }, -1},
  HandleCase{"WriteParPortData", [](int h) { return int{WriteParPortData(h, 0)}; }, -1},
  HandleCase{"ReadParPortStatus", [](int h) { return int{ReadParPortStatus(h)}; }, 0xFF},
  HandleCase{"IICClose", [](int h) { IICClose(h); return 0; }, 0}),
  CaseName());
// clang-format on

struct TextCase {
  int16_t code;
  const char* text;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.code; }

class ErrorTexts : public BridgeTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(ErrorTexts, IsWrittenWithItsTerminator) {
  SetLastErrorCode(GetParam().code);
  char buffer[64];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(ErrorString(7, buffer), buffer);
  EXPECT_STREQ(buffer, GetParam().text);
  EXPECT_EQ(buffer[std::strlen(GetParam().text) + 1], 'x');  // nothing past the terminator
  EXPECT_EQ(IICError(-5), GetParam().code > 0 ? 1 : 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryCode, ErrorTexts, ::testing::Values(
  TextCase{0, "There are no Errors"},
  TextCase{1, "Illegal LPT port "},
  TextCase{2, "Illegal bit transmission"},
  TextCase{3, "Arbitration lost"},
  TextCase{4, "TIME OUT: during bit transmission"},
  TextCase{5, "TIME OUT: Acknowledge Receiver, IC does not respond"},
  TextCase{6, "Cannot start, lines not free"},
  TextCase{7, "error in IIC constructor"},
  TextCase{8, "could not generate STOP condition"},
  TextCase{9, "IIC Device not available anymore"},
  TextCase{10, "Unrecognised error code"},
  TextCase{11, "USB command error"},
  TextCase{12, "USB write error"},
  TextCase{13, "USB read error"},
  TextCase{14, "IIC Device not present"},
  TextCase{15, "IIC Device not present"},
  TextCase{16, "Not working on this OS"},
  TextCase{17, "GevVersionEx() failed"},
  TextCase{18, "Invalid handle"},
  TextCase{19, "Giveiopar driver missing"},
  TextCase{20, "No lpt device"},
  TextCase{21, "Illegal port number"},
  TextCase{22, "USB device not found"},
  TextCase{23, "Max devices exeeded"},
  TextCase{24, "Unrecognised error code"},
  TextCase{32, "Unrecognised error code"},
  TextCase{33, "Maximum data length of 64 exceeded"},
  TextCase{34, "Unrecognised error code"},
  TextCase{200, "Unrecognised error code"},
  TextCase{-1, "Unrecognised error code"},
  TextCase{-32768, "Unrecognised error code"}));
// clang-format on

TEST_F(BridgeTest, ErrorStringRefusesANullBuffer) {
  SetLastErrorCode(5);
  EXPECT_EQ(ErrorString(0, nullptr), nullptr);
  EXPECT_EQ(LastErrorCode(), 5);
}

TEST_F(BridgeTest, ParallelPortExportsReportNoPort) {
  const int handle = Open(0x70);
  EXPECT_EQ(WriteParPortData(handle, 0x55), 20);
  char text[52];
  EXPECT_STREQ(ErrorString(handle, text), "No lpt device");
  SetLastErrorCode(0);
  EXPECT_EQ(ReadParPortStatus(handle), 0);
  EXPECT_EQ(LastErrorCode(), 20);
  EXPECT_TRUE(Requests().empty());
}

TEST_F(BridgeTest, IICErrorFollowsTheLatestTransfer) {
  const int handle = Open(0x70);
  uint8_t byte = 0;
  script_->AnswerAfter(2, Bytes({5}, 1));
  EXPECT_EQ(Send(handle, &byte, 0, 1), 5);
  EXPECT_EQ(IICError(handle), 1);
  EXPECT_EQ(Send(handle, &byte, 0, 1), 0);
  EXPECT_EQ(IICError(handle), 0);
}

}  // namespace
}  // namespace torvix::testing
