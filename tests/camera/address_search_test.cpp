// SPDX-License-Identifier: MIT
// The address search's calls on a recording bridge: the probe's two transactions, the pauses
// between them, and silence whatever fails, unless a scan stops for the board's own failure.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "camera/address_search.h"
#include "camera/camera_lock.h"
#include "tests/camera/link_fixture.h"
#include "tests/support/case_name.h"

namespace torvix::testing {
namespace {

using ::testing::ElementsAre;

using AddressSearch = LinkFixture;

TEST_F(AddressSearch, AnsweredProbeSelectsWithSetAddressAndReadsWithout) {
  EXPECT_EQ(ProbeCameraAddress(link, 0x70, OnBoardFailure::kStop), ProbeOutcome::kAnswered);
  // The read opens on the read form and sets no address; its buffer starts cleared.
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(0,0x70)",
                               "SendSub(0,1,0x01,30 31,2,0)", "IICClose(0)", "Pause(2)",
                               "IICInit(0x71,20000,1000)", "Receive(1,00,0,1)", "IICClose(1)",
                               "Pause(5)"));
}

TEST_F(AddressSearch, RefusedSelectSkipsTheReadAndBothPausesSilently) {
  bridge.FailTransfer(0, 14);
  EXPECT_EQ(ProbeCameraAddress(link, 0x20, OnBoardFailure::kStop), ProbeOutcome::kNotAnswered);
  EXPECT_THAT(log, ElementsAre("IICInit(0x20,20000,1000)", "SetAddress(0,0x20)",
                               "SendSub(0,1,0x01,30 31,2,0)", "IICClose(0)"));
}

TEST_F(AddressSearch, RefusedReadStillWaitsFiveMillisecondsAndSaysNothing) {
  bridge.FailTransfer(1, 5);
  EXPECT_EQ(ProbeCameraAddress(link, 0x20, OnBoardFailure::kStop), ProbeOutcome::kNotAnswered);
  ASSERT_EQ(log.size(), 9u);
  EXPECT_EQ(log.back(), "Pause(5)");
}

struct FailureCase {
  const char* name;
  int transfer;  // the failing transfer: 0 the first select, 1 its read; -1: no IICInit opens
  int16_t code;
  std::vector<std::string> shown;  // empty: a bus failure, the search goes on silently
};

class FailedProbe : public LinkFixture, public ::testing::WithParamInterface<FailureCase> {};

// A board that is missing or whose driver fails ends torvix scan's search at once, in the words
// any register access shows; an address that does not answer only moves the search on.
TEST_P(FailedProbe, EndsTheSearchOnlyWhenTheBoardItselfFailed) {
  const FailureCase& c = GetParam();
  if (c.transfer < 0) bridge.FailInit();
  if (c.transfer >= 0) bridge.FailTransfer(c.transfer, c.code);
  const AddressSearchResult result = SearchCameraAddress(link, OnBoardFailure::kStop);
  std::vector<std::string> boxes;
  for (const std::string& call : log) {
    if (call.rfind("Box", 0) == 0) boxes.push_back(call);
  }
  EXPECT_EQ(boxes, c.shown);
  if (c.shown.empty()) {
    EXPECT_EQ(result.end, ProbeOutcome::kAnswered);
    EXPECT_EQ(result.address, 0x02);
  } else {
    EXPECT_EQ(result.end, ProbeOutcome::kBoardFailed);
    EXPECT_EQ(bridge.Transfers(), std::max(c.transfer, 0) + 1);  // no further candidate
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedProbe,
    ::testing::Values(FailureCase{"NoDevice", -1, 0, {kNoConnection, kCheckBoard}},
                      FailureCase{"SelectCommandError", 0, 11, {"Box(0x00): USB command error"}},
                      FailureCase{"SelectWriteError", 0, 12, {"Box(0x00): USB_WRITE_ERROR"}},
                      FailureCase{"ReadReadError", 1, 13, {"Box(0x00): USB_READ_ERROR"}},
                      FailureCase{"SelectNotAcknowledged", 0, 14, {}},
                      FailureCase{"SelectTimeOut", 0, 5, {}},
                      FailureCase{"ReadArbitrationLost", 1, 3, {}}),
    CaseName());

// The window's search counts a failure of the board as one more candidate that did not answer.
TEST_F(AddressSearch, WindowsSearchProbesSilentlyOnPastTheBoardsFailures) {
  bridge.FailTransfer(0, 11);  // what a request past its reply deadline returns
  EXPECT_EQ(SearchCameraAddress(link, OnBoardFailure::kProbeOn).address, 0x02);
  EXPECT_THAT(log, ::testing::Each(::testing::Not(::testing::StartsWith("Box"))));
  log.clear();
  bridge.FailInit();
  EXPECT_EQ(SearchCameraAddress(link, OnBoardFailure::kProbeOn).end, ProbeOutcome::kNotAnswered);
  EXPECT_EQ(log.size(), 4u * 127);  // IICInit, SetAddress, SendSub, IICClose: no pause, no box
}

struct HeldElsewhere : CameraLock {
  bool Take() override { return false; }
  void Release() override {}
  std::string Problem() const override { return "held"; }
};

// A camera another program holds is not probed, and the search ends there in the words of any
// access, in the window as in torvix scan: the window's search passed every candidate by in
// silence and ended on "No Camera detected" at 0x70, though the camera was there.
TEST_F(AddressSearch, ACameraHeldElsewhereIsNotProbedAndEndsTheSearch) {
  HeldElsewhere held;
  const ScopedCameraLock useHeld{held};
  for (const OnBoardFailure onBoardFailure : {OnBoardFailure::kProbeOn, OnBoardFailure::kStop}) {
    log.clear();
    EXPECT_EQ(SearchCameraAddress(link, onBoardFailure).end, ProbeOutcome::kCameraHeld);
    EXPECT_THAT(log, ElementsAre("Box(0x00): held"));
  }
}

TEST_F(AddressSearch, StopsAtTheFirstCandidateWhoseBothTransfersSucceed) {
  // Candidates 0x00 and 0x02 refuse the select; 0x04 answers the select but not the read.
  bridge.FailTransfer(0, 5);
  bridge.FailTransfer(1, 5);
  bridge.FailTransfer(3, 5);
  const AddressSearchResult result = SearchCameraAddress(link, OnBoardFailure::kStop);
  EXPECT_EQ(result.end, ProbeOutcome::kAnswered);
  EXPECT_EQ(result.address, 0x06);
  EXPECT_EQ(bridge.Transfers(), 6);
}

}  // namespace
}  // namespace torvix::testing
