// SPDX-License-Identifier: MIT
// The device requests each transfer export makes: header, data phase and status phase.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/bridge/bridge_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

const uint8_t kData[] = {0xAA, 0xBB};

using Call = std::function<int16_t(int handle, uint8_t* readBuffer)>;

struct SequenceCase {
  std::string name;
  Call call;
  std::vector<uint8_t> header;
  // Write commands: the payload sent. Read commands: nullopt-like empty with readSize set.
  std::vector<uint8_t> payload;
  int readSize = -1;  // -1: a write-data phase follows the header; else the read-data size
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class TransferSequence : public BridgeTest, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(TransferSequence, SendsHeaderDataAndStatusPhases) {
  const SequenceCase& c = GetParam();
  const int handle = Open(0x70);
  uint8_t buffer[64] = {};
  ASSERT_EQ(c.call(handle, buffer), 0);

  std::vector<RecordedRequest> expected;
  expected.push_back({kControlHostToBoard, 0, c.header, 6});
  if (c.readSize < 0) {
    expected.push_back({kControlHostToBoard, 1, c.payload, c.payload.size()});
  } else if (c.readSize > 0) {
    expected.push_back({kControlBoardToHost, 2, {}, static_cast<std::size_t>(c.readSize)});
  }
  expected.push_back({kControlBoardToHost, 3, {}, 1});

  ASSERT_EQ(Requests().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Requests()[i].code, expected[i].code);
    EXPECT_EQ(Requests()[i].phase, expected[i].phase);
    EXPECT_EQ(Requests()[i].sent, expected[i].sent);
    EXPECT_EQ(Requests()[i].capacity, expected[i].capacity);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryModeAndCommand, TransferSequence, ::testing::Values(
  SequenceCase{"SendPlain", [](int h, uint8_t*) { return Send(h, kData, 0, 2); },
               {0x01, 0x00, 0x02, 0x38, 0x00, 0x00}, {0xAA, 0xBB}},
  SequenceCase{"SendType1", [](int h, uint8_t*) { return Send(h, kData, 1, 2); },
               {0x0C, 0x00, 0x02, 0x38, 0x00, 0x00}, {0xAA, 0xBB}},
  SequenceCase{"SendType3", [](int h, uint8_t*) { return Send(h, kData, 3, 2); },
               {0x11, 0x00, 0x02, 0x38, 0x00, 0x00}, {0xAA, 0xBB}},
  SequenceCase{"SendNothing", [](int h, uint8_t*) { return Send(h, kData, 0, 0); },
               {0x01, 0x00, 0x00, 0x38, 0x00, 0x00}, {}},
  SequenceCase{"SendNullNothing", [](int h, uint8_t*) { return Send(h, nullptr, 0, 0); },
               {0x01, 0x00, 0x00, 0x38, 0x00, 0x00}, {}},
  SequenceCase{"SendSubOneByte", [](int h, uint8_t*) { return SendSub(h, 1, 0x1234, kData, 2, 0); },
               {0x01, 0x00, 0x03, 0x38, 0x34, 0x12}, {0x34, 0xAA, 0xBB}},
  SequenceCase{"SendSubCameraWrite",
               [](int h, uint8_t*) { const uint8_t d[] = {0x30, 0x17}; return SendSub(h, 1, 0, d, 2, 0); },
               {0x01, 0x00, 0x03, 0x38, 0x00, 0x00}, {0x00, 0x30, 0x17}},
  SequenceCase{"SendSubTwoBytes", [](int h, uint8_t*) { return SendSub(h, 2, 0x1234, kData, 2, 0); },
               {0x01, 0x00, 0x04, 0x38, 0x34, 0x12}, {0x12, 0x34, 0xAA, 0xBB}},
  SequenceCase{"SendSubType2", [](int h, uint8_t*) { return SendSub(h, 7, 0x1234, kData, 2, 2); },
               {0x0F, 0x00, 0x04, 0x38, 0x34, 0x12}, {0x12, 0x34, 0xAA, 0xBB}},
  SequenceCase{"SendInterleaved8", [](int h, uint8_t*) { return SendSubInterLeaved(h, 1, 0x10, kData, 2); },
               {0x03, 0x00, 0x04, 0x38, 0x10, 0x00}, {0x10, 0xAA, 0x11, 0xBB}},
  SequenceCase{"SendInterleaved8Wraps", [](int h, uint8_t*) { return SendSubInterLeaved(h, 0, 0xFF, kData, 2); },
               {0x03, 0x00, 0x04, 0x38, 0xFF, 0x00}, {0xFF, 0xAA, 0x00, 0xBB}},
  SequenceCase{"SendInterleaved16", [](int h, uint8_t*) { return SendSubInterLeaved(h, 2, 0x01FF, kData, 2); },
               {0x0A, 0x00, 0x06, 0x38, 0xFF, 0x01}, {0x01, 0xFF, 0xAA, 0x02, 0x00, 0xBB}},
  SequenceCase{"ReceivePlain", [](int h, uint8_t* b) { return Receive(h, b, 0, 2); },
               {0x04, 0x00, 0x02, 0x38, 0x00, 0x00}, {}, 2},
  SequenceCase{"ReceiveType1", [](int h, uint8_t* b) { return Receive(h, b, 1, 2); },
               {0x0D, 0x00, 0x02, 0x38, 0x00, 0x00}, {}, 2},
  SequenceCase{"ReceiveType3", [](int h, uint8_t* b) { return Receive(h, b, 3, 2); },
               {0x12, 0x00, 0x02, 0x38, 0x00, 0x00}, {}, 2},
  SequenceCase{"ReceiveNothing", [](int h, uint8_t* b) { return Receive(h, b, 0, 0); },
               {0x04, 0x00, 0x00, 0x38, 0x00, 0x00}, {}, 0},
  SequenceCase{"ReceiveSubOneByte", [](int h, uint8_t* b) { return ReceiveSub(h, 1, 0x1234, b, 2, 0); },
               {0x05, 0x00, 0x02, 0x38, 0x34, 0x12}, {}, 2},
  SequenceCase{"ReceiveSubTwoBytes", [](int h, uint8_t* b) { return ReceiveSub(h, 2, 0x1234, b, 2, 0); },
               {0x08, 0x00, 0x02, 0x38, 0x34, 0x12}, {}, 2},
  SequenceCase{"ReceiveSubType2", [](int h, uint8_t* b) { return ReceiveSub(h, 1, 0x1234, b, 2, 2); },
               {0x10, 0x00, 0x02, 0x38, 0x34, 0x12}, {}, 2},
  SequenceCase{"ReceiveInterleaved8", [](int h, uint8_t* b) { return ReceiveSubInterLeaved(h, 1, 0x10, b, 2); },
               {0x06, 0x00, 0x02, 0x38, 0x10, 0x00}, {}, 2},
  // Command 11 gets its read-data phase like every other read.
  SequenceCase{"ReceiveInterleaved16", [](int h, uint8_t* b) { return ReceiveSubInterLeaved(h, 2, 0x01FF, b, 2); },
               {0x0B, 0x00, 0x02, 0x38, 0xFF, 0x01}, {}, 2},
  SequenceCase{"CheckI2CBus", [](int h, uint8_t* b) { return CheckI2CBus(h, b); },
               {0x0E, 0x00, 0x01, 0x00, 0x00, 0x00}, {}, 1},
  SequenceCase{"SetAddressLow8Bits",
               [](int h, uint8_t* b) { SetAddress(h, 0x1A4); return Receive(h, b, 0, 1); },
               {0x04, 0x00, 0x01, 0x52, 0x00, 0x00}, {}, 1}),
  CaseName());
// clang-format on

TEST_F(BridgeTest, InitKeepsOnlyTheLowEightBitsOfTheAddress) {
  const int handle = Open(0x171);
  uint8_t byte = 0;
  ASSERT_EQ(Receive(handle, &byte, 0, 1), 0);
  EXPECT_EQ(Requests().front().sent[kHeaderAddress7], 0x38);
}

TEST_F(BridgeTest, FullLengthWritesCarryTheWholePayload) {
  const int handle = Open(0x70);
  std::vector<uint8_t> data(64);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i);
  ASSERT_EQ(SendSubInterLeaved(handle, 2, 0x0100, data.data(), 64), 0);
  const auto& header = Requests()[0].sent;
  EXPECT_EQ((header[kHeaderLengthHigh] << 8) | header[kHeaderLengthLow], 192);
  const auto& payload = Requests()[1].sent;
  ASSERT_EQ(payload.size(), 192u);
  EXPECT_EQ(payload[189], 0x01);  // sub-address 0x013F of the last byte
  EXPECT_EQ(payload[190], 0x3F);
  EXPECT_EQ(payload[191], 63);
}

