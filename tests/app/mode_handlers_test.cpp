// SPDX-License-Identifier: MIT
// The mode lists, check boxes, the PAL/NTSC pair and "Push2White" on the virtual camera: the
// register values they build on the shadow, the controls that follow the modes, and what a
// failed write leaves behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

#include "app/resource_ids.h"
#include "sim/board_faults.h"
#include "tests/app/panel_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using Writes_ = std::vector<RegisterWrite>;

std::string hex(unsigned value) {
  char text[12];
  std::snprintf(text, sizeof text, "%2.2x", value);
  return text;
}

class ModeTest : public PanelFixture {
 protected:
  // The next request header the driver sees fails, so the next register write fails whole.
  void FailNextWrite() { Rig().Board().request = RequestFault{DriverRequest::kHeader, false, 1}; }
};

struct ListCase {
  const char* name;
  int listId;
  int index;
  uint8_t reg;
  int setting;
  uint8_t value;
};

void PrintTo(const ListCase& c, std::ostream* out) { *out << c.name; }

class ListTest : public ModeTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListTest, ChoosingAnItemWritesItsValueOnceAndShowsIt) {
  const ListCase& c = GetParam();
  RunOpen([&] {
    ClearRecords();
    Choose(c.listId, c.index);
    EXPECT_EQ(Writes(), (Writes_{{c.reg, c.value}}));
    EXPECT_EQ(Shadow(c.setting), c.value);
    EXPECT_EQ(Debug(), hex(c.value));
    EXPECT_EQ(Control(c.listId).selection, c.index);
    EXPECT_EQ(clock.Pauses(), AcceptedWritePauses(1));
  });
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListTest,
    ::testing::Values(ListCase{"WdrOff", IDC_WDR_MODE, 0, 0x07, 6, 0x00},
                      ListCase{"WdrLow", IDC_WDR_MODE, 1, 0x07, 6, 0x01},
                      ListCase{"DnBlackAndWhite", IDC_DN_MODE, 0, 0x60, 17, 0x00},
                      ListCase{"ZoomX3", IDC_ZOOM_FACTOR, 3, 0x6a, 19, 0x03},
                      ListCase{"ZoomSameItemAgain", IDC_ZOOM_FACTOR, 0, 0x6a, 19, 0x00},
                      ListCase{"BlcSize1H1V", IDC_BLC_SIZE, 0, 0x15, 9, 0x00},
                      ListCase{"BlcSize2H4V", IDC_BLC_SIZE, 6, 0x15, 9, 0x0b},
                      ListCase{"BlcSize8H8V", IDC_BLC_SIZE, 15, 0x15, 9, 0x3f},
                      ListCase{"BlcHorizontal5", IDC_BLC_HORIZONTAL, 5, 0x14, 8, 0x28},
                      ListCase{"BlcVertical3", IDC_BLC_VERTICAL, 3, 0x14, 8, 0x03}),
    CaseName());

TEST_F(ModeTest, AListWithoutSelectionClosedWithoutChoiceWritesNothing) {
  Rig().Camera().SetRegister(0x15, 0x05);  // no BLC size has this code
  RunOpen([&] {
    ASSERT_EQ(Control(IDC_BLC_SIZE).selection, kNoSelection);
    ClearRecords();
    ASSERT_TRUE(W().UserOpenList(IDC_BLC_SIZE));
    ASSERT_TRUE(W().UserCloseList(IDC_BLC_SIZE));
    ASSERT_TRUE(W().UserArrowOnClosedList(IDC_WDR_MODE, -1));  // moves the WDR selection only
    EXPECT_EQ(Rig().Log().Size(), 0u);
    EXPECT_TRUE(clock.Pauses().empty());
    Choose(IDC_BLC_SIZE, 1);
    EXPECT_EQ(Writes(), (Writes_{{0x15, 0x01}}));
  });
}

class NoSelectionTest : public ModeTest, public ::testing::WithParamInterface<int> {};

TEST_P(NoSelectionTest, ClosingTheListWithNoItemChosenWritesNothing) {
  RunOpen([&] {
    W().SetCurSel(GetParam(), 99);  // beyond the items: no selection
    ClearRecords();
    ASSERT_TRUE(W().UserOpenList(GetParam()));
    ASSERT_TRUE(W().UserCloseList(GetParam()));
    EXPECT_EQ(Rig().Log().Size(), 0u);
    EXPECT_TRUE(clock.Pauses().empty());
    EXPECT_EQ(Control(GetParam()).selection, kNoSelection);
  });
}

