// SPDX-License-Identifier: MIT
// zembrel-sim run as a process on a temporary socket and driven through the bridge library.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "board/socket_framing.h"
#include "bridge/socket/socket_device.h"
#include "clock/clock.h"
#include "tests/support/camera_requests.h"
#include "tests/support/file_bytes.h"
#include "tests/support/interleaved_writes.h"
#include "tests/support/spawn_program.h"
#include "tests/support/zembrel_process.h"

namespace torvix::testing {
namespace {

namespace fs = std::filesystem;

// A daemon that never ends is a failure, not a hang: -2 after about 5 s.
int WaitForExitWithin(pid_t pid) {
  for (int tries = 0; tries < 500; ++tries) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    Pause(Milliseconds{10});
  }
  ::kill(pid, SIGKILL);
  WaitForExit(pid);
  return -2;
}

// program with args; stdout and stderr go to the files named ("": nowhere), stdout for
// kClosedPipe to a pipe whose reading end is closed (`| true` once true has ended).
pid_t Spawn(const std::vector<std::string>& args, const std::string& out = "",
            const std::string& err = "", const char* program = ZEMBREL_SIM_PATH) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  return SpawnProgram(argv, "/dev/null", out.empty() ? "/dev/null" : out,
                      err.empty() ? "/dev/null" : err);
}

sockaddr_un AddressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  return address;
}

int ConnectTo(const std::string& path, int flags = 0) {
  const sockaddr_un address = AddressOf(path);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | flags, 0);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

class ZembrelSim : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("QUORLINK_DEVICE", socket_.c_str(), 1); }
  void TearDown() override { ::unsetenv("QUORLINK_DEVICE"); }

  // Starts the daemon on its state file and waits (bounded) until it accepts connections. Its
  // stderr goes to ServerWords().
  void Start(std::vector<std::string> extra = {}) {
    extra.insert(extra.begin(), {"--state", state_});
    if (!daemon_.Start(extra)) FAIL() << "zembrel-sim did not start listening";
  }
  int Stop(int signal = SIGTERM) { return daemon_.Stop(signal); }

  std::string ServerWords() const { return daemon_.Said(); }

  ZembrelProcess daemon_{ZEMBREL_SIM_PATH};
  const fs::path dir_ = daemon_.Dir();
  const std::string socket_ = daemon_.Socket();
  const std::string state_ = (dir_ / "state.json").string();
  const std::string lock_ = socket_ + ".lock";
};

TEST_F(ZembrelSim, RegisterWrittenThroughTheSocketReadsBack) {
  Start();
  ASSERT_EQ(WriteCameraRegister(0x70, 0x57, 0x40), 0);
  uint8_t value = 0;
  ASSERT_EQ(ReadCameraRegister(0x70, 0x57, value), 0);
  EXPECT_EQ(value, 0x40);
  EXPECT_EQ(ReadCameraRegister(0x72, 0x57, value), kStatusAddressNack);
}

// A program may hold the library's whole table of 100 handles at once: each is served.
TEST_F(ZembrelSim, ServesEveryHandleOfAFullBridgeTable) {
  Start();
  std::vector<int> handles;
  handles.reserve(100);
  for (int i = 0; i < 100; ++i) handles.push_back(IICInit(0x70, 20000, 1000));
  const uint8_t request[2] = {0x30, 0x57};
  for (const int handle : handles) EXPECT_EQ(SendSub(handle, 1, 0x00, request, 2, 0), 0) << handle;
  for (const int handle : handles) IICClose(handle);
}

TEST_F(ZembrelSim, SurvivesClientsThatDieMidRequest) {
  Start();
  const std::vector<uint8_t> wire =
      EncodeRequest(kControlHostToBoard, std::vector<uint8_t>{0, 0, 0, 0},
                    std::vector<uint8_t>{1, 0, 3, 0x38, 0, 0});
  // A process killed with half a request sent, and one that hangs up the same way.
  const pid_t child = ::fork();
  if (child == 0) {
    const int fd = ConnectTo(socket_);
    [[maybe_unused]] ssize_t n = ::send(fd, wire.data(), wire.size() / 2, MSG_NOSIGNAL);
    ::pause();
    ::_exit(0);
  }
  Pause(Milliseconds{50});
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  const int fd = ConnectTo(socket_);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::send(fd, wire.data(), wire.size() - 1, MSG_NOSIGNAL),
            static_cast<ssize_t>(wire.size() - 1));
  ::close(fd);
  // Garbage ends only its own connection.
  const int junk = ConnectTo(socket_);
  const uint8_t garbage[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  [[maybe_unused]] ssize_t n = ::send(junk, garbage, sizeof garbage, MSG_NOSIGNAL);

  ASSERT_EQ(WriteCameraRegister(0x70, 0x57, 0x41), 0);
  uint8_t value = 0;
  ASSERT_EQ(ReadCameraRegister(0x70, 0x57, value), 0);
  EXPECT_EQ(value, 0x41);
  ::close(junk);
}

