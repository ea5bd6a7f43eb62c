// The i2c-dev bus over a fake kernel: the messages and SMBus calls each transfer becomes, the
// status each errno gives, and finding a bus by its adapter's name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "board/i2c_dev_buses.h"
#include "board/linux_i2c_bus.h"
#include "tests/support/fake_i2c_kernel.h"

namespace torvix::testing {
namespace {

using ::testing::HasSubstr;

struct TransferCase {
  unsigned long functions;
  char kind;  // 'W' write, 'R' read, 'X' write-then-read
  std::vector<uint8_t> written;
  std::size_t readLength;
  const char* call;  // what the kernel was asked; "" for nothing
  uint8_t status;
  std::vector<uint8_t> read;
};

uint8_t Transfer(LinuxI2cBus& bus, const TransferCase& c, std::vector<uint8_t>& in) {
  in.assign(c.readLength, 0);
  if (c.kind == 'W') return bus.Write(0x38, c.written);
  if (c.kind == 'R') return bus.Read(0x38, in);
  return bus.WriteRead(0x38, c.written, in);
}

class Transfers : public ::testing::TestWithParam<TransferCase> {};

TEST_P(Transfers, BecomeOneKernelCallUnderTheBusLock) {
  const TransferCase& c = GetParam();
  FakeI2cKernel kernel;
  kernel.functions = c.functions;
  std::vector<uint8_t> in;
  {
    LinuxI2cBusOpening opening = OpenLinuxI2cBus("/dev/i2c-1", kernel);
    ASSERT_TRUE(opening.bus);
    EXPECT_EQ(Transfer(*opening.bus, c, in), c.status);
  }
  EXPECT_EQ(kernel.transfers, std::string(c.call).empty() ? std::vector<std::string>{}
                                                          : std::vector<std::string>{c.call});
  EXPECT_EQ(in, c.read);
  EXPECT_EQ(kernel.unlockedTransfers, 0);
  EXPECT_EQ(kernel.openFds, 0);
}

constexpr unsigned long kI2c = I2C_FUNC_I2C;
constexpr unsigned long kSmbus = I2C_FUNC_SMBUS_EMUL;
INSTANTIATE_TEST_SUITE_P(
    LinuxI2cBus, Transfers,
    ::testing::Values(
        TransferCase{kI2c, 'W', {0x00, 0x30, 0x17}, 0, "rdwr W38:00 30 17", 0, {}},
        TransferCase{kI2c, 'W', {}, 0, "rdwr W38:", 0, {}},
        TransferCase{kI2c, 'R', {}, 2, "rdwr R38:2", 0, {0xC0, 0xC1}},
        // The repeated START: both messages in one ioctl.
        TransferCase{kI2c, 'X', {0x12, 0x34}, 1, "rdwr W38:12 34 R38:1", 0, {0xC0}},
        TransferCase{kSmbus, 'W', {}, 0, "smbus 38 W quick ", 0, {}},
        TransferCase{kSmbus, 'W', {0x41}, 0, "smbus 38 W byte 41", 0, {}},
        TransferCase{kSmbus, 'W', {0x41, 0x42}, 0, "smbus 38 W byte-data 41 42", 0, {}},
        TransferCase{kSmbus, 'W', {0x00, 0x30, 0x17}, 0, "smbus 38 W word-data 00 30 17", 0, {}},
        TransferCase{kSmbus, 'R', {}, 1, "smbus 38 R byte ", 0, {0xC0}},
        TransferCase{kSmbus, 'X', {0x10}, 1, "smbus 38 R byte-data 10", 0, {0xC0}},
        TransferCase{kSmbus, 'X', {0x10}, 2, "smbus 38 R word-data 10", 0, {0xC0, 0xC1}},
        // No SMBus form, or not one this adapter has: nothing reaches the bus.
        TransferCase{kSmbus, 'W', {1, 2, 3, 4}, 0, "", 10, {}},
        TransferCase{kSmbus, 'R', {}, 2, "", 10, {0, 0}},
        TransferCase{kSmbus, 'X', {1, 2}, 1, "", 10, {0}},
        TransferCase{I2C_FUNC_SMBUS_BYTE, 'W', {1, 2, 3}, 0, "", 10, {}}));

class Errnos : public ::testing::TestWithParam<std::pair<int, uint8_t>> {};

TEST_P(Errnos, BecomeTheBoardsStatusByte) {
  for (unsigned long functions : {kI2c, kSmbus}) {
    FakeI2cKernel kernel;
    kernel.functions = functions;
    kernel.errors = {GetParam().first};
    const auto bus = OpenLinuxI2cBus("/dev/i2c-1", kernel).bus;
    std::vector<uint8_t> in(1);
    EXPECT_EQ(bus->Read(0x38, in), GetParam().second) << functions;
    EXPECT_EQ(bus->Read(0x38, in), kStatusDone);
  }
}

INSTANTIATE_TEST_SUITE_P(LinuxI2cBus, Errnos,
                         ::testing::Values(std::pair{ENXIO, 14}, std::pair{EREMOTEIO, 14},
                                           std::pair{EIO, 14}, std::pair{EAGAIN, 3},
                                           std::pair{EBUSY, 6}, std::pair{ETIMEDOUT, 4},
                                           std::pair{EOPNOTSUPP, 10}, std::pair{EPROTO, 10}));

TEST(I2cDevBuses, ChosenByPathNumberOrTheOneAdapterNamedLikeIt) {
  FakeI2cKernel kernel;
  kernel.sysRoot = std::filesystem::temp_directory_path() /
                   ("torvix_sys_" + std::to_string(::getpid()));
  kernel.AddBus(12, "MCP2221 usb-i2c bridge");
  kernel.AddBus(3, "CP2112 SMBus Bridge on hidraw0");
  kernel.AddBus(7, "CP2112 SMBus Bridge on hidraw1");
  std::filesystem::create_directories(kernel.sysRoot / "class/i2c-dev/power");
  const auto buses = ListI2cDevBuses(kernel.sysRoot);
  ASSERT_EQ(buses.size(), 3u);
  EXPECT_EQ(buses[2].name, "MCP2221 usb-i2c bridge");
  EXPECT_EQ(ChooseI2cBus("mcp2221", buses).path, "/dev/i2c-12");
  EXPECT_EQ(ChooseI2cBus("/dev/i2c-4", buses).path, "/dev/i2c-4");
  EXPECT_EQ(ChooseI2cBus("5", buses).path, "/dev/i2c-5");
  EXPECT_EQ(ChooseI2cBus("CP2112", buses).problem,
            "more than one i2c bus is named like 'CP2112': i2c-3 (CP2112 SMBus Bridge on "
            "hidraw0) and i2c-7 (CP2112 SMBus Bridge on hidraw1); give the bus as i2c:/dev/i2c-N");
  EXPECT_THAT(ChooseI2cBus("FT260", buses).problem, HasSubstr("no i2c bus named like 'FT260'"));
  EXPECT_EQ(OpenI2cDevBus("hidraw1", kernel).bus != nullptr, true);
  std::filesystem::remove_all(kernel.sysRoot);
  EXPECT_THAT(OpenI2cDevBus("hidraw1", kernel).problem, HasSubstr("no i2c buses"));
}

TEST(I2cDevBuses, AnOpenThatFailsSaysWhyInWords) {
  FakeI2cKernel kernel;
  kernel.openErrors = {{"/dev/i2c-9", ENOENT}, {"/dev/i2c-2", EACCES}};
  EXPECT_THAT(OpenI2cDevBus("9", kernel).problem, HasSubstr("modprobe i2c-dev"));
  EXPECT_THAT(OpenI2cDevBus("2", kernel).problem, HasSubstr("i2c group"));
  kernel.funcsError = ENOTTY;
  EXPECT_EQ(OpenI2cDevBus("/dev/null", kernel).problem, "/dev/null is not an i2c-dev bus");
  EXPECT_EQ(kernel.openFds, 0);
}

}  // namespace
}  // namespace torvix::testing
