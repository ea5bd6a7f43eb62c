// SPDX-License-Identifier: MIT
// torvix settings, get and set on the virtual camera, and the usage errors of the command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "camera/forwarding_bridge.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Passes everything to the library, except that the value written to one register is lost
// on the way, as with a camera that ignores it.
class LosingBridge final : public ForwardingBridge {
 public:
  LosingBridge(BridgeApi& inner, uint8_t lostRegister)
      : ForwardingBridge(inner), lost_(lostRegister) {}
  int16_t SendSub(int h, int size, int sub, const uint8_t* data, int length, int type) override {
    armed_ = sub == 0x00 && length == 2 && data[0] == 0x30 && data[1] == lost_;
    return ForwardingBridge::SendSub(h, size, sub, data, length, type);
  }
  int16_t Send(int h, const uint8_t* data, int type, int length) override {
    if (armed_) return 0;
    return ForwardingBridge::Send(h, data, type, length);
  }

 private:
  uint8_t lost_;
  bool armed_ = false;
};

using Settings = CliOnSim;

// As v4l2-ctl -l lists controls: after the value and its meaning, what the setting takes and
// its factory default, lined up.
TEST_F(Settings, PrintsEveryRowWithRegisterValueMeaningRangeAndDefault) {
  camera().SetRegister(0x07, 0x01);
  camera().SetRegister(0x57, 0x40);
  const CliRun run = Run({"settings"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(CountLines(run.out), kSettingCount);
  const std::string pad(30, ' ');
  EXPECT_THAT(run.out, HasSubstr(" 6 WdrMode             0x07 = 0x01  Low" + pad.substr(4) +
                                 " 0x00-0x03 step 1, default 0x03\n"));
  EXPECT_THAT(run.out, HasSubstr("16 Contrast            0x57 = 0x40 " + pad +
                                 " 0x38-0x54 step 1, default 0x3c\n"));
  EXPECT_THAT(run.out, HasSubstr(" 0 AgcControl          0x02 = 0x29 AGC Off" + pad.substr(7) +
                                 " 0x00-0xff step 1, writes bits 0x02, default 0x29\n"));
  EXPECT_THAT(run.out, HasSubstr("28 VideoStandard       0xa0 = 0x01 PAL" + pad.substr(3) +
                                 " 0x00 or 0x01, default 0x01\n"));
  EXPECT_THAT(run.out, HasSubstr("11 Register52          0x52 = 0x40 " + pad + " read-only\n"));
  EXPECT_TRUE(WrittenRegisters().empty());
}

TEST_F(Settings, JsonCarriesTheSameRowsAsNumbers) {
  camera().SetRegister(0x15, 0x1b);
  const CliRun run = Run({"settings", "--json"});
  ASSERT_EQ(run.code, 0) << run.err;
  const nlohmann::json rows = nlohmann::json::parse(run.out);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kSettingCount));
  EXPECT_EQ(rows[9]["name"], "BlcSize");
  EXPECT_EQ(rows[9]["register"], 0x15);
  EXPECT_EQ(rows[9]["value"], 0x1b);
  EXPECT_EQ(rows[9]["meaning"], "4H/4V");
  EXPECT_EQ(rows[9]["values"].size(), 16u);
  EXPECT_EQ(rows[9]["step"], nullptr);
  EXPECT_EQ(rows[11]["writable"], false);
  EXPECT_FALSE(rows[11].contains("default"));
  EXPECT_EQ(rows[16]["default"], 0x3c);
  EXPECT_EQ(rows[16]["minimum"], 0x38);
  EXPECT_EQ(rows[16]["maximum"], 0x54);
  EXPECT_EQ(rows[16]["step"], 1);
  EXPECT_EQ(rows[0]["bits"], 0x02);
  EXPECT_EQ(rows[2]["range"], "0x00-0x01 in bits 0x03");
}

