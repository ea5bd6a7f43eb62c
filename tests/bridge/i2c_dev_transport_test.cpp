// SPDX-License-Identifier: MIT
// QUORLINK_DEVICE=i2c:... on a bus that will not open: IICInit fails as for a missing board,
// and the reason goes to stderr once per process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "bridge/i2c_dev/i2c_dev_device.h"
#include "bridge/include/quorlink.h"
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

// An unplugged adapter (or a request cut off) fails the driver request that ran the transfer:
// the write data (12) or the read data (13). A transfer the adapter cannot do stays status 10.
TEST(I2cDevTransport, AnAdapterThatIsGoneFailsTheBoardsRequestNotTheBus) {
  FakeI2cKernel kernel;
  ScopedI2cKernel useKernel{kernel};
  ::setenv("QUORLINK_DEVICE", "i2c:/dev/i2c-3", 1);
  for (const auto& [error, sent, received] : {std::tuple{ENODEV, 12, 13},
                                              {ESHUTDOWN, 12, 13},
                                              {EPROTO, 12, 13},
                                              {EILSEQ, 12, 13},
                                              {ETIME, 12, 13},
                                              {EINTR, 12, 13},
                                              {EOPNOTSUPP, 10, 10},
                                              {ENXIO, 14, 14}}) {
    kernel.error = error;
    const uint8_t value = 0x40;
    uint8_t in = 0x71;
    const int handle = IICInit(0x70, 0, 0);
    EXPECT_EQ(Send(handle, &value, 0, 1), sent) << "errno " << error;
    EXPECT_EQ(Receive(handle, &in, 0, 1), received) << "errno " << error;
    IICClose(handle);
  }
  ::unsetenv("QUORLINK_DEVICE");
}

}  // namespace
}  // namespace torvix::testing