INSTANTIATE_TEST_SUITE_P(EveryList, NoSelectionTest,
                         ::testing::Values(IDC_WHITE_BALANCE_MODE, IDC_WDR_MODE, IDC_BLC_SIZE,
                                           IDC_BLC_HORIZONTAL, IDC_BLC_VERTICAL, IDC_DN_MODE,
                                           IDC_ZOOM_FACTOR));

TEST_F(ModeTest, DayNightLevelPairIsUsableOnlyInSmartMode) {
  RunOpen([&] {
    Choose(IDC_DN_MODE, 1);
    EXPECT_FALSE(Control(IDC_DN_LEVEL_SLIDER).enabled);
    EXPECT_FALSE(Control(IDC_DN_LEVEL_EDIT).enabled);
    Choose(IDC_DN_MODE, 2);
    EXPECT_TRUE(Control(IDC_DN_LEVEL_SLIDER).enabled);
    EXPECT_TRUE(Control(IDC_DN_LEVEL_EDIT).enabled);
    EXPECT_EQ(Rig().Camera().Register(0x60), 0x02);
  });
}

struct BoxCase {
  const char* name;
  int boxId;
  uint8_t reg;
  int setting;
  uint8_t initial;
  uint8_t firstClick;
  uint8_t secondClick;
  bool shownInDebug;
};

void PrintTo(const BoxCase& c, std::ostream* out) { *out << c.name; }

class BoxTest : public ModeTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(BoxTest, EachClickWritesTheOwnedBitsAndKeepsTheOthers) {
  const BoxCase& c = GetParam();
  Rig().Camera().SetRegister(c.reg, c.initial);
  RunOpen([&] {
    for (uint8_t expected : {c.firstClick, c.secondClick}) {
      SCOPED_TRACE(hex(expected));
      ClearRecords();
      const std::string debugBefore = Debug();
      Click(c.boxId);
      EXPECT_EQ(Writes(), (Writes_{{c.reg, expected}}));
      EXPECT_EQ(Shadow(c.setting), expected);
      EXPECT_EQ(Debug(), c.shownInDebug ? hex(expected) : debugBefore);
      EXPECT_EQ(clock.Pauses(), AcceptedWritePauses(1));
    }
  });
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, BoxTest,
    ::testing::Values(
        BoxCase{"Vflip", IDC_VFLIP, 0x55, 14, 0x01, 0x03, 0x01, true},
        BoxCase{"BlcView", IDC_BLC_VIEW_ON, 0x13, 7, 0x30, 0xb0, 0x30, true},
        BoxCase{"AgcOn", IDC_AGC_GAIN_MAX_ON, 0x02, 0, 0x29, 0x2b, 0x29, true},
        BoxCase{"LlsModeFromOtherBits", IDC_LLS_MODE_ON, 0x70, 20, 0x04, 0x07, 0x00, false},
        BoxCase{"SharpnessInverted", IDC_SHARPNESS_ON, 0x7b, 24, 0x00, 0x01, 0x00, false}),
    CaseName());

TEST_F(ModeTest, AgcOnShowsAndEnablesItsPairEditFirst) {
  RunOpen([&] {
    ASSERT_FALSE(Control(IDC_AGC_GAIN_MAX_SLIDER).visible);
    Click(IDC_AGC_GAIN_MAX_ON);
    EXPECT_TRUE(Control(IDC_AGC_GAIN_MAX_EDIT).enabled);
    EXPECT_TRUE(Control(IDC_AGC_GAIN_MAX_SLIDER).visible);
    EXPECT_EQ(dialog->m_checkAgcGainMax, 1);
    Click(IDC_AGC_GAIN_MAX_ON);
    EXPECT_FALSE(Control(IDC_AGC_GAIN_MAX_EDIT).enabled);
    EXPECT_FALSE(Control(IDC_AGC_GAIN_MAX_SLIDER).visible);
  });
}

TEST_F(ModeTest, MirrorKeepsVflipAndCarriesItsBitIntoTheNextWhiteBalanceWrite) {
  Rig().Camera().SetRegister(0x55, 0x02);
  RunOpen([&] {
    ClearRecords();
    Click(IDC_MIRROR);
    EXPECT_EQ(Writes(), (Writes_{{0x55, 0x03}}));
    EXPECT_EQ(Shadow(2), 0xf8);
    EXPECT_EQ(Rig().Camera().Register(0x04), 0x78);  // not written
    EXPECT_EQ(Debug(), "f8");
    EXPECT_EQ(dialog->m_checkMirror, 1);

    ClearRecords();
    Choose(IDC_WHITE_BALANCE_MODE, 0);  // Auto mode
    EXPECT_EQ(Writes(), (Writes_{{0x56, 0x00}, {0x04, 0xf8}}));
    EXPECT_EQ(Debug(), "f8");
    EXPECT_EQ(clock.Pauses(), AcceptedWritePauses(2));
  });
}

