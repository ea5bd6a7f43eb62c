// The program started the way main starts it, on a virtual camera that holds values other
// than the defaults: every control shows what the camera holds.
#include <gtest/gtest.h>

#include "app/application.h"
#include "tests/app/app_fixture.h"

namespace torvix::testing {
namespace {

struct RegisterValue {
  uint8_t reg;
  uint8_t value;
};

constexpr RegisterValue kCameraValues[] = {
    {0x02, 0x2b}, {0x1d, 0x41}, {0x04, 0x79}, {0x42, 0x11}, {0x43, 0x22}, {0x06, 0x50},
    {0x07, 0x01}, {0x13, 0x80}, {0x14, 0x1d}, {0x15, 0x19}, {0x53, 0x2a}, {0x54, 0xc8},
    {0x55, 0x03}, {0x56, 0x00}, {0x57, 0x44}, {0x60, 0x02}, {0x63, 0x33}, {0x6a, 0x03},
    {0x70, 0x00}, {0x71, 0x90}, {0x72, 0xd0}, {0x73, 0xee}, {0x7b, 0x01}, {0x7c, 0x30},
    {0x80, 0x00}, {0x8b, 0xe0}, {0xa0, 0x00},
};

constexpr PairShown kPairs[] = {
    {1004, 1005, 68, "44"},  {1011, 1012, 42, "2a"},  {1028, 1029, 200, "c8"},
    {1008, 1010, 80, "50"},  {1013, 1015, 17, "11"},  {1014, 1016, 34, "22"},
    {1018, 1020, 208, "d0"}, {1017, 1021, 144, "90"}, {1019, 1022, 238, "ee"},
    {1026, 1027, 48, "30"},  {1024, 1025, 224, "e0"}, {1051, 1052, 51, "33"},
    {1042, 1043, 65, "41"},
};

struct Selected {
  int listId;
  int selection;
};

constexpr Selected kLists[] = {{1006, 1}, {1032, 1}, {1038, 9}, {1039, 3},
                               {1040, 5}, {1045, 2}, {1048, 3}};

struct Checked {
  int buttonId;
  int check;
};

constexpr Checked kChecks[] = {{1002, 1}, {1003, 1}, {1023, 0}, {1034, 0}, {1041, 1},
                               {1044, 1}, {1047, 0}, {1030, 0}, {1031, 1}};

using ProgramTest = AppFixture;

TEST_F(ProgramTest, StartsOnTheVirtualCameraWithEveryControlSetFromTheCamera) {
  for (const RegisterValue& value : kCameraValues) {
    Rig().Camera().SetRegister(value.reg, value.value);
  }
  bool sawDialog = false;
  modal.steps.push_back([&](DialogWindow& window) {
    sawDialog = true;
    ASSERT_NE(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(&theApp.m_pMainWnd->Window(), &window);
    for (const PairShown& pair : kPairs) {
      SCOPED_TRACE(pair.editId);
      EXPECT_EQ(window.Find(pair.sliderId)->position, pair.position);
      EXPECT_EQ(window.Find(pair.editId)->text, pair.text);
      EXPECT_TRUE(window.Find(pair.sliderId)->visible);
      EXPECT_TRUE(window.Find(pair.sliderId)->enabled);
      EXPECT_TRUE(window.Find(pair.editId)->enabled);
    }
    for (const Selected& list : kLists) {
      EXPECT_EQ(window.Find(list.listId)->selection, list.selection) << list.listId;
    }
    for (const Checked& button : kChecks) {
      EXPECT_EQ(window.Find(button.buttonId)->check, button.check) << button.buttonId;
    }
    EXPECT_EQ(window.Find(1049)->text, "70");
    EXPECT_FALSE(window.Find(1033)->enabled);  // Manual mode: no Push2White
    window.UserEscape();
  });

  EXPECT_EQ(RunTorvixController(bridge, messages, modal), 0);

  EXPECT_TRUE(sawDialog);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(theApp.LastModalResult(), kIdCancel);
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
  EXPECT_EQ(theApp.RegistryKey(), "Local AppWizard-Generated Applications");
  EXPECT_STREQ(theApp.m_pszAppName, "Torvix_Controller");
}

TEST_F(ProgramTest, AHostThatLetsGoOfTheOpenDialogEndsTheProgramAllTheSame) {
  EXPECT_EQ(RunTorvixController(bridge, messages, modal), 0);
  EXPECT_EQ(modal.runs, 1);
  EXPECT_EQ(theApp.LastModalResult(), kModalFailed);
}

}  // namespace
}  // namespace torvix::testing
