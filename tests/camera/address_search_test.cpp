// The address search's calls on a recording bridge: the probe's two transactions, the pauses
// between them, and silence whatever fails.
#include <gmock/gmock.h>

#include <algorithm>

#include "camera/address_search.h"
#include "tests/camera/link_fixture.h"

namespace torvix::testing {
namespace {

using ::testing::ElementsAre;

using AddressSearch = LinkFixture;

TEST_F(AddressSearch, AnsweredProbeSelectsWithSetAddressAndReadsWithout) {
  EXPECT_TRUE(ProbeCameraAddress(link, 0x70));
  // The read opens on the read form and sets no address; its buffer starts cleared.
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(0,0x70)",
                               "SendSub(0,1,0x01,30 31,2,0)", "IICClose(0)", "Pause(2)",
                               "IICInit(0x71,20000,1000)", "Receive(1,00,0,1)", "IICClose(1)",
                               "Pause(5)"));
}

TEST_F(AddressSearch, RefusedSelectSkipsTheReadAndBothPausesSilently) {
  bridge.FailTransfer(0, 14);
  EXPECT_FALSE(ProbeCameraAddress(link, 0x20));
  EXPECT_THAT(log, ElementsAre("IICInit(0x20,20000,1000)", "SetAddress(0,0x20)",
                               "SendSub(0,1,0x01,30 31,2,0)", "IICClose(0)"));
}

TEST_F(AddressSearch, RefusedReadStillWaitsFiveMillisecondsAndSaysNothing) {
  bridge.FailTransfer(1, 5);
  EXPECT_FALSE(ProbeCameraAddress(link, 0x20));
  ASSERT_EQ(log.size(), 9u);
  EXPECT_EQ(log.back(), "Pause(5)");
}

TEST_F(AddressSearch, WithoutBoardEveryCandidateFailsAndNothingIsShown) {
  bridge.FailInit();
  EXPECT_EQ(SearchCameraAddress(link), std::nullopt);
  const auto inits = std::count_if(log.begin(), log.end(), [](const std::string& call) {
    return call.rfind("IICInit", 0) == 0;
  });
  EXPECT_EQ(inits, 127);
  EXPECT_EQ(log[4], "IICInit(0x02,20000,1000)");
  EXPECT_EQ(log[log.size() - 4], "IICInit(0xfc,20000,1000)");
  for (const std::string& call : log) {
    EXPECT_EQ(call.rfind("Box", 0), std::string::npos) << call;
    EXPECT_EQ(call.rfind("Pause", 0), std::string::npos) << call;
  }
}

TEST_F(AddressSearch, StopsAtTheFirstCandidateWhoseBothTransfersSucceed) {
  // Candidates 0x00 and 0x02 refuse the select; 0x04 answers the select but not the read.
  bridge.FailTransfer(0, 5);
  bridge.FailTransfer(1, 5);
  bridge.FailTransfer(3, 5);
  EXPECT_EQ(SearchCameraAddress(link), uint8_t{0x06});
  EXPECT_EQ(bridge.Transfers(), 6);
}

}  // namespace
}  // namespace torvix::testing
