// SPDX-License-Identifier: MIT
// The dialog's own menu entries and its control tips, on the in-process virtual camera: a
// profile saved and applied, a faulty profile, a dump cancelled from its progress window, and
// every tip against the register its control writes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "app/resource_ids.h"
#include "app/tool_menu.h"
#include "app/value_edit_controls.h"
#include "camera/value_edit_pairs.h"
#include "profiles/setting_catalog.h"
#include "tests/app/panel_fixture.h"
#include "tests/support/case_name.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_folder.h"
#include "window/check_question.h"

namespace torvix::testing {
namespace {

using ::testing::HasSubstr;

class MenuTest : public PanelFixture {
 protected:
  void Command(unsigned command) { ASSERT_TRUE(W().UserSystemCommand(command, 0)); }
  std::string Path(const std::string& name) { return (scratch / name).string(); }

  ScratchFolder scratch;
  ScriptedFileDialog files;
  ScriptedProgressHost progress;
  ScopedSaveDialogHost scopedFiles{files};
  ScopedProgressHost scopedProgress{progress};
};

class ProfileRoundTrip : public MenuTest, public ::testing::WithParamInterface<int> {};

TEST_P(ProfileRoundTrip, AppliedAfterChangesAsksOnceAndWritesOnlyWhatDiffersInTableOrder) {
  RunOpen([&] {
    files.answer = Path("camera.json");
    Command(IDM_SAVE_PROFILE);
    Choose(IDC_WDR_MODE, 0);            // WDR "OFF"
    Click(IDC_VFLIP);                   // V-flip
    TypeOver(IDC_CONTRAST_EDIT, "44");  // contrast
    ClearRecords();
    messages.answer = GetParam();
    Command(IDM_APPLY_PROFILE);
  });
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].type, kMessageOkCancel | 0x20u);
  EXPECT_THAT(messages.shown[0].text,
              ::testing::AllOf(HasSubstr("3 setting(s) change"),
                               HasSubstr("WdrMode (register 0x07): 0x00 (OFF) -> 0x03 (High)"),
                               HasSubstr("Contrast (register 0x57): 0x44 -> 0x3c")));
  if (GetParam() == kAnswerOk) {
    EXPECT_EQ(Writes(), (std::vector<RegisterWrite>{{0x07, 0x03}, {0x55, 0x00}, {0x57, 0x3c}}));
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "3c");
    EXPECT_EQ(Control(IDC_VFLIP).check, 0);
    EXPECT_EQ(Control(IDC_WDR_MODE).selection, 3);
  } else {
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "44");
  }
}

INSTANTIATE_TEST_SUITE_P(Answer, ProfileRoundTrip, ::testing::Values(kAnswerOk, kAnswerCancel));

// Without a camera nothing is saved or applied, the panel stays as it was, and the last word
// is the profile's, not the refresh's "default values displayed".
TEST_F(MenuTest, ProfileWithoutCameraSaysWhatFailedInItsOwnWordsAndTouchesNothing) {
  RunOpen([&] {
    files.answer = Path("camera.json");
    Command(IDM_SAVE_PROFILE);
    Rig().SetCameraPresent(false);
    files.answer = Path("new.json");
    Command(IDM_SAVE_PROFILE);
    EXPECT_EQ(messages.shown.back().text, "The camera could not be read, so no profile was saved.");
    files.answer = Path("camera.json");
    Command(IDM_APPLY_PROFILE);
    EXPECT_EQ(messages.shown.back().text, "The camera could not be read, so nothing was applied.");
  });
  EXPECT_FALSE(std::filesystem::exists(Path("new.json")));
  EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "3c");
}

// The text of a faulty profile and what the message says of it. Each has a good Contrast
// first, so a reader that wrote as it went would show.
using FaultyProfile = std::pair<const char*, const char*>;
const FaultyProfile kFaultyProfiles[] = {
    {"{\n  \"torvix-profile\": 1,\n  \"settings\": {\n    \"Contrast\": \"0x40\",\n"
     "    \"ColorGain\": \"0x2d\"\n  }\n}\n",
     "line 5: ColorGain value out of range (0x01-0x2c)!"},
    {"{\n  \"torvix-profile\": 1,\n  \"settings\": {\n    \"Contrast\": \"0x40\"\n"
     "    \"WdrMode\": 1\n  }\n}\n",
     "line 5: "},
};

