// SPDX-License-Identifier: MIT
// torvix on a Linux i2c-dev bus, in process over a fake kernel with the virtual camera behind
// it, and torvix buses.
#include <gtest/gtest.h>

#include "tests/cli/cli_fixture.h"
#include "tests/support/fake_i2c_kernel.h"

namespace torvix::testing {
namespace {

class I2cDev : public CliOnSim {
 protected:
  I2cDev() {
    kernel.sysRoot = scratch / "sys";
    kernel.AddBus(4, "Fake camera adapter");
    kernel.bus = &rig().Bus();
  }
  CliRun Camera(std::vector<std::string> args) {
    args.insert(args.begin(), {"--device", "i2c:camera adapter"});
    return RunBare(args);
  }

  FakeI2cKernel kernel;
  ScopedI2cKernel useKernel{kernel};
};

TEST_F(I2cDev, CommandsReachTheCameraOnTheBusNamedLikeTheSetting) {
  EXPECT_EQ(Camera({"settings"}).out, Run({"settings"}).out);
  EXPECT_EQ(Camera({"scan"}).out, "0x70\n");
  const auto path = scratch / "dsp.txt";
  EXPECT_EQ(Camera({"dump", "dsp", path.string()}).code, 0);
  EXPECT_TRUE(ReadFileBytes(path) ==
              ReadFileBytes(std::filesystem::path(TORVIX_DUMPS_GOLDEN_DIR) / "dsp_complete.txt"));
  EXPECT_EQ(Camera({"set", "Contrast=0x40"}).code, 0);
  EXPECT_EQ(camera().Register(0x57), 0x40);
}

// What the bus shows after a failed transfer is said in words, after the window's message.
TEST_F(I2cDev, ABusHeldByAnotherProgramOrAnAdapterGoneIsSaidInWords) {
  const std::string unread = "Camera settings not correctly read\n";
  const std::string gone = "Error: the adapter is gone: unplugged? (i2c:camera adapter)\n";
  kernel.lockRefusals = -1;
  EXPECT_EQ(Camera({"settings"}).err,
            "error bus is bussy or occupied\n" + unread +
                "Error: the i2c bus /dev/i2c-4 is busy: another program has held it for more "
                "than 2 s\n");
  kernel.lockRefusals = 0;
  kernel.bus = nullptr;
  kernel.error = ENODEV;  // a HID adapter passes on what usbcore says of a device gone
  EXPECT_EQ(Camera({"settings"}).err, "USB_WRITE_ERROR\n" + unread + gone);
  kernel.error = EIO;  // i2c-tiny-usb says EIO, and its bus goes away
  kernel.opensLeft = 2;
  EXPECT_EQ(Camera({"settings"}).err, "USB_WRITE_ERROR\n" + unread + gone);
  kernel.error = ETIMEDOUT;  // hid-mcp2221 lets the transfer time out, and its bus goes away
  kernel.opensLeft = 2;
  EXPECT_EQ(Camera({"settings"}).err, "USB_WRITE_ERROR\n" + unread + gone);
}

// hid-cp2112 tells an address nobody acknowledged as ETIMEDOUT: the words are the other
// adapters' all the same.
TEST_F(I2cDev, ACp2112sTimeOutIsANack) {
  const CliRun nack = Camera({"--address", "0x72", "get", "Contrast"});
  kernel.AddDriver(4, "cp2112");
  kernel.nackErrno = ETIMEDOUT;
  EXPECT_EQ(Camera({"--address", "0x72", "get", "Contrast"}).err, nack.err);
  EXPECT_EQ(Camera({"scan"}).out, "0x70\n");
}

// hid-mcp2221 makes its bus some 25 s before a transfer on it can work.
TEST_F(I2cDev, AnAdapterStillStartingIsSaidSoAndNothingIsSent) {
  kernel.AddDriver(4, "mcp2221");
  EXPECT_EQ(RunBare({"buses"}).out,
            "i2c-4\tFake camera adapter\tstill starting (try again in a few seconds)\n");
  const CliRun run = Camera({"get", "Contrast"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err,
            "Error: the adapter of /dev/i2c-4 is still starting: its driver has not finished "
            "setting it up, which takes up to half a minute after it is plugged in; try again "
            "in a few seconds\n");
  EXPECT_EQ(rig().Log().Size(), 0u);
}

TEST_F(I2cDev, BusesListsEachWithWhetherThisUserMayOpenIt) {
  kernel.AddBus(11, "i915 gmbus\tdpb\x1b[2J");  // a driver's name, shown escaped
  kernel.openErrors = {{"/dev/i2c-11", EACCES}};
  EXPECT_EQ(RunBare({"buses"}).out,
            "i2c-4\tFake camera adapter\tmay open\n"
            "i2c-11\ti915 gmbus\\u0009dpb\\u001b[2J\tno permission (join the i2c group)\n");
  kernel.sysRoot = scratch / "empty";
  const CliRun none = RunBare({"buses"});
  EXPECT_EQ(none.code, 0);
  EXPECT_EQ(none.out + none.err,
            "No i2c buses (is the i2c-dev module loaded? sudo modprobe i2c-dev)\n"
            "No HID adapters (MCP2221, CP2112) are plugged in\n");
}

}  // namespace
}  // namespace torvix::testing
