// SPDX-License-Identifier: MIT
// The HID transport on Windows: hid.dll, setupapi and the overlapped reads and writes, scripted
// over the same chip emulators as the protocols' tests (the reports a real chip would pass
// through Windows' HID class driver), so the library's requests reach the virtual camera.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bridge/hid/hid_bridge_chips.h"
#include "bridge/hid/hid_transport.h"
#include "bridge/hid/win32_hid_api.h"
#include "bridge/include/quorlink.h"
#include "bridge/src/adapter_device.h"
#include "clock/virtual_clock.h"
#include "tests/support/camera_requests.h"
#include "tests/support/case_name.h"
#include "tests/support/chip_hid_access.h"

namespace torvix::testing {
namespace {

// The devices the script has, and what the library asked of them.
struct Device {
  std::string path;
  USHORT vendor, product;
  const wchar_t* serial;
  USHORT input, output, feature;  // report lengths, the number included
  ChipLine* line;
};

struct Script {
  std::vector<Device> devices;
  std::vector<std::string> calls;  // opens for reports, and report lengths written
  DWORD writeError = 0;            // WriteFile fails with it
  Milliseconds waited{0};          // WaitForSingleObject's time-outs that ran out
  int handles = 0;                 // open now
  // The request in flight: done (its event set) with this count, or pending.
  DWORD completed = 0;
  bool signaled = false;
} g_script;

Device& Of(HANDLE handle) { return g_script.devices.at(reinterpret_cast<uintptr_t>(handle) - 1); }

// The scripted calls, each with the system's calling convention (stdcall on i686).
void WINAPI GetHidGuid(LPGUID guid) {
  *guid = GUID{0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0, 0x11, 0x11, 0, 0, 0x30}};
}
HDEVINFO WINAPI GetClassDevs(const GUID*, PCSTR, HWND, DWORD) {
  return reinterpret_cast<HDEVINFO>(0x77);
}
BOOL WINAPI EnumInterfaces(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD index,
                           PSP_DEVICE_INTERFACE_DATA data) {
  if (index >= g_script.devices.size()) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  data->Reserved = index;
  return TRUE;
}
BOOL WINAPI GetInterfaceDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data,
                               PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD needed,
                               PSP_DEVINFO_DATA) {
  const std::string& path = g_script.devices.at(data->Reserved).path;
  const DWORD whole = static_cast<DWORD>(sizeof(DWORD) + path.size() + 1);
  if (detail == nullptr) {
    *needed = whole;
    return FALSE;
  }
  if (size < whole || detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return FALSE;
  std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
  return TRUE;
}
BOOL WINAPI DestroyList(HDEVINFO) { return TRUE; }
HANDLE WINAPI CreateFileScript(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD,
                               DWORD flags, HANDLE) {
  for (std::size_t i = 0; i < g_script.devices.size(); ++i) {
    if (g_script.devices[i].path != name) continue;
    if (access != 0) {
      g_script.calls.push_back("open " + std::to_string(access) + " " + std::to_string(share) +
                               " " + std::to_string(flags));
    }
    ++g_script.handles;
    return reinterpret_cast<HANDLE>(i + 1);
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return INVALID_HANDLE_VALUE;
}
BOOL WINAPI CloseHandleScript(HANDLE handle) {
  if (handle != reinterpret_cast<HANDLE>(1000)) --g_script.handles;
  return TRUE;
}
BOOLEAN NTAPI GetAttributes(HANDLE h, PHIDD_ATTRIBUTES attributes) {
  attributes->VendorID = Of(h).vendor;
  attributes->ProductID = Of(h).product;
  return TRUE;
}
BOOLEAN NTAPI GetSerial(HANDLE h, PVOID buffer, ULONG size) {
  std::wcsncpy(static_cast<wchar_t*>(buffer), Of(h).serial, size / sizeof(wchar_t));
  return TRUE;
}
BOOLEAN NTAPI GetPreparsedData(HANDLE h, PHIDP_PREPARSED_DATA* data) {
  *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(h);
  return TRUE;
}
NTSTATUS NTAPI GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
  const Device& d = Of(reinterpret_cast<HANDLE>(data));
  caps->InputReportByteLength = d.input;
  caps->OutputReportByteLength = d.output;
  caps->FeatureReportByteLength = d.feature;
  return HIDP_STATUS_SUCCESS;
}
BOOLEAN NTAPI FreePreparsedData(PHIDP_PREPARSED_DATA) { return TRUE; }
BOOLEAN NTAPI GetFeature(HANDLE h, PVOID buffer, ULONG size) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  const auto got = Of(h).line->chip.GetFeature(bytes[0]);
  if (!got || size != Of(h).feature) return FALSE;
  std::memcpy(bytes, got->data(), std::min<std::size_t>(got->size(), size));
  return TRUE;
}
BOOLEAN NTAPI SetFeature(HANDLE h, PVOID buffer, ULONG size) {
  return size == Of(h).feature &&
         Of(h).line->chip.SetFeature({static_cast<uint8_t*>(buffer), size});
}
// A write the chip took completes at once; the library still waits on its event.
BOOL WINAPI WriteFileScript(HANDLE h, LPCVOID buffer, DWORD size, LPDWORD, LPOVERLAPPED) {
  g_script.calls.push_back("write " + std::to_string(size));
  if (g_script.writeError != 0) {
    SetLastError(g_script.writeError);
    return FALSE;
  }
  if (size != Of(h).output || !Of(h).line->Output({static_cast<const uint8_t*>(buffer), size})) {
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
  }
  g_script.completed = size;
  g_script.signaled = true;
  SetLastError(ERROR_IO_PENDING);
  return FALSE;
}
// A read completes with the chip's next answer (after a 0 where its reports have no number, as
// Windows gives them), or stays pending.
BOOL WINAPI ReadFileScript(HANDLE h, LPVOID buffer, DWORD size, LPDWORD, LPOVERLAPPED) {
  ChipLine& line = *Of(h).line;
  g_script.signaled = size == Of(h).input && !line.answers.empty() && !line.gone;
  if (g_script.signaled) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    bytes[0] = 0;
    const std::size_t skip = line.numbered ? 0 : 1;
    std::copy_n(line.answers.front().begin(), size - skip, bytes + skip);
    line.answers.pop_front();
    g_script.completed = size;
  }
  SetLastError(ERROR_IO_PENDING);
  return FALSE;
}
HANDLE WINAPI CreateEventScript(LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCSTR) {
  return reinterpret_cast<HANDLE>(1000);
}
DWORD WINAPI WaitScript(HANDLE, DWORD milliseconds) {
  if (g_script.signaled) return WAIT_OBJECT_0;
  Pause(Milliseconds{milliseconds});
  g_script.waited += Milliseconds{milliseconds};
  return WAIT_TIMEOUT;
}
BOOL WINAPI OverlappedResult(HANDLE, LPOVERLAPPED, LPDWORD transferred, BOOL) {
  if (!g_script.signaled) {
    SetLastError(ERROR_OPERATION_ABORTED);
    return FALSE;
  }
  *transferred = g_script.completed;
  g_script.signaled = false;
  return TRUE;
}
BOOL WINAPI CancelIoScript(HANDLE) {
  g_script.calls.push_back("cancel");
  return TRUE;
}