TEST_F(ModeTest, MirrorBitReachesTheShadowEvenWhenTheFlipWriteFails) {
  RunOpen([&] {
    FailNextWrite();
    ClearRecords();
    Click(IDC_MIRROR);
    EXPECT_FALSE(messages.shown.empty());
    EXPECT_EQ(Shadow(14), 0x00);
    EXPECT_EQ(Shadow(2), 0xf8);
    EXPECT_EQ(Control(IDC_MIRROR).check, 1);
  });
}

TEST_F(ModeTest, WhiteBalanceModesWriteAndSetTheirDependentControls) {
  Rig().Camera().SetRegister(0x04, 0xfa);
  RunOpen([&] {
    ASSERT_EQ(Control(IDC_WHITE_BALANCE_MODE).selection, 0);
    ClearRecords();
    Choose(IDC_WHITE_BALANCE_MODE, 1);  // Manual
    EXPECT_EQ(Writes(), (Writes_{{0x56, 0x00}, {0x04, 0xf9}}));
    EXPECT_EQ(Debug(), "f9");
    for (int id : {IDC_RED_GAIN_EDIT, IDC_BLUE_GAIN_EDIT}) EXPECT_TRUE(Control(id).enabled) << id;
    for (int id : {IDC_RED_GAIN_SLIDER, IDC_BLUE_GAIN_SLIDER})
      EXPECT_TRUE(Control(id).visible) << id;
    EXPECT_FALSE(Control(IDC_PUSH2WHITE).enabled);

    ClearRecords();
    Choose(IDC_WHITE_BALANCE_MODE, 2);  // Push2White-set
    EXPECT_EQ(Writes(), (Writes_{{0x56, 0x02}}));
    EXPECT_EQ(Debug(), "02");
    for (int id : {IDC_RED_GAIN_EDIT, IDC_BLUE_GAIN_EDIT, IDC_PUSH2WHITE})
      EXPECT_FALSE(Control(id).enabled) << id;
    for (int id : {IDC_RED_GAIN_SLIDER, IDC_BLUE_GAIN_SLIDER})
      EXPECT_FALSE(Control(id).visible) << id;

    ClearRecords();
    Choose(IDC_WHITE_BALANCE_MODE, 0);  // Auto
    EXPECT_EQ(Writes(), (Writes_{{0x56, 0x00}, {0x04, 0xf8}}));
    EXPECT_TRUE(Control(IDC_PUSH2WHITE).enabled);
    EXPECT_FALSE(Control(IDC_RED_GAIN_EDIT).enabled);
  });
}

TEST_F(ModeTest, WhiteBalanceModeIsWrittenAfterAFailedPushToWhiteWrite) {
  Rig().Camera().SetRegister(0x56, 0x02);
  RunOpen([&] {
    FailNextWrite();
    ClearRecords();
    Choose(IDC_WHITE_BALANCE_MODE, 1);
    EXPECT_FALSE(messages.shown.empty());
    EXPECT_EQ(Writes(), (Writes_{{0x04, 0x79}}));
    EXPECT_EQ(Shadow(15), 0x02);
    EXPECT_EQ(Shadow(2), 0x79);
    EXPECT_EQ(clock.Pauses(), AcceptedWritePauses(1));
    EXPECT_TRUE(Control(IDC_RED_GAIN_EDIT).enabled);
  });
}

struct BlcCase {
  const char* name;
  bool horizontalFails;
  uint8_t vertical;  // written by "BLC Vertical" position 3 afterwards
};

void PrintTo(const BlcCase& c, std::ostream* out) { *out << c.name; }

class BlcPositionTest : public ModeTest, public ::testing::WithParamInterface<BlcCase> {};

TEST_P(BlcPositionTest, VerticalStartsFromWhatTheCameraAcceptedLast) {
  const BlcCase& c = GetParam();
  RunOpen([&] {
    if (c.horizontalFails) FailNextWrite();
    ClearRecords();
    Choose(IDC_BLC_HORIZONTAL, 5);
    Choose(IDC_BLC_VERTICAL, 3);
    Writes_ expected;
    if (!c.horizontalFails) expected.push_back({0x14, 0x28});
    expected.push_back({0x14, c.vertical});
    EXPECT_EQ(Writes(), expected);
    EXPECT_EQ(Shadow(8), c.vertical);
    EXPECT_EQ(messages.shown.empty(), !c.horizontalFails);
  });
}

