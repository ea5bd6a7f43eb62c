// SPDX-License-Identifier: MIT
// The Windows driver transport: every kernel call the library makes, with every argument, against
// a scripted driver put in place of CreateFileA, DeviceIoControl, CloseHandle and GetVersionExA.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "bridge/include/quorlink.h"
#include "bridge/src/bridge_table.h"
#include "bridge/src/win32_api.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using Calls = std::vector<std::string>;

// The driver's script, and every call it saw written out with all its arguments.
struct Driver {
  bool present = true;
  BOOL versionOk = TRUE;
  DWORD platform = VER_PLATFORM_WIN32_NT, major = 10;
  std::vector<uint8_t> fill;  // written into board-to-host buffers
  int failing = -1;           // index of the DeviceIoControl call that fails
  int shortCount = -1;        // index of the one that reports a byte fewer than its buffer
  int opens = 0, requests = 0;
  Calls calls;
} g_driver;

std::string Hex(const void* bytes, DWORD size) {
  std::string text;
  for (DWORD i = 0; i < size; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", static_cast<const uint8_t*>(bytes)[i]);
    text += hex;
  }
  return text;
}

std::string Name(HANDLE device) {
  return "dev" + std::to_string(reinterpret_cast<uintptr_t>(device));
}

HANDLE WINAPI CreateFileScript(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                               DWORD disposition, DWORD flags, HANDLE templateFile) {
  char call[160];
  std::snprintf(call, sizeof call, "CreateFileA %s %lx %lx %d %lu %lx %d", name, access, share,
                sa != nullptr, disposition, flags, templateFile != nullptr);
  g_driver.calls.push_back(call);
  if (!g_driver.present) return INVALID_HANDLE_VALUE;
  return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(++g_driver.opens));
}

BOOL WINAPI DeviceIoControlScript(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                  DWORD outSize, LPDWORD transferred, LPOVERLAPPED overlapped) {
  char call[96];
  std::snprintf(call, sizeof call, "IOCTL %s %lx in%s out %lu%s%s", Name(device).c_str(), code,
                Hex(in, inSize).c_str(), outSize, transferred == nullptr ? " no count" : "",
                overlapped != nullptr ? " overlapped" : "");
  // What a host-to-board request sends is its output buffer.
  g_driver.calls.push_back(call + (code == 0x222051 ? ":" + Hex(out, outSize) : ""));
  const int request = g_driver.requests++;
  if (request == g_driver.failing) return FALSE;
  for (DWORD i = 0; code != 0x222051 && i < outSize && i < g_driver.fill.size(); ++i) {
    static_cast<uint8_t*>(out)[i] = g_driver.fill[i];
  }
  *transferred = request == g_driver.shortCount ? outSize - 1 : outSize;
  return TRUE;
}

BOOL WINAPI CloseHandleScript(HANDLE handle) {
  g_driver.calls.push_back("CloseHandle " + Name(handle));
  return TRUE;
}

BOOL WINAPI GetVersionExScript(LPOSVERSIONINFOA info) {
  g_driver.calls.push_back("GetVersionExA " + std::to_string(info->dwOSVersionInfoSize));
  info->dwPlatformId = g_driver.platform;
  info->dwMajorVersion = g_driver.major;
  return g_driver.versionOk;
}

class Win32Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    g_driver = Driver{};
    _putenv_s("QUORLINK_DEVICE", "");  // an empty value removes the variable
    SetWin32ApiForTesting(
        {CreateFileScript, DeviceIoControlScript, CloseHandleScript, GetVersionExScript});
    WEP(0);
  }
  void TearDown() override {
    WEP(0);
    SetWin32ApiForTesting({});
    _putenv_s("QUORLINK_DEVICE", "");
  }
  static Calls Seen() { return std::exchange(g_driver.calls, {}); }
};

TEST_F(Win32Driver, SendsEachPhaseWithItsCodeSelectorAndBufferAndClosesTheDevice) {
  const int handle = IICInit(0x70, 20000, 1000);
  ASSERT_EQ(handle, 0);
  EXPECT_EQ(Seen(),
            (Calls{"GetVersionExA 148", "CreateFileA \\\\.\\zembrel-0 40000000 2 0 3 0 0"}));
  const uint8_t data[] = {0x30, 0x17};
  EXPECT_EQ(SendSub(handle, 1, 0x00, data, 2, 0), 0);
  g_driver.fill = {0x05, 0xBB, 0x00, 0x00, 0x03, 0x00};
  SetAddress(handle, 0x71);
  uint8_t buffer[2] = {};
  EXPECT_EQ(Receive(handle, buffer, 0, 2), 5);  // the status byte, passed through
  EXPECT_EQ(buffer[1], 0xBB);
  uint16_t library[3] = {}, device[3] = {};
  EXPECT_EQ(GetVersions(handle, library, device), 0);
  EXPECT_EQ(std::vector<uint16_t>(device, device + 3), (std::vector<uint16_t>{0xBB05, 0, 3}));
  IICClose(handle);
  EXPECT_EQ(Seen(), (Calls{"IOCTL dev1 222051 in 00 00 00 00 out 6: 01 00 03 38 00 00",
                           "IOCTL dev1 222051 in 01 00 00 00 out 3: 00 30 17",
                           "IOCTL dev1 22204e in 03 00 00 00 out 1",
                           "IOCTL dev1 222051 in 00 00 00 00 out 6: 04 00 02 38 00 00",
                           "IOCTL dev1 22204e in 02 00 00 00 out 2",
                           "IOCTL dev1 22204e in 03 00 00 00 out 1", "IOCTL dev1 222074 in out 6",
                           "CloseHandle dev1"}));
}