struct ReadCase {
  std::string name;
  std::function<int16_t(int, uint8_t*)> read;
  std::size_t dataRequest = 1;  // the index of the read-data request
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadFillsBuffer : public BridgeTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadFillsBuffer, WithTheBoardsBytes) {
  const int handle = Open(0x70);
  script_->AnswerAfter(GetParam().dataRequest, Bytes({0x11, 0x22}));
  uint8_t buffer[2] = {};
  ASSERT_EQ(GetParam().read(handle, buffer), 0);
  EXPECT_EQ(buffer[0], 0x11);
  EXPECT_EQ(buffer[1], 0x22);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRead, ReadFillsBuffer,
    ::testing::Values(
        ReadCase{"Receive", [](int h, uint8_t* b) { return Receive(h, b, 0, 2); }},
        ReadCase{"ReceiveSub", [](int h, uint8_t* b) { return ReceiveSub(h, 2, 9, b, 2, 0); }},
        ReadCase{"Interleaved8",
                 [](int h, uint8_t* b) { return ReceiveSubInterLeaved(h, 1, 9, b, 2); }},
        ReadCase{"Interleaved16",
                 [](int h, uint8_t* b) { return ReceiveSubInterLeaved(h, 2, 9, b, 2); }},
        ReadCase{"SendReceive", [](int h, uint8_t* b) { return SendReceive(h, nullptr, 0, b, 2); },
                 4}),  // after the empty write's header, data and status phases
    CaseName());

