// SPDX-License-Identifier: MIT
// The HID bridge chips' protocols against the chips' own report exchanges: the emulators the
// kernel's drivers accept (tests/kernel/), over the virtual bus, behind the HID access seam.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

#include "board/adapter_protocol.h"
#include "bridge/hid/cp2112_bus.h"
#include "bridge/hid/hid_bridge_chips.h"
#include "bridge/hid/hid_transport.h"
#include "bridge/hid/mcp2221_bus.h"
#include "clock/virtual_clock.h"
#include "tests/support/case_name.h"
#include "tests/support/chip_hid_access.h"

namespace torvix::testing {
namespace {

constexpr uint8_t kCamera = 0x38, kOther = 0x50, kNobody = 0x39;

// One chip on a fresh virtual bus, started, on a virtual clock.
struct ChipRig {
  explicit ChipRig(bool cp2112) : onBus(cp2112) {
    bus =
        StartHidChip(&kHidBridgeChips[cp2112 ? 1 : 0], std::make_unique<ChipHidAccess>(*line)).bus;
    EXPECT_TRUE(bus);
    sim.Log().Clear();
  }

  VirtualClock clock;
  ScopedClock scoped{clock};
  ChipOnBus onBus;
  SimRig& sim = onBus.sim;
  HidChip* chip = onBus.chip.get();
  ChipLine* line = &onBus.line;
  std::shared_ptr<HidChipBus> bus;
};

std::vector<uint8_t> g_read;

struct TransferCase {
  const char* name;
  void (*fault)(SimRig& sim);
  uint8_t (*transfer)(I2cBus& bus);
  uint8_t mcp2221, cp2112;                  // the status on each chip
  std::size_t mcp2221Logged, cp2112Logged;  // the bus transfers made
};

void PrintTo(const TransferCase& c, std::ostream* os) { *os << c.name; }

class HidTransfer : public ::testing::TestWithParam<TransferCase> {};

TEST_P(HidTransfer, EndsAsOnTheVirtualBoard) {
  const TransferCase& c = GetParam();
  for (const bool cp2112 : {false, true}) {
    SCOPED_TRACE(cp2112 ? "CP2112" : "MCP2221");
    ChipRig rig(cp2112);
    if (c.fault != nullptr) c.fault(rig.sim);
    g_read.assign(g_read.size(), 0);
    EXPECT_EQ(c.transfer(*rig.bus), cp2112 ? c.cp2112 : c.mcp2221);
    EXPECT_EQ(rig.sim.Log().Size(), cp2112 ? c.cp2112Logged : c.mcp2221Logged);
    EXPECT_FALSE(rig.bus->AdapterFailed());
    EXPECT_TRUE(rig.line->answers.empty());
  }
}

// Braces would make the two bytes {n, 0x5A}.
std::vector<uint8_t> Bytes(std::size_t n) {
  return std::vector<uint8_t>(n, 0x5A);  // NOLINT(modernize-return-braced-init-list)
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, HidTransfer, ::testing::Values(
  TransferCase{"AWriteReachesTheCamera", nullptr,
               [](I2cBus& b) { return b.Write(kCamera, std::vector<uint8_t>{0x00, 0x30, 0x57}); },
               kStatusDone, kStatusDone, 1, 1},
  TransferCase{"AReadLongerThanAReportComesWhole", nullptr,
               [](I2cBus& b) { g_read.assign(64, 0); const uint8_t s = b.Read(kOther, g_read);
                               return g_read == std::vector<uint8_t>(64, 0xFF) ? s : uint8_t{99}; },
               kStatusDone, kStatusDone, 1, 1},
  TransferCase{"AWriteThenAReadKeepTheirRepeatedStart", nullptr,
               [](I2cBus& b) { g_read.assign(3, 0); const uint8_t s = b.WriteRead(kOther, Bytes(2), g_read);
                               return g_read == std::vector<uint8_t>(3, 0xFF) ? s : uint8_t{99}; },
               kStatusDone, kStatusDone, 2, 2},
  TransferCase{"ASilentAddressIsNotAcknowledged", nullptr,
               [](I2cBus& b) { return b.Write(kNobody, Bytes(1)); },
               kStatusAddressNack, kStatusAddressNack, 1, 1},
  TransferCase{"ASilentAddressReadIsNotAcknowledged", nullptr,
               [](I2cBus& b) { g_read.assign(1, 0); return b.Read(kNobody, g_read); },
               kStatusAddressNack, kStatusAddressNack, 1, 1},
  TransferCase{"ABusHeldLowIsNotFree", [](SimRig& s) { s.Faults().busyUntil = Microseconds{1'000'000'000}; },
               [](I2cBus& b) { return b.Write(kCamera, Bytes(3)); },
               kStatusBusBusy, kStatusBusBusy, 1, 1},
  TransferCase{"AByteNotAcknowledged", [](SimRig& s) { s.Faults().forcedStatus = kStatusDataNack; },
               [](I2cBus& b) { return b.Write(kCamera, Bytes(3)); },
               kStatusDataNack, kStatusDataNack, 1, 1},
  TransferCase{"AWriteLongerThanTheChipTakesIsSplitOrRefused", nullptr,
               [](I2cBus& b) { return b.Write(kOther, Bytes(66)); },
               kStatusDone, kStatusUnknownCommand, 1, 0},
  TransferCase{"AReadOfNoByteIsRefused", nullptr,
               [](I2cBus& b) { return b.Read(kOther, {}); },
               kStatusUnknownCommand, kStatusUnknownCommand, 0, 0}),
  CaseName());
// clang-format on

struct ChipCase {
  const char* name;
  bool cp2112;
};

class HidChipFailure : public ::testing::TestWithParam<ChipCase> {};

TEST_P(HidChipFailure, AnUnpluggedChipFailsTheAdapterAndIsAskedNoMore) {
  ChipRig rig(GetParam().cp2112);
  rig.line->goneAfter = 1;
  rig.bus->Write(kCamera, Bytes(3));
  EXPECT_TRUE(rig.bus->AdapterFailed());
  const std::size_t sent = rig.line->written.size();
  rig.line->gone = false;
  rig.bus->Write(kCamera, Bytes(3));
  EXPECT_TRUE(rig.bus->AdapterFailed());
  EXPECT_EQ(rig.line->written.size(), sent);
}

TEST_P(HidChipFailure, AChipThatDoesNotAnswerFailsTheAdapterAtTheDeadline) {
  ChipRig rig(GetParam().cp2112);
  rig.line->silent = true;
  const Microseconds started = Now();
  rig.bus->Write(kCamera, Bytes(3));
  EXPECT_TRUE(rig.bus->AdapterFailed());
  EXPECT_EQ(Now() - started, kHidReplyDeadline);
  // Its late answer is read away before the next transfer, which then goes as ever.
  rig.line->silent = false;
  rig.line->answers.push_back(HidReport(64, 0));
  g_read.assign(2, 0);
  EXPECT_EQ(rig.bus->Read(kOther, g_read), kStatusDone);
  EXPECT_FALSE(rig.bus->AdapterFailed());
}

TEST_P(HidChipFailure, OnlyTheCp2112AnswersItsVersionReport) {
  ChipRig rig(GetParam().cp2112);
  ChipHidAccess access(*rig.line);
  EXPECT_EQ(IsCp2112(access), GetParam().cp2112);
}

INSTANTIATE_TEST_SUITE_P(EachChip, HidChipFailure,
                         ::testing::Values(ChipCase{"Mcp2221", false}, ChipCase{"Cp2112", true}),
                         CaseName());

TEST(HidChipStart, TheMcp2221RunsAt100kHzAndTheCp2112EndsEveryTransferItself) {
  ChipRig mcp2221(false);
  EXPECT_EQ(mcp2221.chip->Output(std::vector<uint8_t>{0x10}).at(0).at(14), 117);
  ChipRig cp2112(true);
  // Read data sent when asked, 1 s time-outs, a held clock told, one retry.
  const std::vector<uint8_t> wanted{0x06, 0x00, 0x01, 0x86, 0xA0, 0x02, 0,
                                    0x03, 0xE8, 0x03, 0xE8, 1,    0,    1};
  EXPECT_EQ(cp2112.chip->GetFeature(0x06), wanted);
}

struct ChoiceCase {
  const char* name;
  const char* spec;
  const char* chosen;  // the path, or words of the problem
};

class HidChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

const std::vector<HidDevice> kDevices = {{"/dev/hidraw1", 0x04D8, 0x00DD, "A1", "", ""},
                                         {"/dev/hidraw2", 0x04D8, 0x00DD, "B2", "", ""},
                                         {"/dev/hidraw3", 0x10C4, 0xEA90, "", "", ""},
                                         {"/dev/hidraw4", 0x1234, 0x5678, "", "", ""}};

TEST_P(HidChoiceTest, ChoosesTheDeviceOrSaysWhyNone) {
  const HidChoice choice = ChooseHidDevice(GetParam().spec, kDevices);
  EXPECT_EQ(choice.problem.empty() ? choice.device.path : choice.problem, GetParam().chosen);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, HidChoiceTest, ::testing::Values(
  ChoiceCase{"TheOneChip", "CP2112", "/dev/hidraw3"},
  ChoiceCase{"ByIds", "1234:5678", "/dev/hidraw4"},
  ChoiceCase{"BySerial", "mcp2221/B2", "/dev/hidraw2"},
  ChoiceCase{"ByIndex", "mcp2221#1", "/dev/hidraw1"},
  ChoiceCase{"TwoOfAKind", "mcp2221", "more than one MCP2221 is plugged in (hid:mcp2221/A1, hid:mcp2221/B2): name one with /SERIAL or #N"},
  ChoiceCase{"NoSuchSerial", "mcp2221/Z", "no MCP2221 has the serial number 'Z' (plugged in: hid:mcp2221/A1, hid:mcp2221/B2)"},
  ChoiceCase{"NoSuchIndex", "mcp2221#3", "there is no MCP2221 #3: 2 plugged in"},
  ChoiceCase{"NoneOfTheIds", "1234:9999", "no HID device 1234:9999 is plugged in"},
  ChoiceCase{"UnknownChip", "ft260", "hid: names mcp2221, cp2112 or VID:PID (hexadecimal), then /SERIAL or #N: not 'ft260'"},
  ChoiceCase{"IndexFromOne", "cp2112#0", "hid: names mcp2221, cp2112 or VID:PID (hexadecimal), then /SERIAL or #N, N from 1: not 'cp2112#0'"}),
  CaseName());
// clang-format on

}  // namespace
}  // namespace torvix::testing
