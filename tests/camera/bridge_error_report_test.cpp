// SPDX-License-Identifier: MIT
#include "tests/camera/link_fixture.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace torvix::testing {
namespace {

using ::testing::ElementsAreArray;

struct CodeCase {
  uint16_t code;
  std::vector<std::string> boxes;
};

std::vector<std::string> Boxes(const char* first, const char* second = nullptr) {
  std::vector<std::string> boxes{std::string("Box(0x00): ") + first};
  if (second != nullptr) boxes.push_back(std::string("Box(0x00): ") + second);
  return boxes;
}

std::vector<std::string> NoConnection() { return {kNoConnection, kCheckBoard}; }

void PrintTo(const CodeCase& c, std::ostream* os) { *os << "code " << c.code; }

class ReportBridgeErrorCodes : public LinkFixture,
                               public ::testing::WithParamInterface<CodeCase> {};

TEST_P(ReportBridgeErrorCodes, ShowsTheCodesMessagesAndAborts) {
  BridgeCallState state;
  link.ReportBridgeError(state, GetParam().code);
  EXPECT_EQ(state.aborted, 1);
  EXPECT_THAT(log, ElementsAreArray(GetParam().boxes));
}

TEST_P(ReportBridgeErrorCodes, SilentStateShowsNothingButStillAborts) {
  BridgeCallState state;
  state.showMessages = 0;
  link.ReportBridgeError(state, GetParam().code);
  EXPECT_EQ(state.aborted, 1);
  EXPECT_TRUE(log.empty());
}

INSTANTIATE_TEST_SUITE_P(
    WholeTable, ReportBridgeErrorCodes,
    ::testing::Values(
        CodeCase{2, Boxes("error ILLEGAL_BIT")}, CodeCase{3, Boxes("error arbitration problem")},
        CodeCase{4, Boxes("error: camera did not answer in time (TIME OUT)")},
        CodeCase{5, Boxes("not a correct acknowledge recieved")},
        CodeCase{6, Boxes("error bus is bussy or occupied")}, CodeCase{7, Boxes("init error")},
        CodeCase{8, Boxes("no correct stop condition")}, CodeCase{10, Boxes("unknown command")},
        CodeCase{11, Boxes("USB command error")}, CodeCase{12, Boxes("USB_WRITE_ERROR")},
        CodeCase{13, Boxes("USB_READ_ERROR")},
        CodeCase{14, Boxes("error: USB_I2C_NACK", "Is board connected to camera (on?)")},
        CodeCase{15, Boxes("error: device not present")},
        CodeCase{16, Boxes("WRONG_OPERATING_SYSTEM")},
        CodeCase{22, Boxes("error USB_DEVICE_NOT_FOUND")},
        CodeCase{23, Boxes("MAX_DEVICES_EXCEEDED")}, CodeCase{33, Boxes("USB_DATA_OVERFLOW")},
        // Everything else, the library's own 9, 17, 18, 20 and the invalid handle included.
        CodeCase{0, NoConnection()}, CodeCase{1, NoConnection()}, CodeCase{9, NoConnection()},
        CodeCase{17, NoConnection()}, CodeCase{18, NoConnection()}, CodeCase{20, NoConnection()},
        CodeCase{21, NoConnection()}, CodeCase{24, NoConnection()}, CodeCase{32, NoConnection()},
        CodeCase{34, NoConnection()}, CodeCase{0x00FF, NoConnection()},
        CodeCase{0x0102, NoConnection()},  // low byte 2 must not pass for ILLEGAL_BIT
        CodeCase{0x7FFF, NoConnection()}, CodeCase{0x8000, NoConnection()},
        CodeCase{0xFFFE, NoConnection()}, CodeCase{0xFFFF, NoConnection()}));

TEST(BridgeCallStateDefaults, StartsShowingAndNotAborted) {
  const BridgeCallState state;
  EXPECT_EQ(state.aborted, 0);
  EXPECT_EQ(state.showMessages, 1);
}

}  // namespace
}  // namespace torvix::testing
