// SPDX-License-Identifier: MIT
// The i2c-dev bus over a fake kernel: the messages or SMBus call each transfer becomes, the
// status each errno gives, and finding a bus by its adapter's name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "board/i2c_dev_buses.h"
#include "board/linux_i2c_bus.h"
#include "clock/virtual_clock.h"
#include "tests/support/fake_i2c_kernel.h"
#include "tests/support/scratch_folder.h"

namespace torvix::testing {
namespace {

constexpr unsigned long kI2c = I2C_FUNC_I2C;
constexpr unsigned long kSmbus = I2C_FUNC_SMBUS_EMUL;

struct TransferCase {
  unsigned long functions;
  char kind;  // 'W' write, 'R' read, 'X' write-then-read
  std::vector<uint8_t> written;
  std::size_t readLength;
  const char* call;  // what the kernel was asked; "" for nothing
  std::vector<uint8_t> read;
  int error = 0;  // the kernel's answer
  uint8_t status = 0;
};

// The test's name in CTest: the transfer, the adapter's functions and the kernel's answer.
void PrintTo(const TransferCase& c, std::ostream* os) {
  *os << c.kind << c.written.size() << '+' << c.readLength << " functions 0x" << std::hex
      << c.functions << std::dec << " errno " << c.error;
}

class Transfers : public ::testing::TestWithParam<TransferCase> {};

TEST_P(Transfers, BecomeOneKernelCallUnderTheBusLock) {
  const TransferCase& c = GetParam();
  FakeI2cKernel kernel;
  kernel.functions = c.functions;
  kernel.error = c.error;
  std::vector<uint8_t> in(c.readLength);
  {
    const auto bus = OpenLinuxI2cBus("/dev/i2c-1", kernel).bus;
    EXPECT_EQ(c.kind == 'W'   ? bus->Write(0x38, c.written)
              : c.kind == 'R' ? bus->Read(0x38, in)
                              : bus->WriteRead(0x38, c.written, in),
              c.status);
  }
  EXPECT_EQ(kernel.transfers, std::string(c.call).empty() ? std::vector<std::string>{}
                                                          : std::vector<std::string>{c.call});
  EXPECT_EQ(in, c.read);
  EXPECT_EQ(kernel.unlockedTransfers, 0);
  EXPECT_EQ(kernel.openFds, 0);
}

const std::vector<uint8_t> kC0{0xC0};
INSTANTIATE_TEST_SUITE_P(
    LinuxI2cBus, Transfers,
    ::testing::Values(
        TransferCase{kI2c, 'W', {0x00, 0x30, 0x17}, 0, "rdwr W38:00 30 17", {}},
        TransferCase{kI2c, 'W', {}, 0, "rdwr W38:", {}},
        TransferCase{kI2c, 'R', {}, 2, "rdwr R38:2", {0xC0, 0xC1}},
        // The repeated START: both messages in one ioctl.
        TransferCase{kI2c, 'X', {0x12, 0x34}, 1, "rdwr W38:12 34 R38:1", kC0},
        TransferCase{kSmbus, 'W', {}, 0, "smbus 38 W quick ", {}},
        TransferCase{kSmbus, 'W', {0x41}, 0, "smbus 38 W byte 41", {}},
        TransferCase{kSmbus, 'W', {0x41, 0x42}, 0, "smbus 38 W byte-data 41 42", {}},
        TransferCase{kSmbus, 'W', {0x00, 0x30, 0x17}, 0, "smbus 38 W word-data 00 30 17", {}},
        TransferCase{kSmbus, 'R', {}, 1, "smbus 38 R byte ", kC0},
        TransferCase{kSmbus, 'X', {0x10}, 1, "smbus 38 R byte-data 10", kC0},
        TransferCase{kSmbus, 'X', {0x10}, 2, "smbus 38 R word-data 10", {0xC0, 0xC1}},
        // No SMBus form, or not one this adapter has: nothing reaches the bus.
        TransferCase{kSmbus, 'W', {1, 2, 3, 4}, 0, "", {}, 0, 10},
        TransferCase{kSmbus, 'R', {}, 2, "", {0, 0}, 0, 10},
        TransferCase{kSmbus, 'X', {1, 2}, 1, "", {0}, 0, 10},
        TransferCase{I2C_FUNC_SMBUS_BYTE, 'W', {1, 2, 3}, 0, "", {}, 0, 10},
        // Each errno as the board's status byte.
        TransferCase{kI2c, 'R', {}, 1, "rdwr R38:1", kC0, ENXIO, 14},
        TransferCase{kI2c, 'R', {}, 1, "rdwr R38:1", kC0, EREMOTEIO, 14},
        TransferCase{kI2c, 'R', {}, 1, "rdwr R38:1", kC0, EIO, 14},
        TransferCase{kI2c, 'R', {}, 1, "rdwr R38:1", kC0, EAGAIN, 3},
        TransferCase{kI2c, 'R', {}, 1, "rdwr R38:1", kC0, EBUSY, 6},
        TransferCase{kI2c, 'R', {}, 1, "rdwr R38:1", kC0, ETIMEDOUT, 4},
        TransferCase{kI2c, 'R', {}, 1, "rdwr R38:1", kC0, EOPNOTSUPP, 10},
        TransferCase{kSmbus, 'R', {}, 1, "smbus 38 R byte ", {0}, ENXIO, 14}));

// The bus lock held elsewhere for a while, or for good: a transfer waits for it 2 s at most.
TEST(LinuxI2cBus, WaitsTwoSecondsAtMostForTheBusLockThenAnswersBusBusy) {
  VirtualClock clock;
  ScopedClock useClock{clock};
  FakeI2cKernel kernel;
  const auto bus = OpenLinuxI2cBus("/dev/i2c-1", kernel).bus;
  kernel.lockRefusals = 3;
  EXPECT_EQ(bus->Write(0x38, std::vector<uint8_t>{0x41}), kStatusDone);
  EXPECT_EQ(clock.Pauses(), std::vector<Milliseconds>(3, Milliseconds{1}));
  kernel.lockRefusals = -1;
  const Microseconds start = clock.Now();
  EXPECT_EQ(bus->Write(0x38, std::vector<uint8_t>{0x42}), kStatusBusBusy);
  EXPECT_EQ(clock.Now() - start, Milliseconds{2000});
  EXPECT_EQ(kernel.transfers, std::vector<std::string>{"rdwr W38:41"});
}

// The adapter carried out fewer messages than it was given: what the read holds never came
// from the bus, so the transfer fails as a device that did not answer.
TEST(LinuxI2cBus, FewerMessagesDoneThanGivenIsAFailedTransfer) {
  FakeI2cKernel kernel;
  kernel.messagesDone = 1;
  std::vector<uint8_t> in{0x71};
  EXPECT_EQ(OpenLinuxI2cBus("/dev/i2c-1", kernel).bus->WriteRead(0x38, kC0, in), 14);
}

// Found under a real kernel: i2c-tiny-usb answers I2C_FUNCS with no function, and no errno,
// once its adapter is unplugged, while its node may still be there; every transfer would then
// say "unknown command".
TEST(LinuxI2cBusOpening, AnAdapterWithNoFunctionAtAllIsGone) {
  FakeI2cKernel kernel;
  EXPECT_EQ(LookAtI2cBus("/dev/i2c-1", kernel).state, I2cBusState::kPresent);
  kernel.functions = 0;
  const LinuxI2cBusOpening opening = OpenLinuxI2cBus("/dev/i2c-1", kernel);
  EXPECT_EQ(opening.bus, nullptr);
  EXPECT_EQ(opening.error, ENODEV);
  EXPECT_EQ(LookAtI2cBus("/dev/i2c-1", kernel).state, I2cBusState::kGone);
  EXPECT_EQ(kernel.openFds, 0);
}

// EIO is a device that did not answer while the adapter is there, ETIMEDOUT a transfer that
// timed out. Found under a real kernel: i2c-tiny-usb gives EIO for an unplugged adapter too,
// and hid-mcp2221 lets the transfer in hand time out; then the node goes, or, before that,
// i2c-tiny-usb reports no function. The board then fails the request as the adapter failing.
// hid-cp2112 gives ETIMEDOUT for an address nobody acknowledged.
TEST(LinuxI2cBus, AnEioOrATimeoutFromAnAdapterThatIsGoneIsTheAdapterFailing) {
  struct {
    int error;
    const char* driver;
    int opensLeftAfterOpening;
    unsigned long functionsAfterOpening;
    uint8_t status;
    bool adapterFailed;
  } const cases[] = {{EIO, "i2c-tiny-usb", -1, kI2c, kStatusAddressNack, false},
                     {EIO, "i2c-tiny-usb", 0, kI2c, kStatusUnknownCommand, true},
                     {EIO, "i2c-tiny-usb", -1, 0, kStatusUnknownCommand, true},
                     {ETIMEDOUT, "mcp2221", -1, kI2c, kStatusTimeout, false},
                     {ETIMEDOUT, "mcp2221", 0, kI2c, kStatusUnknownCommand, true},
                     {ETIMEDOUT, "cp2112", -1, kI2c, kStatusAddressNack, false},
                     {ETIMEDOUT, "cp2112", 0, kI2c, kStatusUnknownCommand, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.error << " " << c.driver << " "
                                      << c.opensLeftAfterOpening << " " << c.functionsAfterOpening);
    const ScratchFolder scratch;
    FakeI2cKernel kernel;
    kernel.sysRoot = scratch / "sys";
    kernel.AddBus(1, "adapter");
    kernel.AddDriver(1, c.driver, true);
    kernel.error = c.error;
    const auto bus = OpenLinuxI2cBus("/dev/i2c-1", kernel).bus;
    kernel.opensLeft = c.opensLeftAfterOpening;
    kernel.functions = c.functionsAfterOpening;
    EXPECT_EQ(bus->Write(0x38, kC0), c.status);
    EXPECT_EQ(bus->AdapterFailed(), c.adapterFailed);
  }
}

// Found under a real kernel: hid-mcp2221 makes its bus while it starts, and every transfer
// times out until it has added its GPIO chip, some 25 s after the chip was plugged in. The bus
// does not open meanwhile, and says why; without GPIO support nothing tells, and it opens.
TEST(I2cDevBuses, TheBusOfAnAdapterStillStartingDoesNotOpen) {
  const ScratchFolder scratch;
  FakeI2cKernel kernel;
  kernel.sysRoot = scratch / "sys";
  kernel.AddBus(5, "MCP2221 usb-i2c bridge");
  kernel.AddDriver(5, "mcp2221");
  EXPECT_EQ(OpenI2cDevBus("mcp2221", kernel).problem,
            "the adapter of /dev/i2c-5 is still starting: its driver has not finished setting it "
            "up, which takes up to half a minute after it is plugged in; try again in a few "
            "seconds");
  EXPECT_EQ(kernel.openFds, 0);
  std::filesystem::remove(kernel.sysRoot / "bus/gpio");
  EXPECT_TRUE(OpenI2cDevBus("mcp2221", kernel).bus);
  std::filesystem::create_directory(kernel.sysRoot / "bus/gpio");
  std::filesystem::create_directory(kernel.sysRoot / "devices/mcp2221.5/gpiochip0");
  EXPECT_TRUE(OpenI2cDevBus("mcp2221", kernel).bus);
}

TEST(I2cDevBuses, AFullNameWinsOverTheLongerNamesThatContainIt) {
  const std::vector<I2cDevBus> buses{{3, "CP2112 SMBus Bridge on hidraw1", "/dev/i2c-3"},
                                     {9, "CP2112 SMBus Bridge on hidraw10", "/dev/i2c-9"}};
  EXPECT_EQ(ChooseI2cBus("cp2112 smbus bridge on HIDRAW1", buses).path, "/dev/i2c-3");
  EXPECT_FALSE(ChooseI2cBus("hidraw1", buses).problem.empty());
  EXPECT_TRUE(ChooseI2cBus("hidraw2", buses).missing);
}

TEST(I2cDevBuses, ChosenByPathNumberOrTheOneAdapterNamedLikeIt) {
  const ScratchFolder scratch;
  FakeI2cKernel kernel;
  kernel.sysRoot = scratch / "sys";
  kernel.AddBus(12, "MCP2221 usb-i2c bridge");
  kernel.AddBus(3, "CP2112 SMBus Bridge on hidraw0");
  kernel.AddBus(7, "CP2112 SMBus Bridge on hidraw1");
  const auto buses = ListI2cDevBuses(kernel.sysRoot);
  ASSERT_EQ(buses.size(), 3u);
  EXPECT_EQ(buses[2].name, "MCP2221 usb-i2c bridge");
  EXPECT_EQ(ChooseI2cBus("mcp2221", buses).path, "/dev/i2c-12");
  EXPECT_EQ(ChooseI2cBus("/dev/i2c-4", buses).path, "/dev/i2c-4");
  EXPECT_EQ(ChooseI2cBus("5", buses).path, "/dev/i2c-5");
  EXPECT_EQ(ChooseI2cBus("CP2112", buses).problem,
            "more than one i2c bus is named like 'CP2112': i2c-3 (CP2112 SMBus Bridge on "
            "hidraw0) and i2c-7 (CP2112 SMBus Bridge on hidraw1); give the bus as i2c:/dev/i2c-N");
  EXPECT_TRUE(OpenI2cDevBus("hidraw1", kernel).bus);
  // The adapters unplugged, i2c-dev loaded: the words say so, and not that the module is missing.
  kernel.opensLeft = 0;
  std::filesystem::remove_all(kernel.sysRoot / "class/i2c-dev/i2c-7");
  const std::string gone = "(its adapter is gone or not plugged in; torvix buses lists ";
  EXPECT_THAT(OpenI2cDevBus("hidraw1", kernel).problem, ::testing::HasSubstr(gone + "them)"));
  EXPECT_EQ(OpenI2cDevBus("/dev/i2c-7", kernel).problem,
            "no such i2c bus /dev/i2c-7 " + gone + "the buses)");
  std::filesystem::remove_all(kernel.sysRoot);
  EXPECT_THAT(OpenI2cDevBus("hidraw1", kernel).problem, ::testing::HasSubstr("no i2c buses"));
  EXPECT_THAT(OpenI2cDevBus("/dev/i2c-7", kernel).problem,
              ::testing::HasSubstr("(is the i2c-dev module loaded?"));
}

}  // namespace
}  // namespace torvix::testing
