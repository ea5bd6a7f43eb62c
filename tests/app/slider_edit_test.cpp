// SPDX-License-Identifier: MIT
// The slider / value-edit pairs on the virtual camera: a released thumb and typed text reach
// the camera through one path, clamped into each pair's range; steps and bad text write nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

#include "app/resource_ids.h"
#include "app/value_edit_controls.h"
#include "camera/value_edit_pairs.h"
#include "tests/app/panel_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

std::string hex(unsigned value) {
  char text[12];
  std::snprintf(text, sizeof text, "%2.2x", value);
  return text;
}

struct Pair {
  const char* name;
  int sliderId;
  int editId;
  uint8_t reg;
  int setting;
  unsigned minimum;
  unsigned maximum;
  bool clampWritesTwice;  // the clamped text is set directly and runs the handling again
};

constexpr Pair kPairs[] = {
    {"Contrast", IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT, 0x57, 16, 0x38, 0x54, true},
    {"ColorGain", IDC_COLOR_GAIN_SLIDER, IDC_COLOR_GAIN_EDIT, 0x53, 12, 0x01, 0x2c, false},
    {"Brightness", IDC_BRIGHTNESS_SLIDER, IDC_BRIGHTNESS_EDIT, 0x54, 13, 0x00, 0xff, false},
    {"AexReference", IDC_AEX_REFERENCE_SLIDER, IDC_AEX_REFERENCE_EDIT, 0x06, 5, 0x00, 0x78, false},
    {"RedGain", IDC_RED_GAIN_SLIDER, IDC_RED_GAIN_EDIT, 0x42, 3, 0x00, 0xff, false},
    {"BlueGain", IDC_BLUE_GAIN_SLIDER, IDC_BLUE_GAIN_EDIT, 0x43, 4, 0x00, 0xff, false},
    {"LlsAgcStart", IDC_LLS_AGC_START_SLIDER, IDC_LLS_AGC_START_EDIT, 0x72, 22, 0x00, 0xdf, false},
    {"LlsColor", IDC_LLS_COLOR_SLIDER, IDC_LLS_COLOR_EDIT, 0x71, 21, 0x00, 0xff, false},
    {"LlsEdge", IDC_LLS_EDGE_SLIDER, IDC_LLS_EDGE_EDIT, 0x73, 23, 0x00, 0xff, false},
    {"SharpnessLevel", IDC_SHARPNESS_LEVEL_SLIDER, IDC_SHARPNESS_LEVEL_EDIT, 0x7c, 25, 0x00, 0x38,
     false},
    {"AnalogOutputGain", IDC_ANALOG_OUTPUT_GAIN_SLIDER, IDC_ANALOG_OUTPUT_GAIN_EDIT, 0x8b, 27, 0x00,
     0xf0, false},
    {"DayNightLevel", IDC_DN_LEVEL_SLIDER, IDC_DN_LEVEL_EDIT, 0x63, 18, 0x08, 0x60, false},
    {"AgcGainMax", IDC_AGC_GAIN_MAX_SLIDER, IDC_AGC_GAIN_MAX_EDIT, 0x1d, 1, 0x01, 0x80, false},
};

void PrintTo(const Pair& pair, std::ostream* out) { *out << pair.name; }

// Manual white balance and AGC on, so that every pair is shown and enabled.
class SliderEditTest : public PanelFixture {
 protected:
  SliderEditTest() {
    Rig().Camera().SetRegister(0x04, 0x79);
    Rig().Camera().SetRegister(0x02, 0x2b);
  }
};

class EveryPairTest : public SliderEditTest, public ::testing::WithParamInterface<Pair> {
 protected:
  // The pair after one accepted change to value, shown as text.
  void ExpectShowing(unsigned value, const std::string& text, int writes) {
    const Pair& p = GetParam();
    EXPECT_EQ(Control(p.editId).text, text);
    EXPECT_EQ(Control(p.sliderId).position, static_cast<int>(value));
    EXPECT_EQ(Rig().Camera().Register(p.reg), value);
    EXPECT_EQ(Shadow(p.setting), value);
    EXPECT_EQ(Debug(), hex(value));
    EXPECT_EQ(Writes(), std::vector<RegisterWrite>(static_cast<std::size_t>(writes),
                                                   {p.reg, static_cast<uint8_t>(value)}));
    EXPECT_EQ(clock.Pauses(), AcceptedWritePauses(writes));
    EXPECT_TRUE(messages.shown.empty());
  }
};