TEST_F(ZembrelSim, StopsCleanlyOnSignalsAndKeepsTheCameraInItsStateFile) {
  Start();
  ASSERT_EQ(WriteCameraRegister(0x70, 0x42, 0x90), 0);
  EXPECT_EQ(Stop(SIGTERM), 0);
  EXPECT_FALSE(fs::exists(socket_));
  Start();
  uint8_t value = 0;
  ASSERT_EQ(ReadCameraRegister(0x70, 0x42, value), 0);
  EXPECT_EQ(value, 0x90);
  EXPECT_EQ(Stop(SIGINT), 0);
  EXPECT_FALSE(fs::exists(socket_));
}

TEST_F(ZembrelSim, ExtraDevicesAcknowledgeAndTheLogRecordsTransfers) {
  const std::string log = (dir_ / "bus.log").string();
  Start({"--device", "0x20", "--log", log});
  uint8_t value = 0;
  EXPECT_EQ(ReadCameraRequest(0x20, 0x01, 0x30, 0x31, value), 0);
  EXPECT_EQ(Stop(), 0);
  std::ifstream in(log);
  std::string first;
  std::getline(in, first);
  EXPECT_NE(first.find("0x10 W 01 30 31 status 0"), std::string::npos) << first;
}

// Two raw connections interleave their phases: each write goes out under its own header.
TEST_F(ZembrelSim, EachConnectionsRequestStaysItsOwn) {
  const std::string log = (dir_ / "bus.log").string();
  Start({"--device", "0x28", "--log", log});
  InterleaveTwoWrites(*OpenSocketAdapterDevice(socket_), *OpenSocketAdapterDevice(socket_));
  EXPECT_EQ(Stop(), 0);
  const std::string text = ReadFileBytes(log);
  EXPECT_NE(text.find("0x14 W aa bb cc status 0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("0x38 W 00 30 57 status 0\n"), std::string::npos);
}

TEST_F(ZembrelSim, SocketInUseIsRefusedWithExitTwo) {
  Start();
  EXPECT_EQ(WaitForExit(Spawn({"--socket", socket_})), 2);
  EXPECT_EQ(WriteCameraRegister(0x70, 0x57, 0x40), 0);  // the first one still serves
}

// A server too busy to accept still serves its socket: the check must not wait on it (it
// hung) nor take it over (stopped, it then removed the other server's socket).
TEST_F(ZembrelSim, BusyServersSocketIsRefusedAtOnceAndKept) {
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const sockaddr_un address = AddressOf(socket_);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 0), 0);
  std::vector<int> queued;  // never accepted: the queue is full when one is refused
  while (queued.size() < 64 && (queued.empty() || queued.back() >= 0)) {
    queued.push_back(ConnectTo(socket_, SOCK_NONBLOCK));
  }
  struct stat before {};
  struct stat after {};
  ::lstat(socket_.c_str(), &before);
  EXPECT_EQ(WaitForExit(Spawn({"--socket", socket_})), 2);
  ASSERT_EQ(::lstat(socket_.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  for (const int fd : queued) ::close(fd);
  ::close(listener);
}

// The camera lock beside the socket goes to exactly those who may connect.
TEST_F(ZembrelSim, OnlyTheOwnerOrWithGroupItsGroupMayConnectOrTakeTheLockWhateverTheUmask) {
  const mode_t previous = ::umask(0);
  struct stat info[4]{};
  Start();
  ::lstat(socket_.c_str(), &info[0]);
  ::lstat(lock_.c_str(), &info[1]);
  Stop();
  Start({"--group"});
  ::lstat(socket_.c_str(), &info[2]);
  ::lstat(lock_.c_str(), &info[3]);
  Stop();
  ::umask(previous);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(info[i].st_mode, (i < 2 ? 0600u : 0660u) | (i % 2 ? S_IFREG : S_IFSOCK));
}

// A killed daemon's lock is taken over; anything else at its name is not the daemon's to use.
TEST_F(ZembrelSim, OnlyItsOwnLeftLockIsTakenOverAtStart) {
  Start();
  daemon_.Kill();
  Start();
  Stop();
  EXPECT_FALSE(fs::exists(lock_));
  ASSERT_EQ(::symlink("elsewhere", lock_.c_str()), 0);
  EXPECT_EQ(WaitForExit(Spawn({"--socket", socket_})), 2);
  EXPECT_TRUE(fs::is_symlink(lock_));
}

TEST_F(ZembrelSim, CorruptStateFileIsRefusedAndNeverOverwritten) {
  std::ofstream(state_) << "{\"torn\":";
  EXPECT_EQ(WaitForExit(Spawn({"--socket", socket_, "--state", state_})), 2);
  EXPECT_EQ(ReadFileBytes(state_), "{\"torn\":");
  EXPECT_FALSE(fs::exists(socket_));
}

TEST_F(ZembrelSim, BadArgumentsExitTwo) {
  EXPECT_EQ(WaitForExit(Spawn({"--address", "0x71"})), 2);
  EXPECT_EQ(WaitForExit(Spawn({"--frobnicate"})), 2);
  EXPECT_EQ(WaitForExit(Spawn({"--socket", socket_, "--state", dir_.string()})), 2);
  EXPECT_EQ(WaitForExit(Spawn({"--help"})), 0);
}

// A FIFO nobody reads blocked the open for ever; only a regular file is taken for the log.
TEST_F(ZembrelSim, LogThatIsNoRegularFileIsRefusedInWordsWithoutWaiting) {
  const std::string fifo = (dir_ / "bus.fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string err = (dir_ / "err.txt").string();
  EXPECT_EQ(WaitForExitWithin(Spawn({"--socket", socket_, "--log", fifo}, "", err)), 2);
  EXPECT_EQ(ReadFileBytes(err),
            "zembrel-sim: cannot open log file " + fifo + ": it is not a regular file\n");
}

// Beyond its last connection the daemon says why it will not serve, and the library says it.
TEST_F(ZembrelSim, AProgramBeyondTheLastConnectionIsToldWhy) {
  Start();
  std::vector<int> held;
  held.reserve(128);
  for (int i = 0; i < 128; ++i) held.push_back(ConnectTo(socket_));
  const int handle = IICInit(0x70, 20000, 1000);
  const std::string refused = "zembrel-sim: refused a program: serving 128 connections already\n";
  for (int tries = 0; tries < 500 && ServerWords() != refused; ++tries) Pause(Milliseconds{10});
  // The connection is closed before the request goes out: the reason is read all the same.
  ::testing::internal::CaptureStderr();
  const uint8_t request[2] = {0x30, 0x57};
  EXPECT_EQ(SendSub(handle, 1, 0x00, request, 2, 0), QL_USB_COMMAND_ERROR);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Quorlink: " + socket_ + ": zembrel-sim is serving too many programs\n");
  EXPECT_EQ(ServerWords(), refused);
  IICClose(handle);
  for (const int fd : held) ::close(fd);
}

// A save killed between its temporary file and the rename leaves that file; the next start
// removes it, but never one a live save (another daemon on the same file) holds open, nor a file
// of the user's own: cam.json.backup and cam.json.before went for six letters after a dot.
TEST_F(ZembrelSim, LeftoversOfKilledSavesAreRemovedAtStartButNotALiveOneNorTheUsersFiles) {
  Start();
  Stop();
  const std::string saved = ReadFileBytes(state_);
  const std::string leftover = state_ + ".zembrel-sim-save-";
  const std::vector<std::string> kept = {leftover + "live01", state_ + ".backup",
                                         state_ + ".before", leftover + "notOur"};
  for (const std::string& name : kept) std::ofstream(name) << (name == kept[0] ? saved : "{");
  std::ofstream(leftover + "a1B2c3") << saved;
  WriteFileBytes(leftover + "empty0", "");
  const int live = ::open(kept[0].c_str(), O_RDONLY);
  Start();
  ::close(live);
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(name)) << name;
  for (const char* gone : {"a1B2c3", "empty0"}) {
    EXPECT_FALSE(fs::exists(leftover + gone));
    EXPECT_NE(ServerWords().find("zembrel-sim: removed " + leftover + gone +
                                 ", left by a save that never finished\n"),
              std::string::npos);
  }
}

// What --help and --version print must reach standard output, or the program fails.
TEST_F(ZembrelSim, HelpAndVersionOnAFullDiskFailInWords) {
  std::vector<std::pair<const char*, const char*>> programs = {{ZEMBREL_SIM_PATH, "zembrel-sim"}};
#if defined(TORVIX_CONTROLLER_PATH)
  programs.emplace_back(TORVIX_CONTROLLER_PATH, "Torvix_Controller");
#endif
  const std::string err = (dir_ / "err.txt").string();
  for (const auto& [program, name] : programs) {
    for (const char* option : {"--help", "--version"}) {
      SCOPED_TRACE(std::string(name) + " " + option);
      EXPECT_EQ(WaitForExitWithin(Spawn({option}, "/dev/full", err, program)), 1);
      EXPECT_EQ(ReadFileBytes(err),
                std::string(name) + ": cannot write standard output: No space left on device\n");
      // From a shell, `| true`: SIGPIPE ended it without a word (141).
      EXPECT_EQ(WaitForExitWithin(Spawn({option}, kClosedPipe.string(), err, program)), 1);
      EXPECT_EQ(ReadFileBytes(err),
                std::string(name) + ": cannot write standard output: Broken pipe\n");
    }
  }
}

}  // namespace
}  // namespace torvix::testing
