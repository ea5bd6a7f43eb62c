// The Windows driver transport: every kernel call the library makes, with every argument, against
// a scripted driver put in place of CreateFileA, DeviceIoControl, CloseHandle and GetVersionExA.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "bridge/include/quorlink.h"
#include "bridge/src/bridge_table.h"
#include "bridge/src/win32_api.h"

namespace torvix::testing {
namespace {

struct Opened {
  std::string name;
  DWORD access, share, disposition, flags;
  bool security, templateFile;
};

struct Request {
  HANDLE device;
  DWORD code;
  std::vector<uint8_t> input;
  void* output;
  std::vector<uint8_t> sent;  // the output buffer's content when the request was made
  bool countAsked, overlapped;
};

// The driver's side of the script: what it answers, and every call it saw.
struct Driver {
  bool present = true;
  BOOL versionOk = TRUE;
  DWORD platform = VER_PLATFORM_WIN32_NT, major = 10;
  DWORD versionSize = 0;
  std::vector<Opened> opened;
  std::vector<Request> requests;
  std::vector<HANDLE> closed;
  std::vector<uint8_t> fill;  // written into board-to-host buffers
  int failRequest = -1;       // index of the request that fails
} g_driver;

HANDLE WINAPI FakeCreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                             DWORD disposition, DWORD flags, HANDLE templateFile) {
  g_driver.opened.push_back({name, access, share, disposition, flags, sa != nullptr,
                             templateFile != nullptr});
  if (!g_driver.present) return INVALID_HANDLE_VALUE;
  return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x100 + g_driver.opened.size()));
}

BOOL WINAPI FakeDeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                DWORD outSize, LPDWORD transferred, LPOVERLAPPED overlapped) {
  const auto* input = static_cast<const uint8_t*>(in);
  auto* output = static_cast<uint8_t*>(out);
  g_driver.requests.push_back({device, code, {input, input + inSize}, out,
                               {output, output + outSize}, transferred != nullptr,
                               overlapped != nullptr});
  if (static_cast<int>(g_driver.requests.size()) - 1 == g_driver.failRequest) return FALSE;
  if (code != 0x222051) {
    for (DWORD i = 0; i < outSize && i < g_driver.fill.size(); ++i) output[i] = g_driver.fill[i];
  }
  *transferred = outSize;
  return TRUE;
}

BOOL WINAPI FakeCloseHandle(HANDLE handle) {
  g_driver.closed.push_back(handle);
  return TRUE;
}

BOOL WINAPI FakeGetVersionEx(LPOSVERSIONINFOA info) {
  g_driver.versionSize = info->dwOSVersionInfoSize;
  info->dwPlatformId = g_driver.platform;
  info->dwMajorVersion = g_driver.major;
  return g_driver.versionOk;
}

HANDLE FirstHandle() { return reinterpret_cast<HANDLE>(uintptr_t{0x101}); }
std::vector<uint8_t> Phase(uint8_t phase) { return {phase, 0, 0, 0}; }

class Win32Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    g_driver = Driver{};
    _putenv_s("QUORLINK_DEVICE", "");
    SetWin32ApiForTesting({FakeCreateFile, FakeDeviceIoControl, FakeCloseHandle, FakeGetVersionEx});
    WEP(0);
  }
  void TearDown() override {
    WEP(0);
    SetWin32ApiForTesting({});
    _putenv_s("QUORLINK_DEVICE", "");
  }
};

TEST_F(Win32Driver, OpensTheBoardAndSendsEachPhaseWithItsCodeSelectorAndBuffer) {
  const int handle = IICInit(0x70, 20000, 1000);
  ASSERT_EQ(handle, 0);
  ASSERT_EQ(g_driver.opened.size(), 1u);
  const Opened& open = g_driver.opened[0];
  EXPECT_EQ(open.name, "\\\\.\\zembrel-0");
  EXPECT_EQ(open.access, static_cast<DWORD>(GENERIC_WRITE));
  EXPECT_EQ(open.share, static_cast<DWORD>(FILE_SHARE_WRITE));
  EXPECT_EQ(open.disposition, static_cast<DWORD>(OPEN_EXISTING));
  EXPECT_EQ(open.flags, 0u);
  EXPECT_FALSE(open.security || open.templateFile);
  EXPECT_EQ(g_driver.versionSize, 148u);

  const uint8_t data[] = {0x30, 0x17};
  EXPECT_EQ(SendSub(handle, 1, 0x00, data, 2, 0), 0);
  const std::vector<Request> expected = {
      {FirstHandle(), 0x222051, Phase(0), nullptr, {0x01, 0x00, 0x03, 0x38, 0x00, 0x00}, true, false},
      {FirstHandle(), 0x222051, Phase(1), nullptr, {0x00, 0x30, 0x17}, true, false},
      {FirstHandle(), 0x22204E, Phase(3), nullptr, {0x00}, true, false}};
  ASSERT_EQ(g_driver.requests.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Request& r = g_driver.requests[i];
    EXPECT_EQ(r.device, expected[i].device) << i;
    EXPECT_EQ(r.code, expected[i].code) << i;
    EXPECT_EQ(r.input, expected[i].input) << i;
    if (i < 2) {
      EXPECT_EQ(r.sent, expected[i].sent) << i;
    }
    EXPECT_EQ(r.sent.size(), expected[i].sent.size()) << i;
    EXPECT_TRUE(r.countAsked && !r.overlapped) << i;
  }
  IICClose(handle);
  EXPECT_EQ(g_driver.closed, std::vector<HANDLE>{FirstHandle()});
}

