// QUORLINK_DEVICE=i2c:... on a bus that will not open: IICInit fails as for a missing board,
// and the reason goes to stderr once per process.
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
  ::setenv("QUORLINK_DEVICE", "i2c:9", 1);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
  EXPECT_EQ(IICInit(0x70, 0, 0), -1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Quorlink: no permission to open /dev/i2c-9 (join the i2c group and log in again; "
            "see docs/hardware.md)\n");
  EXPECT_EQ(IICError(0), 1);
  char text[64];
  EXPECT_STREQ(ErrorString(0, text), "USB device not found");
  ::unsetenv("QUORLINK_DEVICE");
}

}  // namespace
}  // namespace torvix::testing
