// SPDX-License-Identifier: MIT
// What torvix accepts as a setting's value, what it refuses and with which words, and which
// bits a value may change.
#include <gtest/gtest.h>

#include "profiles/setting_catalog.h"

namespace torvix::testing {
namespace {

struct Accepted {
  const char* setting;
  const char* text;
  uint8_t current;  // the camera's register before the write
  uint8_t written;
};

class AcceptedValue : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedValue, ChangesOnlyTheBitsTheSettingOwns) {
  const Accepted& c = GetParam();
  const CliSetting* setting = FindCliSetting(c.setting);
  ASSERT_NE(setting, nullptr);
  ValueRequest request{};
  std::string error;
  ASSERT_TRUE(ParseSettingValue(*setting, c.text, request, error)) << error;
  EXPECT_EQ(ApplyRequest(c.current, request), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Values, AcceptedValue,
    ::testing::Values(
        Accepted{"Contrast", "0x38", 0x3c, 0x38}, Accepted{"Contrast", "84", 0x3c, 0x54},
        Accepted{"contrast", "0X40", 0x3c, 0x40}, Accepted{"0x57", "0x41", 0x3c, 0x41},
        Accepted{"WdrMode", "Middle", 0x03, 0x02}, Accepted{"WdrMode", "low", 0x03, 0x01},
        Accepted{"DayNightMode", "b&w", 0x02, 0x00}, Accepted{"ZoomFactor", "X2(0,7)", 0, 2},
        Accepted{"BlcSize", "4H/2V", 0x3f, 0x19}, Accepted{"BlcSize", "0x0b", 0x3f, 0x0b},
        // A check box in a shared register: the other bits stay as the camera has them.
        Accepted{"AgcControl", "on", 0x29, 0x2b}, Accepted{"AgcControl", "0x00", 0x2b, 0x29},
        Accepted{"AgcControl", "0xff", 0x29, 0x2b}, Accepted{"BlcControl", "On", 0x30, 0xb0},
        Accepted{"FlipControl", "0x01", 0xf2, 0xf1}, Accepted{"BlcPosition", "0x2b", 0xc3, 0xeb},
        // The mode word moves bits 0 and 1 only; a number carries the mirror bit 7 as well.
        Accepted{"WhiteBalanceControl", "Manual mode", 0xfa, 0xf9},
        Accepted{"WhiteBalanceControl", "0xf9", 0x78, 0xf9},
        Accepted{"LlsMode", "Mode Off", 0x07, 0x00}, Accepted{"LlsMode", "on", 0x00, 0x07},
        Accepted{"SharpnessOff", "Sharpness On", 0x01, 0x00},
        Accepted{"OsdControl", "I2C control", 0x01, 0x00}, Accepted{"VideoStandard", "NTSC", 1, 0},
        Accepted{"CameraAddress", "0xfc", 0x70, 0xfc},
        Accepted{"CameraAddress", "0x71", 0x70, 0x71},
        Accepted{"PushToWhite", "Push2White-set", 0, 2}, Accepted{"AgcGainMax", "1", 0x80, 1},
        // The words settings prints, all of them or some, in any order.
        Accepted{"BlcPosition", "Vertical 3, Horizontal 2", 0xc0, 0xd3},
        Accepted{"BlcPosition", " horizontal 5 ", 0xc3, 0xeb},
        Accepted{"BlcPosition", "Horizontal 0,Vertical 0x7", 0x2b, 0x07},
        Accepted{"FlipControl", "Mirror(H-flip) on, V-flip off", 0xf2, 0xf1},
        Accepted{"FlipControl", "v-flip ON", 0xf0, 0xf2}));

struct Refused {
  const char* setting;
  const char* text;
  const char* message;
};

class RefusedValue : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedValue, IsRefusedWithTheAllowedValuesInTheMessage) {
  const Refused& c = GetParam();
  const CliSetting* setting = FindCliSetting(c.setting);
  ASSERT_NE(setting, nullptr);
  ValueRequest request{};
  std::string error;
  EXPECT_FALSE(ParseSettingValue(*setting, c.text, request, error));
  EXPECT_EQ(error, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedValue,
    ::testing::Values(
        Refused{"Contrast", "0x37", "Error: Contrast value out of range (0x38-0x54)!"},
        Refused{"Contrast", "0x55", "Error: Contrast value out of range (0x38-0x54)!"},
        Refused{"ColorGain", "0", "Error: ColorGain value out of range (0x01-0x2c)!"},
        Refused{"RedGain", "256", "Error: RedGain value out of range (0x00-0xff)!"},
        Refused{"RedGain", "0x1ff", "Error: RedGain value out of range (0x00-0xff)!"},
        Refused{"DayNightLevel", "0x61", "Error: DayNightLevel value out of range (0x08-0x60)!"},
        Refused{"WdrMode", "4", "Error: WdrMode value out of range (0x00-0x03)!"},
        Refused{"CameraAddress", "0xfd", "Error: CameraAddress value out of range (0x00-0xfc)!"},
        Refused{"LlsMode", "0x01", "Error: LlsMode value out of range (0x00 or 0x07)!"},
        Refused{"VideoStandard", "2", "Error: VideoStandard value out of range (0x00 or 0x01)!"},
        Refused{"BlcSize", "0x05",
                "Error: BlcSize value out of range (0x00, 0x01, 0x03, 0x07, 0x08, 0x09, 0x0b, "
                "0x0f, 0x18, 0x19, 0x1b, 0x1f, 0x38, 0x39, 0x3b or 0x3f)!"},
        Refused{"WhiteBalanceControl", "0x7a",
                "Error: WhiteBalanceControl value out of range (0x00-0x01 in bits 0x03)!"},
        Refused{"Register52", "0x40", "Error: Register52 is read-only"},
        // Bits 6 and 7 are not the lists': refused, never cut off.
        Refused{"BlcPosition", "0x40", "Error: BlcPosition value out of range (0x00-0x3f)!"},
        Refused{"BlcPosition", "Vertical 8",
                "Error: BlcPosition value 'Vertical 8' is not a number nor \"Vertical 0-7, "
                "Horizontal 0-7\" (0x00-0x3f)"},
        Refused{"BlcPosition", "Vertical 1, Vertical 2",
                "Error: BlcPosition value 'Vertical 1, Vertical 2' is not a number nor "
                "\"Vertical 0-7, Horizontal 0-7\" (0x00-0x3f)"},
        Refused{"FlipControl", "V-flip maybe",
                "Error: FlipControl value 'V-flip maybe' is not a number nor \"Mirror(H-flip) "
                "on|off, V-flip on|off\" (0x00-0xff)"},
        Refused{"Contrast", "-1", "Error: Contrast value '-1' is not a number (0x38-0x54)"},
        Refused{"Contrast", "", "Error: Contrast value '' is not a number (0x38-0x54)"},
        Refused{"Contrast", "0x3g", "Error: Contrast value '0x3g' is not a number (0x38-0x54)"},
        Refused{"VideoStandard", "SECAM",
                "Error: VideoStandard value 'SECAM' is not a number nor one of \"PAL\", "
                "\"NTSC\" (0x00 or 0x01)"}));

TEST(SettingNames, EverySettingIsFoundByItsNameAndByItsRegister) {
  for (const CameraSetting& row : kSettingsTable) {
    const CliSetting& setting = CliSettingOf(static_cast<SettingId>(row.number));
    EXPECT_EQ(FindCliSetting(setting.name), &setting);
    EXPECT_EQ(FindCliSetting(HexByte(row.registerAddress)), &setting) << setting.name;
  }
  EXPECT_EQ(FindCliSetting("0xf0"), nullptr);  // load defaults: not a setting
  EXPECT_EQ(FindCliSetting("87"), nullptr);    // a register is written in hex
  EXPECT_EQ(FindCliSetting("Contrasts"), nullptr);
}

// What settings prints for a value, set back, gives that value again.
TEST(FieldWords, ReadBackAsTheValueTheyDescribe) {
  for (const SettingId id : {BlcPosition, FlipControl}) {
    const CliSetting& setting = CliSettingOf(id);
    for (unsigned value = 0; value <= setting.ownedMask; ++value) {
      if ((value & ~setting.ownedMask) != 0) continue;
      const std::string words = DescribeValue(id, static_cast<uint8_t>(value));
      ValueRequest request{};
      std::string error;
      ASSERT_TRUE(ParseSettingValue(setting, words, request, error)) << error;
      EXPECT_EQ(ApplyRequest(0xc0, request), 0xc0 | value) << words;
    }
  }
}

TEST(SettingNames, OnlyRegister52IsReadOnly) {
  for (const CameraSetting& row : kSettingsTable) {
    const CliSetting& setting = CliSettingOf(static_cast<SettingId>(row.number));
    EXPECT_EQ(setting.writable, row.number != Register52) << setting.name;
  }
}

struct Meaning {
  SettingId id;
  uint8_t value;
  const char* words;
};

class ValueMeaning : public ::testing::TestWithParam<Meaning> {};

TEST_P(ValueMeaning, IsWhatThePanelWouldShow) {
  EXPECT_EQ(DescribeValue(GetParam().id, GetParam().value), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueMeaning,
    ::testing::Values(Meaning{WdrMode, 0x03, "High"}, Meaning{WdrMode, 0x01, " Low"},
                      Meaning{WdrMode, 0x04, "no list entry"},
                      Meaning{BlcSize, 0x05, "no size code"}, Meaning{BlcSize, 0x1b, "4H/4V"},
                      Meaning{LlsMode, 0x04, "Mode Off"}, Meaning{LlsMode, 0x01, "Mode On"},
                      Meaning{PushToWhite, 0x01, "Push2White"},
                      Meaning{SharpnessOff, 0x00, "Sharpness On"},
                      Meaning{VideoStandard, 0x03, "PAL"},
                      Meaning{BlcPosition, 0x2b, "Vertical 3, Horizontal 5"},
                      Meaning{FlipControl, 0x02, "Mirror(H-flip) off, V-flip on"},
                      Meaning{AgcControl, 0x29, "AGC Off"}, Meaning{Contrast, 0x3c, ""}));

}  // namespace
}  // namespace torvix::testing
