// SPDX-License-Identifier: MIT
// The HID devices of Windows: the present interfaces of the HID class, each opened without
// access rights (which a device another program holds still allows) to read its ids and serial
// number.
#include <algorithm>
#include <string>
#include <vector>

#include "bridge/hid/hid_devices.h"
#include "bridge/hid/win32_hid_api.h"

namespace torvix {

namespace {

// A serial number as the setting names it: its ASCII, anything else as '?'.
std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text != L'\0'; ++text)
    narrow += *text < 0x80 && *text >= 0x20 ? static_cast<char>(*text) : '?';
  return narrow;
}

std::string InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& entry) {
  const Win32HidApi& api = CurrentWin32HidApi();
  DWORD needed = 0;
  api.getInterfaceDetail(set, &entry, nullptr, 0, &needed, nullptr);
  if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return {};
  std::vector<DWORD> storage(needed / sizeof(DWORD) + 1);  // aligned as the structure wants
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  if (!api.getInterfaceDetail(set, &entry, detail, needed, nullptr, nullptr)) return {};
  return detail->DevicePath;
}

bool Describe(HidDevice& device) {
  const Win32HidApi& api = CurrentWin32HidApi();
  const HANDLE handle = api.createFile(device.path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  const bool known = api.getAttributes(handle, &attributes) != FALSE;
  wchar_t serial[128] = {};
  if (known && api.getSerial(handle, serial, sizeof serial - sizeof(wchar_t))) {
    device.serial = Narrow(serial);
  }
  api.closeHandle(handle);
  device.vendor = attributes.VendorID;
  device.product = attributes.ProductID;
  return known;
}

}  // namespace

std::vector<HidDevice> ListHidDevices() {
  const Win32HidApi& api = CurrentWin32HidApi();
  GUID hidClass{};
  api.getHidGuid(&hidClass);
  const HDEVINFO set =
      api.getClassDevs(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return {};
  std::vector<HidDevice> devices;
  SP_DEVICE_INTERFACE_DATA entry{};
  entry.cbSize = sizeof entry;
  for (DWORD index = 0; api.enumInterfaces(set, nullptr, &hidClass, index, &entry); ++index) {
    HidDevice device;
    device.path = InterfacePath(set, entry);
    if (!device.path.empty() && Describe(device)) devices.push_back(device);
  }
  api.destroyList(set);
  std::sort(devices.begin(), devices.end(),
            [](const HidDevice& a, const HidDevice& b) { return a.path < b.path; });
  return devices;
}

}  // namespace torvix
