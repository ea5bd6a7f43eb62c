// SPDX-License-Identifier: MIT
#include "board/adapter_board.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "clock/virtual_clock.h"
#include "tests/board/recording_bus.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes PhaseBytes(Phase phase) { return {static_cast<uint8_t>(phase), 0, 0, 0}; }

class AdapterBoardTest : public ::testing::Test {
 protected:
  ControlResult SendHeader(uint8_t command, uint16_t length, uint8_t address7, uint16_t sub = 0) {
    Bytes header{command,  static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length),
                 address7, static_cast<uint8_t>(sub),         static_cast<uint8_t>(sub >> 8)};
    return board_.Control(kControlHostToBoard, PhaseBytes(Phase::kHeader), header);
  }
  ControlResult SendData(Bytes payload) {
    return board_.Control(kControlHostToBoard, PhaseBytes(Phase::kWriteData), payload);
  }
  ControlResult ReadData(Bytes& data) {
    return board_.Control(kControlBoardToHost, PhaseBytes(Phase::kReadData), data);
  }
  // The status byte, or -1 when the status request failed.
  int Status() {
    Bytes out{0xEE};
    const ControlResult result =
        board_.Control(kControlBoardToHost, PhaseBytes(Phase::kStatus), out);
    return result.ok ? out[0] : -1;
  }

  VirtualClock clock_;
  ScopedClock scoped_{clock_};
  RecordingBus bus_;
  AdapterBoard board_{bus_};
};

TEST_F(AdapterBoardTest, RegisterRequestReachesTheBusAsOneWrite) {
  ASSERT_EQ(SendHeader(1, 3, 0x38).transferred, kHeaderSize);
  const ControlResult data = SendData({0x00, 0x30, 0x57});
  EXPECT_TRUE(data.ok);
  EXPECT_EQ(data.transferred, 3u);
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(bus_.calls, (std::vector<BusCall>{{'W', 0x38, {0x00, 0x30, 0x57}, 0}}));
}

TEST_F(AdapterBoardTest, ReadFillsTheCallersBufferAndPassesTheBusStatusThrough) {
  bus_.statuses = {kStatusDataNack};
  SendHeader(4, 2, 0x38);
  Bytes data(2, 0x71);
  EXPECT_EQ(ReadData(data).transferred, 2u);
  EXPECT_EQ(data, (Bytes{0xA0, 0xA1}));
  EXPECT_EQ(Status(), kStatusDataNack);
}

// Malformed requests fail, send nothing on the bus and leave no transfer pending.
struct MalformedCase {
  const char* name;
  uint32_t code;
  Bytes input;
  std::size_t outputSize;
};

