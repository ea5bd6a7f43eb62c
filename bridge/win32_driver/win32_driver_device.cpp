// SPDX-License-Identifier: MIT
#include "bridge/win32_driver/win32_driver_device.h"

#include <string>

#include "bridge/devices/device_setting.h"
#include "bridge/src/win32_api.h"

namespace torvix {

namespace {

// Every request is synchronous (no OVERLAPPED) and asks for the count of bytes transferred.
class Win32AdapterDevice final : public AdapterDevice {
 public:
  explicit Win32AdapterDevice(HANDLE handle) : handle_(handle) {}
  // Each bridge closes its own handle: a handle left open until the last bridge goes would
  // outlive its bridge whenever two lives overlap.
  ~Win32AdapterDevice() override { CurrentWin32Api().closeHandle(handle_); }
  Win32AdapterDevice(const Win32AdapterDevice&) = delete;
  Win32AdapterDevice& operator=(const Win32AdapterDevice&) = delete;

  ControlResult Control(uint32_t code, std::span<const uint8_t> input,
                        std::span<uint8_t> output) override {
    DWORD transferred = 0;
    // The driver only reads the input buffer; the API wants it non-const all the same.
    const BOOL ok =
        CurrentWin32Api().deviceIoControl(handle_, code, const_cast<uint8_t*>(input.data()),
                                          static_cast<DWORD>(input.size()), output.data(),
                                          static_cast<DWORD>(output.size()), &transferred, nullptr);
    return {ok != FALSE, static_cast<uint32_t>(transferred)};
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<AdapterDevice> OpenWin32AdapterDevice(const char* deviceName) {
  const HANDLE handle = CurrentWin32Api().createFile(deviceName, GENERIC_WRITE, FILE_SHARE_WRITE,
                                                     nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32AdapterDevice>(handle);
}

std::unique_ptr<AdapterDevice> Win32DriverTransport::Open(const DeviceSetting& setting) {
  if (!setting.named) return OpenWin32AdapterDevice(std::string(kFacts.unsetDevice).c_str());
  // \\.\ alone names no device.
  return setting.argument.empty() ? nullptr : OpenWin32AdapterDevice(setting.text.c_str());
}

}  // namespace torvix
