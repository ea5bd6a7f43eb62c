// SPDX-License-Identifier: MIT
// The socket transport against a small board server running in the test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "board/socket_framing.h"
#include "bridge/include/quorlink.h"
#include "bridge/socket/socket_device.h"
#include "bridge/src/adapter_device.h"
#include "bridge/src/bridge_table.h"
#include "clock/clock.h"
#include "tests/support/board_server.h"
#include "tests/support/case_name.h"
#include "tests/support/saved_environment.h"

namespace torvix::testing {
namespace {

class SocketTransport : public ::testing::Test {
 protected:
  void SetUp() override { SetLastErrorCode(0); }
  void TearDown() override {
    WEP(0);
    ::unsetenv("QUORLINK_DEVICE");
  }
};

TEST_F(SocketTransport, CarriesATransferThroughTheDevicePath) {
  BoardServer server([](const FramedRequest& r) { return HappyBoard(r, 0); });
  ::setenv("QUORLINK_DEVICE", server.Path().c_str(), 1);
  const int handle = IICInit(0x70, 20000, 1000);
  ASSERT_EQ(handle, 0);
  uint8_t buffer[3] = {};
  EXPECT_EQ(ReceiveSub(handle, 1, 0x10, buffer, 3, 0), 0);
  EXPECT_EQ(buffer[0], 0x5A);
  EXPECT_EQ(buffer[2], 0x5C);
  const uint8_t data[] = {0x30, 0x17};
  EXPECT_EQ(SendSub(handle, 1, 0x00, data, 2, 0), 0);
  IICClose(handle);
  server.Join();

  ASSERT_EQ(server.requests.size(), 6u);
  EXPECT_EQ(server.requests[0].code, kControlHostToBoard);
  EXPECT_EQ(server.requests[0].output, (std::vector<uint8_t>{0x05, 0x00, 0x03, 0x38, 0x10, 0x00}));
  EXPECT_EQ(server.requests[4].input, (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(server.requests[4].output, (std::vector<uint8_t>{0x00, 0x30, 0x17}));
}

TEST_F(SocketTransport, PassesTheStatusByteThrough) {
  BoardServer server([](const FramedRequest& r) { return HappyBoard(r, 5); });
  ::setenv("QUORLINK_DEVICE", server.Path().c_str(), 1);
  const int handle = IICInit(0x70, 0, 0);
  uint8_t byte = 0;
  EXPECT_EQ(Send(handle, &byte, 0, 1), 5);
  IICClose(handle);  // the server waits for the hang-up
}

// A board that misbehaves at its second request, each in its own way.
struct BrokenCase {
  const char* name;
  std::function<std::optional<std::vector<uint8_t>>()> secondReply;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenBoard : public SocketTransport, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenBoard, FailsTheRequestAndEveryLaterOne) {
  const BrokenCase& broken = GetParam();
  int seen = 0;
  BoardServer server([&seen, &broken](const FramedRequest& r) {
    return ++seen == 2 ? broken.secondReply() : HappyBoard(r, 0);
  });
  ::setenv("QUORLINK_DEVICE", server.Path().c_str(), 1);
  const int handle = IICInit(0x70, 0, 0);
  ASSERT_EQ(handle, 0);
  uint8_t buffer[2] = {};
  EXPECT_EQ(Receive(handle, buffer, 0, 2), 13);  // the read-data phase broke
  EXPECT_EQ(Receive(handle, buffer, 0, 2), 11);  // the connection is gone
  IICClose(handle);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BrokenBoard,
    ::testing::Values(
        BrokenCase{"HangsUp", [] { return std::nullopt; }},
        BrokenCase{"OverfillsTheBuffer",
                   [] {
                     return std::optional(EncodeReply({true, 3}, std::vector<uint8_t>(3)));
                   }},
        BrokenCase{"SendsGarbageAfterTheReply",
                   [] {
                     auto bytes = EncodeReply({true, 2}, std::vector<uint8_t>(2));
                     bytes.push_back(0xEE);
                     return std::optional(bytes);
                   }},
        BrokenCase{"CutsTheReplyShort",
                   [] {
                     auto bytes = EncodeReply({true, 2}, std::vector<uint8_t>(2));
                     bytes.pop_back();
                     return std::optional(bytes);
                   }}),
    CaseName());

// Board time, moved by the board's thread as it answers.
class BoardTime final : public Clock {
 public:
  Microseconds Now() const override { return Microseconds{now_.load()}; }
  void Pause(Milliseconds duration) override { Advance(duration); }
  void Advance(Microseconds duration) { now_ += duration.count(); }

 private:
  std::atomic<int64_t> now_{0};
};

// One byte every 1.5 s: no wait between two bytes is as long as the limit, but the reply as a
// whole is far beyond it. The connection is dropped with it, so the late rest of that reply
// can never be read as the answer to the next request.
TEST_F(SocketTransport, ReplyTricklingInFailsAtTheDeadlineAndDropsTheConnection) {
  BoardTime time;
  const ScopedClock scoped(time);
  BoardServer server([](const FramedRequest& r) { return HappyBoard(r, 0); }, "board",
                     [&time] { time.Advance(Milliseconds{1500}); });
  ::setenv("QUORLINK_DEVICE", server.Path().c_str(), 1);
  const int handle = IICInit(0x70, 0, 0);
  ASSERT_EQ(handle, 0);
  uint8_t byte = 0;
  EXPECT_EQ(Send(handle, &byte, 0, 1), QL_USB_COMMAND_ERROR);  // the header's reply
  EXPECT_EQ(Send(handle, &byte, 0, 1), QL_USB_COMMAND_ERROR);
  IICClose(handle);
  server.Join();
  EXPECT_EQ(server.requests.size(), 1u);
}

TEST_F(SocketTransport, NoServerMeansNoDevice) {
  ::setenv("QUORLINK_DEVICE", "/tmp/quorlink-test-no-such-dir/board", 1);
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
  EXPECT_EQ(LastErrorCode(), QL_DEVICE_NOT_FOUND);
  EXPECT_EQ(OpenSocketAdapterDevice(""), nullptr);
  EXPECT_EQ(OpenSocketAdapterDevice(std::string(200, 'x')), nullptr);
}

TEST_F(SocketTransport, UnsetOrEmptyDeviceOpensTheRuntimeDirectorysBoard) {
  const SavedEnvironment restore("XDG_RUNTIME_DIR");
  for (const char* setting : {static_cast<const char*>(nullptr), ""}) {
    BoardServer server([](const FramedRequest& r) { return HappyBoard(r, 0); }, "zembrel-0");
    ::setenv("XDG_RUNTIME_DIR", server.Directory().c_str(), 1);
    if (setting == nullptr) ::unsetenv("QUORLINK_DEVICE");
    else ::setenv("QUORLINK_DEVICE", setting, 1);
    const int handle = IICInit(0x70, 0, 0);
    EXPECT_EQ(handle, 0);
    IICClose(handle);
  }
}

// Nobody named this socket: one that another user serves (root aside) is refused, and
// QUORLINK_DEBUG says why. Making a socket another user's needs root.
TEST_F(SocketTransport, DefaultSocketOfAnotherUserIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the socket to another user";
  const SavedEnvironment restore("XDG_RUNTIME_DIR");
  BoardServer server([](const FramedRequest& r) { return HappyBoard(r, 0); }, "zembrel-0");
  ::setenv("XDG_RUNTIME_DIR", server.Directory().c_str(), 1);
  ::unsetenv("QUORLINK_DEVICE");
  ASSERT_EQ(::lchown(server.Path().c_str(), 4242, 4242), 0);
  ::setenv("QUORLINK_DEBUG", "1", 1);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
  const std::string said = ::testing::internal::GetCapturedStderr();
  ::unsetenv("QUORLINK_DEBUG");
  EXPECT_EQ(LastErrorCode(), QL_DEVICE_NOT_FOUND);
  EXPECT_NE(said.find("belongs to user 4242"), std::string::npos) << said;
}

TEST_F(SocketTransport, DefaultPathFollowsTheRuntimeDirectory) {
  const SavedEnvironment restore("XDG_RUNTIME_DIR");
  ::setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
  EXPECT_EQ(DefaultSocketPath(), "/run/user/1234/zembrel-0");
  ::setenv("XDG_RUNTIME_DIR", "", 1);
  EXPECT_EQ(DefaultSocketPath(), "/tmp/zembrel-0");
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(DefaultSocketPath(), "/tmp/zembrel-0");
}

}  // namespace
}  // namespace torvix::testing