class MalformedRequest : public AdapterBoardTest,
                         public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedRequest, FailsAndSendsNothing) {
  const MalformedCase& c = GetParam();
  Bytes output(c.outputSize, 0);
  EXPECT_FALSE(board_.Control(c.code, c.input, output).ok);
  EXPECT_TRUE(bus_.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    AdapterBoard, MalformedRequest,
    ::testing::Values(
        MalformedCase{"HeaderOfFiveBytes", kControlHostToBoard, PhaseBytes(Phase::kHeader), 5},
        MalformedCase{"HeaderOfSevenBytes", kControlHostToBoard, PhaseBytes(Phase::kHeader), 7},
        MalformedCase{"PhaseSelectorOfThreeBytes", kControlHostToBoard, {0, 0, 0}, 6},
        MalformedCase{"NoPhaseSelector", kControlBoardToHost, {}, 1},
        MalformedCase{"UnknownPhase", kControlHostToBoard, {4, 0, 0, 0}, 6},
        MalformedCase{"PhaseWithHighBytes", kControlHostToBoard, {0, 0, 0, 1}, 6},
        MalformedCase{"ReadPhaseOnTheWriteCode", kControlHostToBoard, PhaseBytes(Phase::kReadData),
                      1},
        MalformedCase{"HeaderOnTheReadCode", kControlBoardToHost, PhaseBytes(Phase::kHeader), 6},
        MalformedCase{"UnknownControlCode", 0x222000, PhaseBytes(Phase::kHeader), 6},
        MalformedCase{"DataWithoutHeader", kControlHostToBoard, PhaseBytes(Phase::kWriteData), 3},
        MalformedCase{"StatusWithoutHeader", kControlBoardToHost, PhaseBytes(Phase::kStatus), 1},
        MalformedCase{"VersionIntoFiveBytes", kControlVersion, {}, 5}),
    CaseName());

TEST_F(AdapterBoardTest, DataPhaseOfAnotherLengthThanTheHeaderFailsAndSendsNothing) {
  SendHeader(1, 3, 0x38);
  EXPECT_FALSE(SendData({0x00, 0x30}).ok);
  EXPECT_EQ(Status(), -1);  // the transfer was abandoned
  SendHeader(4, 2, 0x38);
  Bytes tooLong(3);
  EXPECT_FALSE(ReadData(tooLong).ok);
  EXPECT_TRUE(bus_.calls.empty());
}

// A header longer than any transfer is refused at once: no read of 65535 bytes (command 11
// has no data phase and would run one bus transfer per byte) and nothing left pending.
TEST_F(AdapterBoardTest, HeaderLongerThanAnyTransferIsRefusedAndSendsNothing) {
  for (const uint16_t length : {uint16_t{kMaxDataLength + 1}, uint16_t{0xFFFF}}) {
    EXPECT_FALSE(SendHeader(11, length, 0x38).ok) << length;
    EXPECT_EQ(Status(), -1) << length;
  }
  EXPECT_TRUE(bus_.calls.empty());
  // The longest real data phase, 64 interleaved bytes behind 2-byte sub-addresses, still goes.
  ASSERT_TRUE(SendHeader(10, kMaxDataLength, 0x38).ok);
  EXPECT_TRUE(SendData(Bytes(kMaxDataLength, 0x00)).ok);
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(bus_.calls.size(), 64u);
}

TEST_F(AdapterBoardTest, WriteWhosePayloadNeverCameSendsNothing) {
  SendHeader(1, 3, 0x38);
  EXPECT_EQ(Status(), -1);
  EXPECT_TRUE(bus_.calls.empty());
}

TEST_F(AdapterBoardTest, WriteDataForAReadCommandFails) {
  SendHeader(4, 1, 0x38);
  EXPECT_FALSE(SendData({0x12}).ok);
  EXPECT_TRUE(bus_.calls.empty());
}

TEST_F(AdapterBoardTest, UnknownCommandAnswersStatusTenAndSendsNothing) {
  for (const uint8_t command : std::initializer_list<uint8_t>{0, 2, 7, 9, 19, 0xFF}) {
    SendHeader(command, 1, 0x38);
    EXPECT_TRUE(SendData({0x12}).ok) << int{command};
    EXPECT_EQ(Status(), kStatusUnknownCommand) << int{command};
  }
  SendHeader(2, 0, 0x38);
  EXPECT_EQ(Status(), kStatusUnknownCommand);
  EXPECT_TRUE(bus_.calls.empty());
}

TEST_F(AdapterBoardTest, ANewHeaderAbandonsThePendingTransfer) {
  SendHeader(1, 3, 0x38);
  SendHeader(1, 1, 0x21);
  EXPECT_TRUE(SendData({0x40}).ok);
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(bus_.calls, (std::vector<BusCall>{{'W', 0x21, {0x40}, 0}}));
}

TEST_F(AdapterBoardTest, StatusIsAnsweredOncePerTransfer) {
  SendHeader(1, 1, 0x38);
  SendData({0x40});
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(Status(), -1);
  EXPECT_EQ(bus_.calls.size(), 1u);
}

TEST_F(AdapterBoardTest, VersionQueryAnswersThreeLittleEndianValues) {
  Bytes out(6, 0xEE);
  const ControlResult result = board_.Control(kControlVersion, {}, out);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.transferred, kVersionReplySize);
  EXPECT_EQ(out, (Bytes{2, 0, 1, 0, 0, 0}));
}

// Each write command's payload, as the bus sees it.
struct WriteCase {
  const char* name;
  uint8_t command;
  Bytes payload;
  std::vector<BusCall> calls;
};

