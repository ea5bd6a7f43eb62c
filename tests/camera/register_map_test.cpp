// SPDX-License-Identifier: MIT
#include "camera/register_map.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "camera/settings_table.h"
#include "camera/value_edit_pairs.h"

namespace torvix::testing {
namespace {

constexpr int kNoSelection = -1;

int orNone(std::optional<int> index) { return index.value_or(kNoSelection); }

// A plain value as the value edit's change handling writes it: clamped into its pair's range.
uint8_t throughPair(SettingId id, unsigned value) {
  for (const ValueEditPair& pair : kValueEditPairs) {
    if (pair.setting == id) return ClampToRange(value, pair.minimum, pair.maximum);
  }
  ADD_FAILURE() << "setting " << id << " has no slider/edit pair";
  return 0;
}

// One conversion in both directions: from the shadow byte current, the control's new state
// gives the register value written; a register value read gives what the control shows.
struct Conversion {
  SettingId id;
  const char* what;
  uint8_t current;
  uint8_t (*toRegister)(uint8_t current);
  uint8_t written;
  uint8_t read;
  int (*shown)(uint8_t read);
  int expectedShown;
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << c.id << " " << c.what; }

int asIs(uint8_t value) { return value; }

const std::vector<Conversion> kConversions = {
    {AgcControl, "check keeps other bits", 0x29,
     [](uint8_t c) { return FlagToRegister(c, kAgcOnMask, true); }, 0x2b, 0x29,
     [](uint8_t v) { return int{FlagShown(v, kAgcOnMask)}; }, 0},
    {AgcControl, "clear keeps other bits", 0xff,
     [](uint8_t c) { return FlagToRegister(c, kAgcOnMask, false); }, 0xfd, 0x02,
     [](uint8_t v) { return int{FlagShown(v, kAgcOnMask)}; }, 1},
    {AgcGainMax, "zero clamps to 1", 0x80, [](uint8_t) { return throughPair(AgcGainMax, 0x00); },
     0x01, 0x80, asIs, 0x80},
    {AgcGainMax, "above 0x80 clamps", 0x80, [](uint8_t) { return throughPair(AgcGainMax, 0x81); },
     0x80, 0x01, asIs, 0x01},
    {WhiteBalanceControl, "manual from 0xfa", 0xfa,
     [](uint8_t c) { return WhiteBalanceModeToRegister(c, kWhiteBalanceManual); }, 0xf9, 0xf9,
     [](uint8_t v) { return WhiteBalanceModeShown(v, 0x00); }, kWhiteBalanceManual},
    {WhiteBalanceControl, "auto from 0xfb", 0xfb,
     [](uint8_t c) { return WhiteBalanceModeToRegister(c, kWhiteBalanceAuto); }, 0xf8, 0xfa,
     [](uint8_t v) { return WhiteBalanceModeShown(v, 0x03); }, kWhiteBalanceAuto},
    {WhiteBalanceControl, "mirror sets bit 7 only", 0x78,
     [](uint8_t c) { return MirrorIntoWhiteBalance(c, true); }, 0xf8, 0x79,
     [](uint8_t v) { return WhiteBalanceModeShown(v, kPushToWhiteButton); },
     kWhiteBalancePushToWhite},
    {WhiteBalanceControl, "unmirror clears bit 7 only", 0xf9,
     [](uint8_t c) { return MirrorIntoWhiteBalance(c, false); }, 0x79, 0x78,
     [](uint8_t v) { return WhiteBalanceModeShown(v, kPushToWhiteSet); }, kWhiteBalancePushToWhite},
    {RedGain, "full range", 0x67, [](uint8_t) { return throughPair(RedGain, 0xff); }, 0xff, 0x00,
     asIs, 0x00},
    {BlueGain, "full range", 0xa0, [](uint8_t) { return throughPair(BlueGain, 0x00); }, 0x00, 0xff,
     asIs, 0xff},
    {AexReference, "ff clamps to 78", 0x30, [](uint8_t) { return throughPair(AexReference, 0xff); },
     0x78, 0x78, asIs, 0x78},
    {WdrMode, "index as is", 0x03, [](uint8_t) { return ListIndexToRegister(1); }, 0x01, 0x03,
     [](uint8_t v) { return orNone(ListIndexShown(v, kWdrModeItems)); }, 3},
    {WdrMode, "no such entry", 0x03, [](uint8_t) { return ListIndexToRegister(0); }, 0x00, 0x04,
     [](uint8_t v) { return orNone(ListIndexShown(v, kWdrModeItems)); }, kNoSelection},
    {BlcControl, "view on keeps bits 0..6", 0x30,
     [](uint8_t c) { return FlagToRegister(c, kBlcViewMask, true); }, 0xb0, 0xb5,
     [](uint8_t v) { return int{FlagShown(v, kBlcViewMask)}; }, 1},
    {BlcControl, "view off keeps bits 0..6", 0xb5,
     [](uint8_t c) { return FlagToRegister(c, kBlcViewMask, false); }, 0x35, 0x7f,
     [](uint8_t v) { return int{FlagShown(v, kBlcViewMask)}; }, 0},
    {BlcPosition, "horizontal 5 over 0x03", 0x03,
     [](uint8_t c) { return BlcPositionWithHorizontal(c, 5); }, 0x2b, 0x2b,
     [](uint8_t v) { return BlcHorizontalShown(v); }, 5},
    {BlcPosition, "then vertical 0", 0x2b, [](uint8_t c) { return BlcPositionWithVertical(c, 0); },
     0x28, 0x2b, [](uint8_t v) { return BlcVerticalShown(v); }, 3},
    {BlcPosition, "bits 6 and 7 kept", 0xc0,
     [](uint8_t c) { return BlcPositionWithVertical(c, 7); }, 0xc7, 0xff,
     [](uint8_t v) { return BlcHorizontalShown(v); }, 7},
    {BlcPosition, "bad index stays in its field", 0x00,
     [](uint8_t c) { return BlcPositionWithVertical(c, 9); }, 0x01, 0xc0,
     [](uint8_t v) { return BlcVerticalShown(v); }, 0},
    {BlcSize, "index 5 code", 0x3f, [](uint8_t) { return BlcSizeCodeOf(5); }, 0x09, 0x05,
     [](uint8_t v) { return orNone(BlcSizeIndexOf(v)); }, kNoSelection},
    {BlcSize, "index above 15 taken as 15", 0x00, [](uint8_t) { return BlcSizeCodeOf(16); }, 0x3f,
     0x1b, [](uint8_t v) { return orNone(BlcSizeIndexOf(v)); }, 10},
    {BlcSize, "no index taken as 15", 0x00, [](uint8_t) { return BlcSizeCodeOf(-1); }, 0x3f, 0x3f,
     [](uint8_t v) { return orNone(BlcSizeIndexOf(v)); }, 15},
    {CameraAddress, "above fc clamps", 0x70, [](uint8_t) { return ClampCameraAddress(0xfe); }, 0xfc,
     0x70, asIs, 0x70},
    {CameraAddress, "odd kept as typed", 0x70, [](uint8_t) { return ClampCameraAddress(0x71); },
     0x71, 0x00, asIs, 0x00},
    {Register52, "kept as read", 0x40, [](uint8_t c) { return c; }, 0x40, 0x41, asIs, 0x41},
    {ColorGain, "zero clamps to 1", 0x18, [](uint8_t) { return throughPair(ColorGain, 0x00); },
     0x01, 0x2c, asIs, 0x2c},
    {ColorGain, "above 2c clamps", 0x18, [](uint8_t) { return throughPair(ColorGain, 0x2d); }, 0x2c,
     0x01, asIs, 0x01},
    {Brightness, "full range", 0x02, [](uint8_t) { return throughPair(Brightness, 0x80); }, 0x80,
     0x02, asIs, 0x02},
    {FlipControl, "mirror over v-flip", 0x02,
     [](uint8_t c) { return FlagToRegister(c, kMirrorMask, true); }, 0x03, 0x03,
     [](uint8_t v) { return int{FlagShown(v, kMirrorMask)}; }, 1},
    {FlipControl, "v-flip off keeps mirror", 0x03,
     [](uint8_t c) { return FlagToRegister(c, kVerticalFlipMask, false); }, 0x01, 0xfd,
     [](uint8_t v) { return int{FlagShown(v, kVerticalFlipMask)}; }, 0},
    {PushToWhite, "Push2White-set chosen", 0x00,
     [](uint8_t) { return PushToWhiteForMode(kWhiteBalancePushToWhite); }, 0x02, 0x02,
     [](uint8_t v) { return WhiteBalanceModeShown(0x78, v); }, kWhiteBalancePushToWhite},
    {PushToWhite, "Auto chosen", 0x01,
     [](uint8_t) { return PushToWhiteForMode(kWhiteBalanceAuto); }, 0x00, 0x01,
     [](uint8_t v) { return WhiteBalanceModeShown(0x78, v); }, kWhiteBalancePushToWhite},
    {PushToWhite, "Manual chosen", 0x02,
     [](uint8_t) { return PushToWhiteForMode(kWhiteBalanceManual); }, 0x00, 0x03,
     [](uint8_t v) { return WhiteBalanceModeShown(0x79, v); }, kWhiteBalanceManual},
    {Contrast, "below 38 clamps", 0x3c, [](uint8_t) { return throughPair(Contrast, 0x30); }, 0x38,
     0x3c, asIs, 0x3c},
    {Contrast, "above 54 clamps", 0x3c, [](uint8_t) { return throughPair(Contrast, 0x55); }, 0x54,
     0x54, asIs, 0x54},
    {DayNightMode, "index as is", 0x02, [](uint8_t) { return ListIndexToRegister(0); }, 0x00, 0x02,
     [](uint8_t v) { return orNone(ListIndexShown(v, kDayNightModeItems)); }, 2},
    {DayNightMode, "no such entry", 0x02, [](uint8_t) { return ListIndexToRegister(2); }, 0x02,
     0x03, [](uint8_t v) { return orNone(ListIndexShown(v, kDayNightModeItems)); }, kNoSelection},
    {DayNightLevel, "07 clamps to 08", 0x40,
     [](uint8_t) { return throughPair(DayNightLevel, 0x07); }, 0x08, 0x08, asIs, 0x08},
    {DayNightLevel, "61 clamps to 60", 0x40,
     [](uint8_t) { return throughPair(DayNightLevel, 0x61); }, 0x60, 0x60, asIs, 0x60},
    {ZoomFactor, "index as is", 0x00, [](uint8_t) { return ListIndexToRegister(3); }, 0x03, 0x04,
     [](uint8_t v) { return orNone(ListIndexShown(v, kZoomFactorItems)); }, kNoSelection},
    {LlsMode, "checked writes 07", 0x00, [](uint8_t) { return LlsModeToRegister(true); }, 0x07,
     0x04, [](uint8_t v) { return int{LlsModeShown(v)}; }, 0},
    {LlsMode, "cleared writes 00", 0x07, [](uint8_t) { return LlsModeToRegister(false); }, 0x00,
     0x01, [](uint8_t v) { return int{LlsModeShown(v)}; }, 1},
    {LlsColor, "full range", 0x80, [](uint8_t) { return throughPair(LlsColor, 0xff); }, 0xff, 0x80,
     asIs, 0x80},
    {LlsAgcStart, "above df clamps", 0x20, [](uint8_t) { return throughPair(LlsAgcStart, 0xe0); },
     0xdf, 0xdf, asIs, 0xdf},
    {LlsEdge, "above ff clamps", 0x56, [](uint8_t) { return throughPair(LlsEdge, 0x1ff); }, 0xff,
     0x56, asIs, 0x56},
    {SharpnessOff, "on writes 00", 0x01, [](uint8_t) { return SharpnessOnToRegister(true); }, 0x00,
     0x02, [](uint8_t v) { return int{SharpnessOnShown(v)}; }, 1},
    {SharpnessOff, "off writes 01", 0x00, [](uint8_t) { return SharpnessOnToRegister(false); },
     0x01, 0x03, [](uint8_t v) { return int{SharpnessOnShown(v)}; }, 0},
    {SharpnessLevel, "above 38 clamps", 0x14,
     [](uint8_t) { return throughPair(SharpnessLevel, 0x39); }, 0x38, 0x14, asIs, 0x14},
    {OsdControl, "checked writes 01", 0x00, [](uint8_t) { return OsdControlToRegister(true); },
     0x01, 0x80, [](uint8_t v) { return int{OsdControlShown(v)}; }, 1},
    {OsdControl, "cleared writes 00", 0x01, [](uint8_t) { return OsdControlToRegister(false); },
     0x00, 0x00, [](uint8_t v) { return int{OsdControlShown(v)}; }, 0},
    {AnalogOutputGain, "above f0 clamps", 0x7c,
     [](uint8_t) { return throughPair(AnalogOutputGain, 0xf1); }, 0xf0, 0xf0, asIs, 0xf0},
    {VideoStandard, "PAL writes 01", 0x00, [](uint8_t) { return VideoStandardToRegister(true); },
     0x01, 0x03, [](uint8_t v) { return int{PalShown(v)}; }, 1},
    {VideoStandard, "NTSC writes 00", 0x01, [](uint8_t) { return VideoStandardToRegister(false); },
     0x00, 0x02, [](uint8_t v) { return int{PalShown(v)}; }, 0},
};

class RegisterMap : public ::testing::TestWithParam<Conversion> {};

TEST_P(RegisterMap, ControlToRegisterAndBack) {
  const Conversion& c = GetParam();
  EXPECT_EQ(c.toRegister(c.current), c.written);
  EXPECT_EQ(c.shown(c.read), c.expectedShown);
}

INSTANTIATE_TEST_SUITE_P(AllRows, RegisterMap, ::testing::ValuesIn(kConversions));

TEST(RegisterMapCoverage, EverySettingHasAConversionCase) {
  std::set<int> covered;
  for (const Conversion& c : kConversions) covered.insert(c.id);
  EXPECT_EQ(covered.size(), static_cast<std::size_t>(kSettingCount));
}

TEST(BlcSizeCodes, EveryCodeMapsBackToItsOwnIndex) {
  for (int index = 0; index < 16; ++index) {
    EXPECT_EQ(BlcSizeIndexOf(BlcSizeCodeOf(index)), index);
  }
}

}  // namespace
}  // namespace torvix::testing
