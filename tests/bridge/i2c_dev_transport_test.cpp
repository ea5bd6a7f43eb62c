// QUORLINK_DEVICE=i2c:... over a fake kernel: a bus that will not open fails IICInit as a
// missing board does, and says why on stderr once per process.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "bridge/include/quorlink.h"
#include "bridge/src/transport_i2c_dev.h"
#include "tests/support/fake_i2c_kernel.h"

namespace torvix::testing {
namespace {

TEST(I2cDevTransport, ABusThatWillNotOpenFailsIICInitWith22AndSaysWhyOnce) {
  FakeI2cKernel kernel;
  kernel.openErrors = {{"/dev/i2c-9", EACCES}};
  ScopedI2cKernel useKernel{kernel};
  ResetI2cDevReportForTesting();
  ::setenv("QUORLINK_DEVICE", "i2c:/dev/i2c-9", 1);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Quorlink: no permission to open /dev/i2c-9 (join the i2c group and log in again; "
            "see docs/hardware.md)\n");
  char text[64];
  EXPECT_STREQ(ErrorString(0, text), "USB device not found");

  ::setenv("QUORLINK_DEVICE", "i2c:/dev/i2c-1", 1);
  const int handle = IICInit(0x70, 0, 0);
  ASSERT_GE(handle, 0);
  uint8_t value = 0;
  EXPECT_EQ(Receive(handle, &value, 0, 1), 0);
  EXPECT_EQ(kernel.transfers, std::vector<std::string>{"rdwr R38:1"});
  IICClose(handle);
  EXPECT_EQ(kernel.openFds, 0);
  ::unsetenv("QUORLINK_DEVICE");
}

}  // namespace
}  // namespace torvix::testing
