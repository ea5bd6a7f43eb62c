// The socket transport against a small board server running in the test.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "board/socket_framing.h"
#include "bridge/include/quorlink.h"
#include "bridge/src/adapter_device.h"
#include "bridge/src/bridge_table.h"
#include "bridge/src/transport_socket.h"
#include "clock/clock.h"

namespace torvix {
namespace {

// Answers one connection; the handler's nullopt drops it, raw bytes go out as they are, or
// one at a time with the pacer run before each.
using Handler = std::function<std::optional<std::vector<uint8_t>>(const FramedRequest&)>;
using Pacer = std::function<void()>;

class BoardServer {
 public:
  explicit BoardServer(Handler handler, const std::string& name = "board", Pacer pacer = {})
      : handler_(std::move(handler)), pacer_(std::move(pacer)) {
    char pattern[] = "/tmp/quorlink-test-XXXXXX";
    directory_ = ::mkdtemp(pattern);
    path_ = directory_ + "/" + name;
    listener_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 1);
    thread_ = std::thread([this] { Serve(); });
  }
  ~BoardServer() {
    // A test that stopped early may still hold its connection: cut it rather than wait.
    {
      std::lock_guard lock(mutex_);
      if (connection_ >= 0) ::shutdown(connection_, SHUT_RDWR);
    }
    Join();
    ::close(listener_);
    ::unlink(path_.c_str());
    ::rmdir(directory_.c_str());
  }

  const std::string& Path() const { return path_; }
  const std::string& Directory() const { return directory_; }
  // Waits for the client to hang up; requests is safe to read afterwards.
  void Join() {
    ::shutdown(listener_, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
  }
  std::vector<FramedRequest> requests;

 private:
  void Serve() {
    const int fd = ::accept(listener_, nullptr, nullptr);
    if (fd < 0) return;
    {
      std::lock_guard lock(mutex_);
      connection_ = fd;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[256];
    for (;;) {
      FramedRequest request;
      std::size_t consumed = 0;
      const DecodeStatus status = DecodeRequest(bytes, request, consumed);
      if (status == DecodeStatus::kMalformed) break;
      if (status == DecodeStatus::kComplete) {
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(consumed));
        requests.push_back(request);
        const auto reply = handler_(request);
        if (!reply) break;
        if (!Send(fd, *reply)) break;
        continue;
      }
      const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      bytes.insert(bytes.end(), chunk, chunk + n);
    }
    std::lock_guard lock(mutex_);
    connection_ = -1;
    ::close(fd);
  }

  bool Send(int fd, const std::vector<uint8_t>& reply) const {
    if (!pacer_) return ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL) >= 0;
    for (const uint8_t byte : reply) {
      pacer_();
      if (::send(fd, &byte, 1, MSG_NOSIGNAL) < 0) return false;
    }
    return true;
  }

  Handler handler_;
  Pacer pacer_;
  std::string directory_;
  std::string path_;
  int listener_ = -1;
  std::mutex mutex_;
  int connection_ = -1;
  std::thread thread_;
};

// A board that accepts everything, answers reads with 0x5A.. and reports status `status`.
std::optional<std::vector<uint8_t>> HappyBoard(const FramedRequest& request, uint8_t status) {
  const uint32_t phase = request.input.empty() ? 0 : request.input[0];
  const auto n = static_cast<uint32_t>(request.output.size());
  if (request.code == kControlBoardToHost) {
    std::vector<uint8_t> out(n);
    for (uint32_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(0x5A + i);
    if (phase == 3) out[0] = status;
    return EncodeReply({true, n}, out);
  }
  return EncodeReply({true, n}, {});
}

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
                   [] { return std::optional(EncodeReply({true, 3}, std::vector<uint8_t>(3))); }},
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
    [](const ::testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });

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

// Restores XDG_RUNTIME_DIR as the test found it.
class RuntimeDirectory {
 public:
  RuntimeDirectory() {
    const char* value = std::getenv("XDG_RUNTIME_DIR");
    if (value != nullptr) saved_ = value;
  }
  ~RuntimeDirectory() {
    if (saved_) ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
    else ::unsetenv("XDG_RUNTIME_DIR");
  }

 private:
  std::optional<std::string> saved_;
};

TEST_F(SocketTransport, UnsetOrEmptyDeviceOpensTheRuntimeDirectorysBoard) {
  RuntimeDirectory restore;
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
  RuntimeDirectory restore;
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
  RuntimeDirectory restore;
  ::setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
  EXPECT_EQ(DefaultSocketPath(), "/run/user/1234/zembrel-0");
  ::setenv("XDG_RUNTIME_DIR", "", 1);
  EXPECT_EQ(DefaultSocketPath(), "/tmp/zembrel-0");
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(DefaultSocketPath(), "/tmp/zembrel-0");
}

}  // namespace
}  // namespace torvix