TEST_F(Win32Driver, AFailedRequestEndsTheTransferAndEachBridgeClosesItsOwnHandle) {
  const int first = IICInit(0x70, 0, 0), second = IICInit(0x70, 0, 0);
  g_driver.failing = 0;
  Seen();
  EXPECT_EQ(Send(second, nullptr, 0, 0), QL_USB_COMMAND_ERROR);
  IICClose(first);
  IICClose(second);
  EXPECT_EQ(Seen(), (Calls{"IOCTL dev2 222051 in 00 00 00 00 out 6: 01 00 00 38 00 00",
                           "CloseHandle dev1", "CloseHandle dev2"}));
}

// The library judges a phase by the count the driver reports, never by the size it asked for.
struct ShortCase {
  const char* name;
  int (*transfer)(int handle);
  int shortRequest;  // which request of the transfer comes back a byte short
  int code;
  int requests;  // made in all
};

void PrintTo(const ShortCase& c, std::ostream* os) { *os << c.name; }

class Win32ShortCount : public Win32Driver, public ::testing::WithParamInterface<ShortCase> {};

TEST_P(Win32ShortCount, EndsThePhaseWithItsCode) {
  const ShortCase& c = GetParam();
  const int handle = IICInit(0x70, 0, 0);
  g_driver.requests = 0;
  g_driver.shortCount = c.shortRequest;
  EXPECT_EQ(c.transfer(handle), c.code);
  EXPECT_EQ(g_driver.requests, c.requests);
}

uint8_t g_bytes[2];
// clang-format off
INSTANTIATE_TEST_SUITE_P(EachPhase, Win32ShortCount, ::testing::Values(
  ShortCase{"Header", [](int h) -> int { return Send(h, g_bytes, 0, 2); }, 0, 11, 1},
  ShortCase{"WriteData", [](int h) -> int { return Send(h, g_bytes, 0, 2); }, 1, 12, 2},
  ShortCase{"ReadData", [](int h) -> int { return Receive(h, g_bytes, 0, 2); }, 1, 13, 2},
  ShortCase{"StatusIsNotCounted", [](int h) -> int { return Send(h, g_bytes, 0, 2); }, 2, 0, 3},
  ShortCase{"Version", [](int h) -> int { uint16_t l[3], d[3]; return GetVersions(h, l, d); }, 0, 11, 1}),
  CaseName());
// clang-format on

struct OpenCase {
  const char* name;
  DWORD platform, major;
  BOOL versionOk, present;
  const char* setting;  // QUORLINK_DEVICE
  int code;             // after IICInit
  const char* opened;   // the name CreateFileA gets; nullptr when it is not called
};

class Win32Open : public Win32Driver, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(Win32Open, ChecksThePlatformThenOpensTheNamedDevice) {
  const OpenCase& c = GetParam();
  g_driver.platform = c.platform;
  g_driver.major = c.major;
  g_driver.versionOk = c.versionOk;
  g_driver.present = c.present;
  _putenv_s("QUORLINK_DEVICE", c.setting);
  EXPECT_EQ(IICInit(0x70, 0, 0), c.code == 0 ? 0 : -1);
  EXPECT_EQ(LastErrorCode(), c.code);
  Calls expected{"GetVersionExA 148"};
  if (c.opened != nullptr) expected.push_back(std::string("CreateFileA ") + c.opened + " ");
  const Calls calls = Seen();
  ASSERT_EQ(calls.size(), expected.size());
  for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i].rfind(expected[i], 0), 0u);
}

constexpr DWORD kNt = VER_PLATFORM_WIN32_NT, k9x = VER_PLATFORM_WIN32_WINDOWS;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Win32Open, ::testing::Values(
  OpenCase{"VersionQueryFails", kNt, 10, FALSE, TRUE, "", 17, nullptr},
  OpenCase{"Nt4IsRefused", kNt, 4, TRUE, TRUE, "", 16, nullptr},
  OpenCase{"Windows95Passes", k9x, 4, TRUE, TRUE, "", 0, "\\\\.\\zembrel-0"},
  OpenCase{"NoBoard", kNt, 10, TRUE, FALSE, "", 22, "\\\\.\\zembrel-0"},
  OpenCase{"AnotherDriverDevice", kNt, 10, TRUE, TRUE, "\\\\.\\zembrel-3", 0, "\\\\.\\zembrel-3"},
  OpenCase{"APlainFileIsNoDevice", kNt, 10, TRUE, TRUE, "C:\\board", 22, nullptr},
  OpenCase{"SimNeedsNoDriver", kNt, 10, TRUE, FALSE, "sim", 0, nullptr}),
  CaseName());
// clang-format on

}  // namespace
}  // namespace torvix::testing