INSTANTIATE_TEST_SUITE_P(Orders, BlcPositionTest,
                         ::testing::Values(BlcCase{"HorizontalAccepted", false, 0x2b},
                                           BlcCase{"HorizontalFailed", true, 0x03}),
                         CaseName());

TEST_F(ModeTest, Push2WhiteWritesOnceWaitsAndMovesTheListWithoutItsHandler) {
  RunOpen([&] {
    ClearRecords();
    Click(IDC_PUSH2WHITE);
    EXPECT_EQ(Writes(), (Writes_{{0x56, 0x01}}));
    EXPECT_EQ(Control(IDC_WHITE_BALANCE_MODE).selection, 2);
    EXPECT_EQ(Debug(), "01");
    EXPECT_EQ(Shadow(15), 0x01);
    // 127 ms for the write, then 100 ms more; the dependent controls stay as in Auto mode.
    EXPECT_EQ(clock.Pauses(), Ms({2, 25, 100, 100}));
    EXPECT_TRUE(Control(IDC_PUSH2WHITE).enabled);
    EXPECT_FALSE(Control(IDC_RED_GAIN_EDIT).enabled);
  });
}

TEST_F(ModeTest, Push2WhiteStillWaitsAndMovesTheListAfterAFailedWrite) {
  RunOpen([&] {
    Rig().SetCameraPresent(false);
    ClearRecords();
    Click(IDC_PUSH2WHITE);
    EXPECT_FALSE(messages.shown.empty());
    EXPECT_EQ(Shadow(15), 0x00);
    EXPECT_EQ(Control(IDC_WHITE_BALANCE_MODE).selection, 2);
    EXPECT_EQ(clock.Pauses(), Ms({100}));
  });
}

TEST_F(ModeTest, NtscClickedTwiceWritesTwiceAndPalFollows) {
  RunOpen([&] {
    ClearRecords();
    const std::string debugBefore = Debug();
    Click(IDC_NTSC);
    Click(IDC_NTSC);
    EXPECT_EQ(Writes(), (Writes_{{0xa0, 0x00}, {0xa0, 0x00}}));
    EXPECT_EQ(Control(IDC_NTSC).check, 1);
    EXPECT_EQ(Control(IDC_PAL).check, 0);
    EXPECT_EQ(dialog->m_checkNtsc, 1);
    EXPECT_EQ(Debug(), debugBefore);
    Click(IDC_PAL);
    EXPECT_EQ(Writes().back(), (RegisterWrite{0xa0, 0x01}));
    EXPECT_EQ(Control(IDC_NTSC).check, 0);
    EXPECT_EQ(dialog->m_checkPal, 1);
    EXPECT_EQ(Shadow(28), 0x01);
  });
}

TEST_F(ModeTest, AFailedBlcViewWriteKeepsTheShadowAndTheBoxAsClicked) {
  RunOpen([&] {
    Rig().SetCameraPresent(false);
    ClearRecords();
    Click(IDC_BLC_VIEW_ON);
    EXPECT_FALSE(messages.shown.empty());
    EXPECT_EQ(Shadow(7), 0x30);
    EXPECT_EQ(Control(IDC_BLC_VIEW_ON).check, 1);
    EXPECT_EQ(Debug(), "b0");
    EXPECT_TRUE(clock.Pauses().empty());
  });
}

// A clamped value edit pushes every bound value to the controls; the switches whose handlers
// write whole registers must not spring back to their state before the click.
TEST_F(ModeTest, SwitchesKeepTheirClickedStateThroughALaterPushOfBoundValues) {
  RunOpen([&] {
    Click(IDC_LLS_MODE_ON);                  // Mode On cleared
    Click(IDC_SHARPNESS_ON);                 // Sharpness On cleared
    TypeOver(IDC_AEX_REFERENCE_EDIT, "ff");  // clamped to 78 by a bound text push
    ASSERT_EQ(Control(IDC_AEX_REFERENCE_EDIT).text, "78");
    EXPECT_EQ(Control(IDC_LLS_MODE_ON).check, 0);
    EXPECT_EQ(Control(IDC_SHARPNESS_ON).check, 0);
    EXPECT_EQ(Rig().Camera().Register(0x70), 0x00);
    EXPECT_EQ(Rig().Camera().Register(0x7b), 0x01);
  });
}

}  // namespace
}  // namespace torvix::testing