TEST_P(EveryPairTest, ThumbReleaseWritesOnceAndTypedValuesAreClampedAtBothEnds) {
  const Pair& p = GetParam();
  RunOpen([&] {
    const unsigned middle = (p.minimum + p.maximum) / 2;
    ClearRecords();
    ASSERT_TRUE(W().UserDragThumb(p.sliderId, static_cast<int>(middle)));
    {
      SCOPED_TRACE("released thumb");
      ExpectShowing(middle, hex(middle), 1);
    }

    ClearRecords();
    const bool lowClamps = p.minimum > 0;
    TypeOver(p.editId, hex(lowClamps ? p.minimum - 1 : 0));
    {
      SCOPED_TRACE("below the range");
      ExpectShowing(p.minimum, hex(p.minimum), lowClamps && p.clampWritesTwice ? 2 : 1);
    }

    ClearRecords();
    TypeOver(p.editId, "ff");
    {
      SCOPED_TRACE("above the range");
      const bool highClamps = p.maximum < 0xff;
      ExpectShowing(p.maximum, hex(p.maximum), highClamps && p.clampWritesTwice ? 2 : 1);
    }
  });
}

INSTANTIATE_TEST_SUITE_P(Pairs, EveryPairTest, ::testing::ValuesIn(kPairs), CaseName());

class SliderStepTest : public SliderEditTest, public ::testing::WithParamInterface<ScrollCode> {};

TEST_P(SliderStepTest, KeyboardAndChannelStepsMoveTheThumbOnly) {
  RunOpen([&] {
    ClearRecords();
    ASSERT_TRUE(W().UserSliderKey(IDC_CONTRAST_SLIDER, GetParam()));
    EXPECT_NE(Control(IDC_CONTRAST_SLIDER).position, 0x3c);
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "3c");
    EXPECT_EQ(Rig().Log().Size(), 0u);
    EXPECT_TRUE(clock.Pauses().empty());
    EXPECT_EQ(Shadow(16), 0x3c);
  });
}

INSTANTIATE_TEST_SUITE_P(Codes, SliderStepTest,
                         ::testing::Values(kTbLineUp, kTbLineDown, kTbPageUp, kTbPageDown, kTbTop,
                                           kTbBottom));

class IgnoredTextTest : public SliderEditTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(IgnoredTextTest, IsKeptInTheEditAndWritesNothing) {
  RunOpen([&] {
    ClearRecords();
    PasteOver(IDC_CONTRAST_EDIT, GetParam());
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, GetParam());
    EXPECT_EQ(Control(IDC_CONTRAST_SLIDER).position, 0x3c);
    EXPECT_EQ(Rig().Log().Size(), 0u);
    EXPECT_TRUE(clock.Pauses().empty());
    EXPECT_TRUE(messages.shown.empty());
  });
}

INSTANTIATE_TEST_SUITE_P(Texts, IgnoredTextTest,
                         ::testing::Values("0x", " 5", "g1", "", "5", "4g"));

TEST_F(SliderEditTest, UpperCaseDigitsAreAcceptedAndKeptAsTyped) {
  RunOpen([&] {
    ClearRecords();
    TypeOver(IDC_BRIGHTNESS_EDIT, "3C");
    EXPECT_EQ(Control(IDC_BRIGHTNESS_EDIT).text, "3C");
    EXPECT_EQ(Writes(), (std::vector<RegisterWrite>{{0x54, 0x3c}}));
    EXPECT_EQ(Debug(), "3c");
  });
}