class WriteCommand : public AdapterBoardTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteCommand, ReachesTheBusAs) {
  const WriteCase& c = GetParam();
  SendHeader(c.command, static_cast<uint16_t>(c.payload.size()), 0x38);
  ASSERT_TRUE(SendData(c.payload).ok);
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(bus_.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    AdapterBoard, WriteCommand,
    ::testing::Values(
        // clang-format off
        WriteCase{"Plain", 1, {1, 2, 3}, {{'W', 0x38, {1, 2, 3}, 0}}},
        WriteCase{"ZeroBytes", 1, {}, {{'W', 0x38, {}, 0}}},
        WriteCase{"InterleavedPairs", 3, {0x10, 0xAA, 0x11, 0xBB},
                  {{'W', 0x38, {0x10, 0xAA}, 0}, {'W', 0x38, {0x11, 0xBB}, 0}}},
        WriteCase{"InterleavedTriples", 10, {0x01, 0xFF, 0xAA, 0x02, 0x00, 0xBB},
                  {{'W', 0x38, {0x01, 0xFF, 0xAA}, 0}, {'W', 0x38, {0x02, 0x00, 0xBB}, 0}}},
        WriteCase{"Polled", 12, {7}, {{'W', 0x38, {7}, 0}}},
        WriteCase{"Settled", 15, {0, 5, 9}, {{'W', 0x38, {0, 5, 9}, 0}, {'W', 0x38, {}, 0}}},
        WriteCase{"WhenIdle", 17, {7}, {{'W', 0x38, {7}, 0}}}),
    // clang-format on
    CaseName());

// Each read command: the header's sub-address and length, and what the bus sees.
struct ReadCase {
  const char* name;
  uint8_t command;
  uint16_t subAddress;
  uint16_t length;
  std::vector<BusCall> calls;
};

class ReadCommand : public AdapterBoardTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadCommand, ReachesTheBusAs) {
  const ReadCase& c = GetParam();
  SendHeader(c.command, c.length, 0x38, c.subAddress);
  Bytes data(c.length);
  if (c.length > 0) {
    ASSERT_TRUE(ReadData(data).ok);
  }
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(bus_.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    AdapterBoard, ReadCommand,
    ::testing::Values(
        // clang-format off
        ReadCase{"Plain", 4, 0, 2, {{'R', 0x38, {}, 2}}},
        ReadCase{"ZeroBytesStillAddressesTheDevice", 4, 0, 0, {{'R', 0x38, {}, 0}}},
        ReadCase{"BehindOneByteSubAddress", 5, 0x1234, 2, {{'X', 0x38, {0x34}, 2}}},
        ReadCase{"InterleavedOneByte", 6, 0x10FF, 2,
                 {{'X', 0x38, {0xFF}, 1}, {'X', 0x38, {0x00}, 1}}},
        ReadCase{"BehindTwoByteSubAddress", 8, 0x01FF, 1, {{'X', 0x38, {0x01, 0xFF}, 1}}},
        ReadCase{"Polled", 13, 0, 1, {{'R', 0x38, {}, 1}}},
        ReadCase{"SplitTwoByteSubAddress", 16, 0x0102, 1,
                 {{'W', 0x38, {0x01, 0x02}, 0}, {'R', 0x38, {}, 1}}},
        ReadCase{"WhenIdle", 18, 0, 1, {{'R', 0x38, {}, 1}}}),
    // clang-format on
    CaseName());

TEST_F(AdapterBoardTest, InterleavedTwoByteReadRunsAtTheStatusPhaseWithoutADataPhase) {
  SendHeader(11, 2, 0x38, 0xFFFF);
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(bus_.calls,
            (std::vector<BusCall>{{'X', 0x38, {0xFF, 0xFF}, 1}, {'X', 0x38, {0x00, 0x00}, 1}}));
}

TEST_F(AdapterBoardTest, BusStatusCommandAnswersTheLineState) {
  bus_.busyStates = 1;
  SendHeader(14, 1, 0);
  Bytes state{0xEE};
  ASSERT_TRUE(ReadData(state).ok);
  EXPECT_EQ(state[0], kBusBusy);
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_TRUE(bus_.calls.empty());
}

TEST_F(AdapterBoardTest, FailedStepOfAMultiTransferCommandEndsIt) {
  bus_.statuses = {kStatusDone, kStatusDataNack};
  SendHeader(3, 6, 0x38);
  SendData({0x10, 1, 0x11, 2, 0x12, 3});
  EXPECT_EQ(Status(), kStatusDataNack);
  EXPECT_EQ(bus_.calls.size(), 2u);
}

TEST_F(AdapterBoardTest, PolledWriteRetriesANotAcknowledgedAddressEveryMillisecond) {
  bus_.statuses = {kStatusAddressNack, kStatusAddressNack, kStatusDone};
  SendHeader(12, 1, 0x38);
  SendData({7});
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(bus_.calls.size(), 3u);
  EXPECT_EQ(clock_.Pauses(), (std::vector<Milliseconds>{Milliseconds{1}, Milliseconds{1}}));
}

TEST_F(AdapterBoardTest, PolledReadGivesUpAfterTenTries) {
  bus_.statuses = std::deque<uint8_t>(20, kStatusAddressNack);
  SendHeader(13, 1, 0x38);
  Bytes data(1);
  ReadData(data);
  EXPECT_EQ(Status(), kStatusAddressNack);
  EXPECT_EQ(bus_.calls.size(), static_cast<std::size_t>(kPollTries));
  EXPECT_EQ(clock_.Pauses().size(), static_cast<std::size_t>(kPollTries - 1));
}

TEST_F(AdapterBoardTest, SettledWriteTimesOutWhenTheDeviceNeverAcknowledgesAgain) {
  bus_.statuses = std::deque<uint8_t>(20, kStatusAddressNack);
  bus_.statuses.front() = kStatusDone;
  SendHeader(15, 3, 0x50);
  SendData({0, 0, 9});
  EXPECT_EQ(Status(), kStatusTimeout);
}

TEST_F(AdapterBoardTest, WhenIdleWaitsForTheBusAndGivesUpAsBusBusy) {
  bus_.busyStates = 2;
  SendHeader(17, 1, 0x38);
  SendData({7});
  EXPECT_EQ(Status(), kStatusDone);
  EXPECT_EQ(clock_.Pauses().size(), 2u);

  bus_.calls.clear();
  bus_.busyStates = 100;
  SendHeader(18, 1, 0x38);
  Bytes data(1);
  ReadData(data);
  EXPECT_EQ(Status(), kStatusBusBusy);
  EXPECT_TRUE(bus_.calls.empty());
}

}  // namespace
}  // namespace torvix::testing
