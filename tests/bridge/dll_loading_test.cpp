// Quorlink.dll as a Windows program loads it: every export found by ordinal at the address of
// its name, SendSend at SendReceive's, calls through an ordinal that work, version 3.0.1.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

// By ordinal, 1 to 21.
constexpr const char* kExports[] = {
    "SendReceive", "SendSend", "IICError", "ErrorString", "IICInit", "IICClose", "Send",
    "SendSub", "SendSubInterLeaved", "Receive", "ReceiveSub", "ReceiveSubInterLeaved",
    "SetAddress", "BusScan", "GetDeviceAddress", "WriteParPortData", "ReadParPortStatus",
    "LibMain", "GetVersions", "CheckI2CBus", "WEP"};

// GetProcAddress's untyped result as the function it is.
template <typename Function>
Function As(FARPROC address) {
  Function function;
  static_assert(sizeof function == sizeof address);
  std::memcpy(&function, &address, sizeof function);
  return function;
}

class QuorlinkDll : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { dll_ = LoadLibraryA("Quorlink.dll"); }
  static void TearDownTestSuite() { FreeLibrary(dll_); }
  static FARPROC ByOrdinal(int ordinal) {
    return GetProcAddress(dll_, MAKEINTRESOURCEA(ordinal));
  }
  static HMODULE dll_;
};
HMODULE QuorlinkDll::dll_ = nullptr;

TEST_F(QuorlinkDll, FindsEveryExportByOrdinalAtTheAddressOfItsName) {
  ASSERT_NE(dll_, nullptr);
  for (int ordinal = 1; ordinal <= 21; ++ordinal) {
    const char* name = kExports[ordinal - 1];
    EXPECT_NE(ByOrdinal(ordinal), nullptr) << ordinal;
    EXPECT_EQ(ByOrdinal(ordinal), GetProcAddress(dll_, name)) << ordinal << " " << name;
  }
  EXPECT_EQ(ByOrdinal(22), nullptr);
  EXPECT_EQ(GetProcAddress(dll_, "SendSend"), GetProcAddress(dll_, "SendReceive"));
}

TEST_F(QuorlinkDll, WorksWhenCalledThroughOrdinals) {
  ASSERT_NE(dll_, nullptr);
  _putenv_s("QUORLINK_DEVICE", "sim");
  const int handle = As<int(__cdecl*)(int, int, int)>(ByOrdinal(5))(0x70, 20000, 1000);
  EXPECT_EQ(handle, 0);
  uint8_t value = 0;
  EXPECT_EQ(As<int16_t(__cdecl*)(int, uint8_t*, int, int)>(ByOrdinal(10))(handle, &value, 0, 1), 0);
  char text[64] = {};
  EXPECT_STREQ(As<char*(__cdecl*)(int, char*)>(ByOrdinal(4))(handle, text), "There are no Errors");
  As<void(__cdecl*)(int)>(ByOrdinal(6))(handle);
  _putenv_s("QUORLINK_DEVICE", "");
}

TEST_F(QuorlinkDll, CarriesVersionThreeZeroOne) {
  char path[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameA(dll_, path, MAX_PATH), 0u);
  std::string info(GetFileVersionInfoSizeA(path, nullptr), '\0');
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00030000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
  char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                             reinterpret_cast<void**>(&text), &size));
  EXPECT_EQ(std::string(text), "3.0.1");
}

}  // namespace