TEST_F(Win32Driver, ReadsIntoTheCallersBufferAndPassesTheStatusByteThrough) {
  const int handle = IICInit(0x71, 0, 0);
  g_driver.fill = {0x05, 0xBB};
  uint8_t buffer[2] = {};
  EXPECT_EQ(Receive(handle, buffer, 0, 2), 5);
  ASSERT_EQ(g_driver.requests.size(), 3u);
  EXPECT_EQ(g_driver.requests[1].code, 0x22204Eu);
  EXPECT_EQ(g_driver.requests[1].input, Phase(2));
  EXPECT_EQ(g_driver.requests[1].output, buffer);
  EXPECT_EQ(g_driver.requests[1].sent.size(), 2u);
  EXPECT_EQ(buffer[0], 0x05);
  EXPECT_EQ(buffer[1], 0xBB);
}

TEST_F(Win32Driver, AsksForTheVersionWithoutInputAndASixByteReply) {
  const int handle = IICInit(0x70, 0, 0);
  g_driver.fill = {1, 0, 2, 0, 3, 0};
  uint16_t library[3] = {}, device[3] = {};
  EXPECT_EQ(GetVersions(handle, library, device), 0);
  ASSERT_EQ(g_driver.requests.size(), 1u);
  EXPECT_EQ(g_driver.requests[0].code, 0x222074u);
  EXPECT_TRUE(g_driver.requests[0].input.empty());
  EXPECT_EQ(g_driver.requests[0].sent.size(), 6u);
  EXPECT_EQ(std::vector<uint16_t>(device, device + 3), (std::vector<uint16_t>{1, 2, 3}));
  EXPECT_EQ(std::vector<uint16_t>(library, library + 3), (std::vector<uint16_t>{3, 0, 1}));
}

TEST_F(Win32Driver, AFailedRequestEndsTheTransferAndEachBridgeClosesItsOwnHandle) {
  const int first = IICInit(0x70, 0, 0);
  const int second = IICInit(0x70, 0, 0);
  g_driver.failRequest = 0;
  EXPECT_EQ(Send(second, nullptr, 0, 0), QL_USB_COMMAND_ERROR);
  EXPECT_EQ(g_driver.requests.size(), 1u);
  IICClose(first);
  IICClose(second);
  EXPECT_EQ(g_driver.closed.size(), 2u);
  EXPECT_NE(g_driver.closed[0], g_driver.closed[1]);
}

struct OpenCase {
  const char* name;
  DWORD platform, major;
  BOOL versionOk;
  const char* setting;  // QUORLINK_DEVICE
  bool present;
  int code;                 // after IICInit
  const char* deviceOpened;  // nullptr: CreateFileA is not called
};

class Win32Open : public Win32Driver, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(Win32Open, ChecksThePlatformThenOpensTheNamedDevice) {
  const OpenCase& c = GetParam();
  g_driver.platform = c.platform;
  g_driver.major = c.major;
  g_driver.versionOk = c.versionOk;
  g_driver.present = c.present;
  _putenv_s("QUORLINK_DEVICE", c.setting);
  const int handle = IICInit(0x70, 0, 0);
  EXPECT_EQ(handle, c.code == 0 ? 0 : -1);
  EXPECT_EQ(LastErrorCode(), c.code);
  if (c.deviceOpened == nullptr) {
    EXPECT_TRUE(g_driver.opened.empty());
  } else {
    ASSERT_EQ(g_driver.opened.size(), 1u);
    EXPECT_EQ(g_driver.opened[0].name, c.deviceOpened);
  }
  EXPECT_TRUE(g_driver.closed.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Win32Open, ::testing::Values(
  OpenCase{"VersionQueryFails", VER_PLATFORM_WIN32_NT, 10, FALSE, "", true, 17, nullptr},
  OpenCase{"Nt4IsRefused", VER_PLATFORM_WIN32_NT, 4, TRUE, "", true, 16, nullptr},
  OpenCase{"Windows95Passes", VER_PLATFORM_WIN32_WINDOWS, 4, TRUE, "", true, 0, "\\\\.\\zembrel-0"},
  OpenCase{"Nt5Passes", VER_PLATFORM_WIN32_NT, 5, TRUE, "", true, 0, "\\\\.\\zembrel-0"},
  OpenCase{"NoBoard", VER_PLATFORM_WIN32_NT, 10, TRUE, "", false, 22, "\\\\.\\zembrel-0"},
  OpenCase{"AnotherDriverDevice", VER_PLATFORM_WIN32_NT, 10, TRUE, "\\\\.\\zembrel-3", true, 0, "\\\\.\\zembrel-3"},
  OpenCase{"APlainFileIsNoDevice", VER_PLATFORM_WIN32_NT, 10, TRUE, "C:\\board", true, 22, nullptr},
  OpenCase{"SimNeedsNoDriver", VER_PLATFORM_WIN32_NT, 10, TRUE, "sim", false, 0, nullptr}),
  [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace torvix::testing