// For scripts: the rows of settings --json, or the bare values as i2cget prints them.
TEST_F(Settings, GetPrintsJsonRowsOrTheValuesAlone) {
  camera().SetRegister(0x57, 0x41);
  const nlohmann::json all = nlohmann::json::parse(Run({"settings", "--json"}).out);
  const CliRun json = Run({"get", "--json", "Contrast", "0x70"});
  ASSERT_EQ(json.code, 0) << json.err;
  EXPECT_EQ(nlohmann::json::parse(json.out), nlohmann::json::array({all[16], all[20]}));
  const CliRun values = Run({"get", "-v", "Contrast", "WdrMode"});
  EXPECT_EQ(values.code, 0) << values.err;
  EXPECT_EQ(values.out, "0x41\n0x03\n");
}

TEST_F(Settings, ACameraThatDoesNotAnswerGivesTheWindowsWordsAndNoValues) {
  rig().SetCameraPresent(false);
  const CliRun run = Run({"settings"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, HasSubstr("Camera settings not correctly read\n"));
}

TEST_F(Settings, NoBoardGivesTheConnectionMessages) {
  const std::string device = (scratch / "no-board").string();
  const CliRun run = RunBare({"--device", device, "get", "Contrast"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  std::string expected =
      " error: no (correct)connection PC to USB-I2C board\n"
      " Check if board is connected to PC and/or verify driver\n"
      "Camera settings not correctly read\n";
#if !defined(_WIN32)
  // A socket path that is missing: the system's reason follows the library's words.
  expected += "Error: cannot open device " + device + ": No such file or directory\n";
#endif
  EXPECT_EQ(run.err, expected);
}

struct Reads {
  const char* name;
  std::vector<std::string> args;
  std::vector<uint8_t> registers;  // in the order the camera is asked for them
};

std::vector<uint8_t> everyRegister() {
  std::vector<uint8_t> registers;
  registers.reserve(kSettingsTable.size());
  for (const CameraSetting& row : kSettingsTable) registers.push_back(row.registerAddress);
  return registers;
}

class ReadsOnly : public CliOnSim, public ::testing::WithParamInterface<Reads> {};

// A script that reads a few settings of each camera in a row pays for what it asks.
TEST_P(ReadsOnly, TheRegistersTheCommandNeedsEachOnceInOrder) {
  const CliRun run = Run(GetParam().args);
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(ReadRegisters(), GetParam().registers);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadsOnly,
    ::testing::Values(Reads{"GetOne", {"get", "-v", "Contrast"}, {0x57}},
                      Reads{"GetNamedTwice",
                            {"get", "0x60", "Contrast", "dayNightMode", "contrast"},
                            {0x60, 0x57}},
                      Reads{"SetReadsForTheBitsItKeeps",
                            {"set", "WdrMode=OFF", "FlipControl=V-flip on"},
                            {0x07, 0x55}},
                      Reads{"SetVerifyReadsBackWhatItWrote",
                            {"set", "--verify", "Contrast=0x40", "WdrMode=OFF", "Contrast=0x41"},
                            {0x57, 0x07, 0x57, 0x07}},
                      Reads{"Settings", {"settings"}, everyRegister()},
                      Reads{"ProfileSave", {"profile", "save", "-"}, everyRegister()}),
    CaseName());

TEST_F(Settings, GetFindsSettingsByNameOrRegister) {
  camera().SetRegister(0x63, 0x22);
  const CliRun run = Run({"get", "dayNightLevel", "0x60"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "18 DayNightLevel       0x63 = 0x22\n"
            "17 DayNightMode        0x60 = 0x02 SMART\n");
}

TEST_F(Settings, SetWritesEachValueAndKeepsTheBitsItDoesNotOwn) {
  camera().SetRegister(0x02, 0x29);
  camera().SetRegister(0x55, 0xf2);
  const CliRun run = Run({"set", "AgcControl=on", "FlipControl=0x01", "WdrMode=OFF"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(camera().Register(0x02), 0x2b);
  EXPECT_EQ(camera().Register(0x55), 0xf1);
  EXPECT_EQ(camera().Register(0x07), 0x00);
  EXPECT_THAT(WrittenRegisters(), ElementsAre(0x02, 0x55, 0x07));
  EXPECT_THAT(run.out, HasSubstr(" 0 AgcControl          0x02 = 0x2b AGC On\n"));
}

TEST_F(Settings, SetTakesTheWriteStepOfThePanel) {
  const CliRun run = Run({"set", "Contrast=0x40"});
  ASSERT_EQ(run.code, 0) << run.err;
  // After the settings read: request, 2 ms, value, 25 ms, then 100 ms for the accepted setting.
  const std::vector<Milliseconds>& pauses = clock.Pauses();
  ASSERT_GE(pauses.size(), 3u);
  EXPECT_THAT(std::vector<Milliseconds>(pauses.end() - 3, pauses.end()),
              ElementsAre(Milliseconds{2}, Milliseconds{25}, Milliseconds{100}));
}

TEST_F(Settings, SetTakesTheWordsSettingsPrints) {
  camera().SetRegister(0x14, 0xc0);
  camera().SetRegister(0x55, 0xf0);
  const CliRun run = Run({"set", "BlcPosition=Vertical 3, Horizontal 2", "FlipControl=V-flip on"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(camera().Register(0x14), 0xd3);
  EXPECT_EQ(camera().Register(0x55), 0xf2);
  EXPECT_EQ(run.out,
            " 8 BlcPosition         0x14 = 0xd3 Vertical 3, Horizontal 2\n"
            "14 FlipControl         0x55 = 0xf2 Mirror(H-flip) off, V-flip on\n");
}

TEST_F(Settings, AValueOutOfRangeIsRefusedBeforeAnythingReachesTheCamera) {
  const CliRun run = Run({"set", "RedGain=0x10", "Contrast=0x60"});
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err, "Error: Contrast value out of range (0x38-0x54)!\n");
  EXPECT_EQ(rig().Log().Size(), 0u);
  EXPECT_EQ(camera().Register(0x42), 0x67);
}

TEST_F(Settings, VerifyReadsBackWhatWasWritten) {
  const CliRun run = Run({"set", "--verify", "Contrast=0x40", "ZoomFactor=X3(0,6)"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(camera().Register(0x6a), 0x03);
}

TEST_F(Settings, VerifyReportsAValueTheCameraDidNotKeep) {
  LosingBridge losing(quorlink, 0x57);
  bridge = &losing;
  const CliRun run = Run({"set", "--verify", "Contrast=0x40", "Brightness=0x10"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "Error: Contrast reads back 0x3c, written 0x40\n");
  EXPECT_EQ(camera().Register(0x54), 0x10);
}

TEST_F(Settings, AFailedWriteStopsTheRestAndSaysWhy) {
  rig().Log().SetSink([this](const BusTransfer& t) {
    if (t.direction == Direction::kWrite && t.bytes == std::vector<uint8_t>{0x00, 0x30, 0x54}) {
      rig().SetCameraPresent(false);
    }
  });
  const CliRun run = Run({"set", "Contrast=0x40", "Brightness=0x10", "RedGain=0x10"});
  EXPECT_EQ(run.code, 1);
  EXPECT_THAT(run.out, HasSubstr("Contrast"));
  EXPECT_THAT(run.out, ::testing::Not(HasSubstr("Brightness")));
  EXPECT_THAT(run.err, HasSubstr("error: USB_I2C_NACK\nIs board connected to camera (on?)\n"));
}

struct Usage {
  const char* name;
  std::vector<std::string> args;
  const char* words;
};

class UsageError : public CliOnSim, public ::testing::WithParamInterface<Usage> {};

TEST_P(UsageError, ExitsWithTwoAndTouchesNothing) {
  const std::vector<std::string>& args = GetParam().args;
  const bool ownDevice = !args.empty() && args[0].starts_with("--device");
  const CliRun run = ownDevice ? RunBare(args) : Run(args);
  EXPECT_EQ(run.code, 2);
  EXPECT_THAT(run.err, HasSubstr(GetParam().words));
  EXPECT_EQ(rig().Log().Size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageError,
    ::testing::Values(
        // clang-format off
        Usage{"NoCommand", {}, "A subcommand is required"},
        Usage{"UnknownCommand", {"frobnicate"}, "Error: unknown command 'frobnicate'"},
        Usage{"UnknownOption", {"-d", "sim", "settings"},
              "Error: unknown option '-d' (see torvix --help)\n"},
        Usage{"MistypedOption", {"--adress", "0x70", "settings"},
              "Error: unknown option '--adress' (see torvix --help)\n"},
        Usage{"UnknownOptionOfACommand", {"settings", "--jsn"},
              "Error: unknown option '--jsn' for settings (see torvix settings --help)\n"},
        Usage{"GlobalOptionAfterTheCommand", {"dump", "dsp", "--address", "0x72", "-"},
              "Error: unknown option '--address' for dump dsp; torvix's own options go before "
              "the command (see torvix dump dsp --help)\n"},
        Usage{"JsonOrValue", {"get", "--json", "-v", "Contrast"}, "--json excludes --value"},
        Usage{"BitsBlcPositionDoesNotOwn", {"set", "BlcPosition=0xc0"},
              "Error: BlcPosition value out of range (0x00-0x3f)!\n"},
        Usage{"EmptyDevice", {"--device", "", "settings"}, "Error: --device needs a device"},
        Usage{"EmptyDeviceAfterEquals", {"--device=", "settings"},
              "Error: --device needs a device"},
        Usage{"OddAddress", {"--address", "0x71", "settings"}, "is odd"},
        Usage{"AddressTooHigh", {"--address", "0xfe", "settings"},
              "Error: Camera address out of range (0x00-0xfc)!"},
        Usage{"UnknownSetting", {"get", "Gamma"}, "Error: no setting named or at register 'Gamma'"},
        Usage{"NotAnAssignment", {"set", "Contrast"}, "Error: 'Contrast' is not NAME=VALUE"},
        Usage{"ReadOnly", {"set", "Register52=1"}, "Error: Register52 is read-only"},
        Usage{"DumpWithoutKind", {"dump", "x.txt"}, "A subcommand is required"},
        Usage{"ProfileWithoutFile", {"profile", "apply"}, "FILE is required"}),
    // clang-format on
    CaseName());

TEST_F(Settings, HelpOfACommandShowsItsUsageLine) {
  const CliRun run = Run({"profile", "apply", "--help"});
  EXPECT_EQ(run.code, 0);
  EXPECT_THAT(run.out, HasSubstr("Usage: torvix profile apply [OPTIONS] FILE"));
  EXPECT_THAT(run.out, HasSubstr("--dry-run"));
}

struct AddressCase {
  const char* name;
  std::vector<std::string> args;
  const char* hint;  // the last line of stderr, "" for none
  bool boardAbsent = false;
};

class SevenBitAddress : public CliOnSim, public ::testing::WithParamInterface<AddressCase> {};

// The camera answers at 0x70 only; i2cdetect would show it as 0x38.
TEST_P(SevenBitAddress, GetsAHintOnlyWhereTheCameraAnswersAtTheDouble) {
  rig().Board().absent = GetParam().boardAbsent;
  const CliRun run = Run(GetParam().args);
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  const std::string hint = GetParam().hint;
  const std::string last = run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1);
  EXPECT_EQ(last.starts_with("Hint: "), !hint.empty()) << run.err;
  if (!hint.empty()) {
    EXPECT_EQ(last, hint + "\n");
  }
}

constexpr char kTry70[] = "Hint: this tool takes the 8-bit form; try 0x70 (the 8-bit form of 0x38)";

INSTANTIATE_TEST_SUITE_P(
    Cases, SevenBitAddress,
    ::testing::Values(
        AddressCase{"Get", {"--address", "0x38", "get", "Contrast"}, kTry70},
        AddressCase{"DumpToStdout", {"--address", "0x38", "dump", "eeprom", "-"}, kTry70},
        AddressCase{"ProfileSave", {"--address", "0x38", "profile", "save", "-"}, kTry70},
        AddressCase{"NothingAtTheDouble", {"--address", "0x20", "get", "Contrast"}, ""},
        AddressCase{"NoBoard", {"--address", "0x38", "get", "Contrast"}, "", true}),
    CaseName());

TEST_F(Settings, AnotherAddressIsUsedForEveryTransfer) {
  rig().Reset(0x72);
  EXPECT_EQ(Run({"get", "Contrast"}).code, 1);
  const CliRun run = Run({"--address", "0x72", "get", "Contrast"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "16 Contrast            0x57 = 0x3c\n");
}

}  // namespace
}  // namespace torvix::testing