const Win32HidApi kScript{GetHidGuid,         GetClassDevs,      EnumInterfaces,
                          GetInterfaceDetail, DestroyList,       CreateFileScript,
                          CloseHandleScript,  GetAttributes,     GetSerial,
                          GetPreparsedData,   GetCaps,           FreePreparsedData,
                          GetFeature,         SetFeature,        WriteFileScript,
                          ReadFileScript,     CreateEventScript, WaitScript,
                          OverlappedResult,   CancelIoScript};

struct HidChipCase {
  const char* name;
  const char* spec;
  bool cp2112;
};

class Win32Hid : public ::testing::TestWithParam<HidChipCase> {
 protected:
  void SetUp() override {
    g_script = Script{};
    // What Windows tells of each: unnumbered reports come after a 0.
    g_script.devices = {
        GetParam().cp2112
            ? Device{"\\\\?\\hid#vid_10c4&pid_ea90", 0x10C4, 0xEA90, L"", 64, 64, 14, line_}
            : Device{"\\\\?\\hid#vid_04d8&pid_00dd", 0x04D8, 0x00DD, L"MC1", 65, 65, 0, line_}};
    SetWin32HidApiForTesting(kScript);
    SetAdapterDeviceOpenerForTesting([] { return OpenHidAdapter(GetParam().spec).device; });
  }
  void TearDown() override {
    ForgetStartedHidChipsForTesting();
    SetAdapterDeviceOpenerForTesting({});
    SetWin32HidApiForTesting({});
    EXPECT_EQ(g_script.handles, 0);
  }