class FaultyProfileTest : public MenuTest, public ::testing::WithParamInterface<FaultyProfile> {};

TEST_P(FaultyProfileTest, ChangesNothingAndNamesTheLineAndField) {
  const std::string path = Path("faulty.json");
  WriteFileBytes(path, GetParam().first);
  RunOpen([&] {
    files.answer = path;
    ClearRecords();
    Command(IDM_APPLY_PROFILE);
  });
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_THAT(messages.shown[0].text, HasSubstr(path + " " + GetParam().second));
  // A value out of range is a fault only where the camera does not hold it: it reads the camera.
  EXPECT_TRUE(Writes().empty());
  EXPECT_EQ(Control(IDC_CONTRAST_EDIT).text, "3c");
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultyProfileTest, ::testing::ValuesIn(kFaultyProfiles));

TEST_F(MenuTest, SavingWarnsOfValuesOutsideTheirRangeAndLeavesTheCamerasOwnSettingsOut) {
  Rig().Camera().SetRegister(0x57, 0x60);
  RunOpen([&] {
    files.answer = Path("odd.json");
    ClearRecords();
    Command(IDM_SAVE_PROFILE);
  });
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Warning: Contrast 0x60 is outside its range (0x38-0x54)");
  EXPECT_THAT(ReadFileBytes(Path("odd.json")), ::testing::Not(HasSubstr("CameraAddress")));
}

class HeldBackSettings : public MenuTest, public ::testing::WithParamInterface<bool> {};

// The camera's address, OSD mode and Push2White are asked for apart, with a check box.
TEST_P(HeldBackSettings, AreListedApartAndWrittenOnlyWithTheBoxChecked) {
  const std::string path = Path("other.json");
  WriteFileBytes(path, "{\"settings\": {\"CameraAddress\": \"0x72\", \"Contrast\": \"0x40\"}}");
  std::string asked;
  RunOpen([&] {
    files.answer = path;
    ClearRecords();
    modal.steps.push_back([&](DialogWindow& question) {
      asked = question.ControlAt(0).text;
      if (GetParam()) question.UserClick(kCheckQuestionBoxId);
      question.UserClick(kIdOk);
    });
    Command(IDM_APPLY_PROFILE);
  });
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(modal.runTemplates.back(), kCheckQuestionTemplateId);
  EXPECT_THAT(asked,
              HasSubstr("1 setting(s) change:\n\nContrast (register 0x57): 0x3c -> 0x40\n\n"));
  EXPECT_THAT(asked, ::testing::EndsWith(":\n\nCameraAddress (register 0x31): 0x70 -> 0x72"));
  const std::vector<RegisterWrite> contrast = {{0x57, 0x40}};
  const std::vector<RegisterWrite> both = {{0x31, 0x72}, {0x57, 0x40}};
  EXPECT_EQ(Writes(), GetParam() ? both : contrast);
}

INSTANTIATE_TEST_SUITE_P(Box, HeldBackSettings, ::testing::Bool());

struct MenuDumpCase {
  const char* name;
  unsigned command;
  const char* firstStep;
  int group;                    // the one Cancel comes in
  std::size_t linesBeforeData;  // the lines before that group's data
  int entries;                  // of a whole dump
};

class CancelledDump : public MenuTest, public ::testing::WithParamInterface<MenuDumpCase> {};