TEST_F(SliderEditTest, ATwoCharacterLimitIsSetAtTheFirstChangeAndBoundsTyping) {
  RunOpen([&] {
    ASSERT_GT(Control(IDC_CONTRAST_EDIT).textLimit, 2u);
    ClearRecords();
    TypeOver(IDC_CONTRAST_EDIT, "545");  // the third character is refused
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).textLimit, 2u);
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "54");
    EXPECT_EQ(Writes(), (std::vector<RegisterWrite>{{0x57, 0x54}}));
  });
}

struct EdgeCase {
  const char* text;
  int written;  // -1: nothing
  const char* shown;
};

class EdgeEditTest : public SliderEditTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(EdgeEditTest, ReadsTheLeadingHexRunOfUpToFiveCharacters) {
  const EdgeCase& c = GetParam();
  RunOpen([&] {
    ClearRecords();
    PasteOver(IDC_LLS_EDGE_EDIT, c.text);
    EXPECT_EQ(Control(IDC_LLS_EDGE_EDIT).text, c.shown);
    if (c.written < 0) {
      EXPECT_TRUE(Writes().empty());
      EXPECT_EQ(Control(IDC_LLS_EDGE_SLIDER).position, 0x56);
    } else {
      EXPECT_EQ(Writes(), (std::vector<RegisterWrite>{{0x73, static_cast<uint8_t>(c.written)}}));
      EXPECT_EQ(Control(IDC_LLS_EDGE_SLIDER).position, c.written);
      EXPECT_EQ(Control(IDC_LLS_EDGE_EDIT).textLimit, kDefaultEditLimit);
    }
  });
}

INSTANTIATE_TEST_SUITE_P(Texts, EdgeEditTest,
                         ::testing::Values(EdgeCase{"1ff", 0xff, "ff"},
                                           EdgeCase{"12345678", 0xff, "ff"},
                                           EdgeCase{"100", 0xff, "ff"},
                                           EdgeCase{"7fz", 0x7f, "7fz"}, EdgeCase{"0a", 0x0a, "0a"},
                                           EdgeCase{"1", -1, "1"}, EdgeCase{"g1", -1, "g1"},
                                           EdgeCase{"1g0", -1, "1g0"}));

TEST_F(SliderEditTest, AFailedWriteKeepsTheShadowButShowsTheNewValue) {
  RunOpen([&] {
    Rig().SetCameraPresent(false);
    ClearRecords();
    TypeOver(IDC_CONTRAST_EDIT, "40");
    EXPECT_FALSE(messages.shown.empty());
    EXPECT_EQ(Shadow(16), 0x3c);
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "40");
    EXPECT_EQ(Control(IDC_CONTRAST_SLIDER).position, 0x40);
    EXPECT_EQ(Debug(), "40");
    EXPECT_TRUE(clock.Pauses().empty());
  });
}

TEST(ValueEditPairs, SlidersInMatchingOrderWithUniqueControls) {
  const int sliders[] = {1004, 1011, 1028, 1008, 1013, 1014, 1018,
                         1017, 1019, 1026, 1024, 1051, 1042};
  for (std::size_t i = 0; i < kValueEditPairs.size(); ++i) {
    EXPECT_EQ(ControlsOf(kValueEditPairs[i]).sliderId, sliders[i]);
    EXPECT_EQ(FindPairBySlider(sliders[i]), &kValueEditPairs[i]);
    EXPECT_EQ(FindPairByEdit(ControlsOf(kValueEditPairs[i]).editId), &kValueEditPairs[i]);
  }
  EXPECT_EQ(FindPairBySlider(1005), nullptr);
  EXPECT_EQ(FindPairByEdit(1004), nullptr);
  // Only the contrast edit puts a clamped value back by a direct text set.
  for (const ValueEditPair& pair : kValueEditPairs) {
    EXPECT_EQ(pair.clampedText == ClampedTextPath::DirectTextSet, ControlsOf(pair).editId == 1005);
    EXPECT_EQ(pair.parse == ValueEditParse::LeadingHexRun, ControlsOf(pair).editId == 1022);
  }
}

}  // namespace
}  // namespace torvix::testing