  VirtualClock clock_;
  ScopedClock scoped_{clock_};
  ChipOnBus onBus_{GetParam().cp2112};
  ChipLine* line_ = &onBus_.line;
};

TEST_P(Win32Hid, TheCameraAnswersThroughTheChipsReports) {
  uint8_t value = 0;
  EXPECT_EQ(ReadCameraRegister(0x70, 0x57, value), 0);
  EXPECT_EQ(value, 0x3C);
  const std::string open = "open " + std::to_string(GENERIC_READ | GENERIC_WRITE) + " 3 " +
                           std::to_string(FILE_FLAG_OVERLAPPED);
  EXPECT_EQ(g_script.calls.front(), open);
  const std::string write = GetParam().cp2112 ? "write 64" : "write 65";
  // Opened once for the process's handles; each transfer first reads away what a transfer that
  // gave up left: a read cancelled at once.
  EXPECT_EQ(std::count(g_script.calls.begin(), g_script.calls.end(), open), 1);
  for (const std::string& call : g_script.calls) {
    EXPECT_TRUE(call == open || call == write || call == "cancel") << call;
  }
}

TEST_P(Win32Hid, AChipThatDoesNotAnswerIsLeftAtTheDeadlineAndItsReadCancelled) {
  const int handle = IICInit(0x70, 0, 0);
  ASSERT_EQ(handle, 0);
  line_->silent = true;
  g_script.calls.clear();
  const uint8_t data[3] = {0x00, 0x30, 0x57};
  EXPECT_EQ(Send(handle, data, 0, 3), QL_USB_WRITE_ERROR);
  EXPECT_EQ(g_script.waited, Milliseconds{2000});
  EXPECT_EQ(g_script.calls.back(), "cancel");
  IICClose(handle);
}

TEST_P(Win32Hid, AnUnpluggedChipFailsTheWriteAndListsNoMore) {
  const int handle = IICInit(0x70, 0, 0);
  g_script.writeError = ERROR_DEVICE_NOT_CONNECTED;
  const uint8_t data[3] = {0x00, 0x30, 0x57};
  EXPECT_EQ(Send(handle, data, 0, 3), QL_USB_WRITE_ERROR);
  IICClose(handle);
  EXPECT_EQ(NameHidBridges(ListHidDevices()).at(0).setting,
            GetParam().cp2112 ? "hid:cp2112#1" : "hid:mcp2221/MC1");
  g_script.devices.clear();
  EXPECT_TRUE(ListHidDevices().empty());
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
}

INSTANTIATE_TEST_SUITE_P(EachChip, Win32Hid,
                         ::testing::Values(HidChipCase{"Mcp2221", "mcp2221", false},
                                           HidChipCase{"Cp2112", "10c4:ea90", true}),
                         CaseName());

}  // namespace
}  // namespace torvix::testing