// Cancel is pressed while row 2 of a group is read, before its sixth entry; the message then
// says how many entries were read.
TEST_P(CancelledDump, EndsTheFileAsAFailedReadDoesReadsNothingMoreAndSaysHowMuchItHolds) {
  const int readsBeforeCancel = GetParam().group * 256 + 2 * 16 + 5;
  progress.stopAt = readsBeforeCancel + 1;
  RunOpen([&] {
    files.answer = Path("dump.txt");
    ClearRecords();
    Command(GetParam().command);
    EXPECT_TRUE(W().IsWindowEnabled());
  });
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, Path("dump.txt") + " holds " +
                                        std::to_string(readsBeforeCancel) + " of " +
                                        std::to_string(GetParam().entries) +
                                        " entries; the rest of its last line is marked ??");
  EXPECT_EQ(messages.shown[0].type, kMessageOk);
  EXPECT_EQ(progress.shown.front(), std::string(GetParam().firstStep) + " 0");

  const std::vector<std::string> lines = CrLfLines(ReadFileBytes(Path("dump.txt")));
  ASSERT_EQ(lines.size(), GetParam().linesBeforeData + 3);
  EXPECT_THAT(lines.back(), ::testing::MatchesRegex("([0-9A-F]{2} ){5}\\?\\?( \\?\\?){10}"));
  // Each read is a request and a one-byte read; nothing follows the last one.
  EXPECT_EQ(Rig().Log().Size(), static_cast<std::size_t>(2 * readsBeforeCancel));
  EXPECT_EQ(Rig().Log()[Rig().Log().Size() - 1].direction, Direction::kRead);
}

INSTANTIATE_TEST_SUITE_P(
    Dumps, CancelledDump,
    ::testing::Values(MenuDumpCase{"Dsp", IDM_SAVE_DSP_SETTINGS, "Page 1 of 8", 0, 2, 2048},
                      MenuDumpCase{"Eeprom", IDM_SAVE_EEPROM_DUMP, "Block 1 of 4", 1, 21, 1024}),
    CaseName());

// Works every visible control once and compares what it wrote with its tip.
TEST_F(MenuTest, EveryControlThatWritesTheCameraHasATipNamingItsRegisterAndRange) {
  RunOpen([&] {
    messages.answer = kAnswerOk;  // RESET's question
    for (std::size_t i = 0; i < W().ControlCount(); ++i) {
      const ControlState& control = W().ControlAt(i);
      const int id = control.row->id;
      if (!control.row->shown || id == kStaticId || id == kIdCancel) continue;
      dialog->SetPanelEnabled(true);
      W().EnableWindow(id, true);
      W().ShowWindow(id, kShowCommand);
      ClearRecords();
      switch (control.row->kind) {
        case ControlKind::Slider:
          W().UserDragThumb(id, control.position == control.rangeMax ? control.rangeMin
                                                                     : control.rangeMax);
          break;
        case ControlKind::Edit: TypeOver(id, "41"); break;
        case ControlKind::DropDownList:
          Choose(id, (control.selection + 1) % static_cast<int>(control.items.size()));
          break;
        default: Click(id);
      }
      EXPECT_EQ(Writes().empty(), control.tip.empty()) << id << ": " << control.tip;
      std::set<uint8_t> written;  // and the tip names no register the control did not write
      for (const RegisterWrite& write : Writes()) {
        EXPECT_THAT(control.tip, HasSubstr("register " + HexByte(write.reg))) << id;
        written.insert(write.reg);
      }
      const std::regex named("register ");
      const std::sregex_iterator first(control.tip.begin(), control.tip.end(), named);
      const std::sregex_iterator end;
      EXPECT_EQ(std::distance(first, end), std::ssize(written)) << id << ": " << control.tip;
    }
    for (const ValueEditPair& pair : kValueEditPairs) {
      const std::string range = HexByte(pair.minimum) + " to " + HexByte(pair.maximum);
      const ValueEditControls& controls = ControlsOf(pair);
      EXPECT_THAT(Control(controls.sliderId).tip, HasSubstr(range)) << pair.caption;
      EXPECT_EQ(Control(controls.editId).tip, Control(controls.sliderId).tip);
    }
  });
  EXPECT_EQ(Control(IDC_CONTRAST_SLIDER).tip, "Y (contrast): register 0x57, 0x38 to 0x54");
  EXPECT_EQ(Control(IDC_CAMERA_ADDRESS).tip,
            "The camera's own I2C address setting: register 0x31, 0x00 to 0xfc");
}

}  // namespace
}  // namespace torvix::testing
