// SPDX-License-Identifier: MIT
// The two "..." buttons of the debug group, clicked on the main dialog that runs on the
// in-process virtual camera, with a scripted save dialog.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/file_handlers.h"
#include "app/resource_ids.h"
#include "dumps/eeprom_dump_file.h"
#include "tests/app/app_fixture.h"
#include "tests/support/case_name.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_folder.h"
#include "window/save_dialog_host.h"

namespace torvix::testing {
namespace {

constexpr int kShow = 5;

class ScriptedSaveDialog final : public SaveDialogHost {
 public:
  std::optional<std::string> answer;
  std::vector<SaveDialogRequest> asked;

  std::optional<std::string> AskSavePath(const SaveDialogRequest& request) override {
    asked.push_back(request);
    return answer;
  }
};

struct Button {
  const char* name;
  int id;
  const char* golden;
  bool eeprom;
};

const Button kDspButton{"DspRegs", IDC_BROWSE_DSP_REGS, "dsp_complete.txt", false};
const Button kEepromButton{"EepromDump", IDC_BROWSE_EEPROM_DUMP, "eeprom_complete.vis", true};

class BrowseButton : public AppFixture, public ::testing::WithParamInterface<Button> {
 protected:
  // Opens the dialog, sets edit 1009 to "before", shows the hidden debug button and clicks it.
  void clickWithAnswer(std::optional<std::string> answer) {
    saveDialog.answer = std::move(answer);
    whileOpen = [this](DialogWindow& window) {
      window.SetWindowText(IDC_FILE_PATH, "before");
      window.ShowWindow(GetParam().id, kShow);
      Rig().Log().Clear();
      messages.shown.clear();
      ASSERT_TRUE(window.UserClick(GetParam().id));
      filePathAfter = window.GetWindowText(IDC_FILE_PATH);
    };
    Start();
  }

  std::vector<std::string> shownTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : messages.shown) texts.push_back(m.text);
    return texts;
  }

  // Everything after the first line: the EEPROM header carries the build stamp.
  static std::string body(const std::string& bytes) { return bytes.substr(bytes.find("\r\n")); }

  ScriptedSaveDialog saveDialog;
  ScopedSaveDialogHost useSaveDialog{saveDialog};
  ScratchFolder scratch;
  std::string filePathAfter;
};

TEST_P(BrowseButton, CancellingReadsNothingAndLeavesTheFilePathAlone) {
  clickWithAnswer(std::nullopt);
  EXPECT_EQ(saveDialog.asked.size(), 1u);
  EXPECT_EQ(filePathAfter, "before");
  EXPECT_EQ(Rig().Log().Size(), 0u);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_P(BrowseButton, WritesTheChosenFileAndShowsItsPath) {
  const std::string path = (scratch / "chosen").string();
  clickWithAnswer(path);
  EXPECT_EQ(filePathAfter, path);
  const std::string written = ReadFileBytes(path);
  const std::string golden =
      ReadFileBytes(std::filesystem::path(TORVIX_DUMPS_GOLDEN_DIR) / GetParam().golden);
  if (GetParam().eeprom) {
    EXPECT_EQ(body(written), body(golden));
    EXPECT_EQ(written.substr(0, written.find("\r\n")), EepromFileHeader());
  } else {
    EXPECT_EQ(written, golden);
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_P(BrowseButton, ShowsThePathEvenWhenTheFileCannotBeOpened) {
  const std::string path = (scratch / "missing" / "dump").string();
  clickWithAnswer(path);
  EXPECT_EQ(filePathAfter, path);
  EXPECT_THAT(shownTexts(), ::testing::ElementsAre("Can't open file " + path + ", error = 3\n"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].type, kMessageOk);
  EXPECT_EQ(Rig().Log().Size(), 0u) << "the camera is not accessed";
}

TEST_P(BrowseButton, AsksForItsOwnFileKindWithBothConfirmations) {
  clickWithAnswer(std::nullopt);
  ASSERT_EQ(saveDialog.asked.size(), 1u);
  const SaveDialogRequest& request = saveDialog.asked.front();
  const std::string ext = GetParam().eeprom ? "vis" : "txt";
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].description, "Text Files(*." + ext + ")");
  EXPECT_EQ(request.filters[0].pattern, "*." + ext);
  EXPECT_EQ(request.filters[1].description, "All Files (*.*)");
  EXPECT_EQ(request.filters[1].pattern, "*.*");
  EXPECT_EQ(request.selectedFilter, 0u);
  EXPECT_EQ(request.defaultExtension, ext);
  EXPECT_TRUE(request.confirmOverwrite);
  EXPECT_TRUE(request.confirmCreate);
}

INSTANTIATE_TEST_SUITE_P(Both, BrowseButton, ::testing::Values(kDspButton, kEepromButton),
                         CaseName());

TEST(SaveDialogHost, WithoutAnInstalledHostEveryRequestIsCancelled) {
  EXPECT_EQ(CurrentSaveDialogHost().AskSavePath(DspSettingsSaveRequest()), std::nullopt);
}

TEST(SaveConfirmationQuestion, AsksOnlyWhatTheRequestConfirms) {
  SaveDialogRequest request = EepromDumpSaveRequest();
  EXPECT_EQ(SaveConfirmationQuestion(request, "/t/a.vis", true),
            "/t/a.vis already exists.\nDo you want to replace it?");
  EXPECT_EQ(SaveConfirmationQuestion(request, "/t/a.vis", false),
            "/t/a.vis does not exist.\nDo you want to create it?");
  request.confirmOverwrite = false;
  request.confirmCreate = false;
  EXPECT_EQ(SaveConfirmationQuestion(request, "/t/a.vis", true), std::nullopt);
  EXPECT_EQ(SaveConfirmationQuestion(request, "/t/a.vis", false), std::nullopt);
}

struct ExtensionCase {
  const char* name;
  const char* extension;
  const char* expected;
};

class DefaultExtension : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(DefaultExtension, IsAppendedOnlyToANameWithoutOne) {
  EXPECT_EQ(WithDefaultExtension(GetParam().name, GetParam().extension), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DefaultExtension,
    ::testing::Values(ExtensionCase{"dump", "vis", "dump.vis"},
                      ExtensionCase{"/tmp/dump", "txt", "/tmp/dump.txt"},
                      ExtensionCase{"/tmp/dump.txt", "vis", "/tmp/dump.txt"},
                      ExtensionCase{"/tmp/dump.", "vis", "/tmp/dump.vis"},
                      ExtensionCase{"/tmp/v1.2/dump", "vis", "/tmp/v1.2/dump.vis"},
                      ExtensionCase{"C:\\cams\\dump", "txt", "C:\\cams\\dump.txt"},
                      ExtensionCase{"/home/t/.dump", "txt", "/home/t/.dump.txt"},
                      ExtensionCase{"/tmp/", "txt", "/tmp/"}, ExtensionCase{"", "txt", ""},
                      ExtensionCase{"dump", "", "dump"}));

}  // namespace
}  // namespace torvix::testing