// The bus status arrives in the read-data phase; the status phase gives the result.
TEST_F(BridgeTest, CheckI2CBusDeliversTheBusStatusByte) {
  const int handle = Open(0x70);
  script_->AnswerAfter(1, Bytes({0x5A}));
  uint8_t status = 0;
  EXPECT_EQ(CheckI2CBus(handle, &status), 0);
  EXPECT_EQ(status, 0x5A);
}

TEST_F(BridgeTest, SendReceiveWritesThenReads) {
  const int handle = Open(0x70);
  uint8_t rx[1] = {};
  ASSERT_EQ(SendReceive(handle, kData, 1, rx, 1), 0);
  ASSERT_EQ(Requests().size(), 6u);
  EXPECT_EQ(Requests()[0].sent, (std::vector<uint8_t>{0x01, 0x00, 0x01, 0x38, 0x00, 0x00}));
  EXPECT_EQ(Requests()[1].sent, (std::vector<uint8_t>{0xAA}));
  EXPECT_EQ(Requests()[3].sent, (std::vector<uint8_t>{0x04, 0x00, 0x01, 0x38, 0x00, 0x00}));
  EXPECT_EQ(SendSend(handle, kData, 1, rx, 1), 0);
  EXPECT_EQ(Requests().size(), 12u);
}

TEST_F(BridgeTest, GetVersionsReportsLibraryAndDriver) {
  const int handle = Open(0x70);
  script_->answers.push_back(Bytes({0x02, 0x00, 0x01, 0x01, 0x00, 0x80}, 6));
  uint16_t library[3] = {};
  uint16_t device[3] = {};
  ASSERT_EQ(GetVersions(handle, library, device), 0);
  EXPECT_EQ(library[0], 3);
  EXPECT_EQ(library[1], 0);
  EXPECT_EQ(library[2], 1);
  EXPECT_EQ(device[0], 0x0002);
  EXPECT_EQ(device[1], 0x0101);
  EXPECT_EQ(device[2], 0x8000);
  ASSERT_EQ(Requests().size(), 1u);
  EXPECT_EQ(Requests()[0].code, kControlVersion);
  EXPECT_FALSE(Requests()[0].phase.has_value());
  EXPECT_EQ(Requests()[0].capacity, 6u);
}

}  // namespace
}  // namespace torvix::testing
