#include "bridge/src/transport_win32.h"

#include <windows.h>

namespace torvix {

namespace {

class Win32AdapterDevice final : public AdapterDevice {
 public:
  explicit Win32AdapterDevice(HANDLE handle) : handle_(handle) {}
  ~Win32AdapterDevice() override { CloseHandle(handle_); }
  Win32AdapterDevice(const Win32AdapterDevice&) = delete;
  Win32AdapterDevice& operator=(const Win32AdapterDevice&) = delete;

  ControlResult Control(uint32_t code, std::span<const uint8_t> input,
                        std::span<uint8_t> output) override {
    DWORD transferred = 0;
    // The driver only reads the input buffer; the API wants it non-const all the same.
    const BOOL ok = DeviceIoControl(handle_, code, const_cast<uint8_t*>(input.data()),
                                    static_cast<DWORD>(input.size()), output.data(),
                                    static_cast<DWORD>(output.size()), &transferred, nullptr);
    return {ok != FALSE, static_cast<uint32_t>(transferred)};
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<AdapterDevice> OpenWin32AdapterDevice(const char* deviceName) {
  const HANDLE handle = CreateFileA(deviceName, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32AdapterDevice>(handle);
}

}  // namespace torvix
