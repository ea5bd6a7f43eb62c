// SPDX-License-Identifier: MIT
#include "tests/camera/link_fixture.h"

#include <gmock/gmock.h>

namespace torvix::testing {
namespace {

using ::testing::ElementsAre;

using RegisterAccess = LinkFixture;

TEST_F(RegisterAccess, WriteSendsRequestThenValueWithTheirPauses) {
  EXPECT_EQ(link.WriteRegister(0x55, 0x03), 0);
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(0,0x70)",
                               "SendSub(0,1,0x00,30 55,2,0)", "IICClose(0)", "Pause(2)",
                               "IICInit(0x70,20000,1000)", "SetAddress(1,0x70)", "Send(1,03,0,1)",
                               "IICClose(1)", "Pause(25)"));
}

TEST_F(RegisterAccess, WriteUsesTheWriteFormOfAnOddBusAddress) {
  link.Block().CameraBusAddress = 0x43;
  link.WriteRegister(0x02, 0x29);
  EXPECT_EQ(log[0], "IICInit(0x42,20000,1000)");
  EXPECT_EQ(log[1], "SetAddress(0,0x42)");
}

TEST_F(RegisterAccess, FailedWriteRequestNeverSendsTheValue) {
  bridge.FailTransfer(0, 5);
  EXPECT_EQ(link.WriteRegister(0x42, 0x90), 1);
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(0,0x70)",
                               "SendSub(0,1,0x00,30 42,2,0)", "IICClose(0)",
                               "Box(0x00): not a correct acknowledge recieved"));
}

TEST_F(RegisterAccess, FailedValueWriteIsReportedWithoutTheClosingPause) {
  bridge.FailTransfer(1, 14);
  EXPECT_EQ(link.WriteRegister(0x42, 0x90), 1);
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(0,0x70)",
                               "SendSub(0,1,0x00,30 42,2,0)", "IICClose(0)", "Pause(2)",
                               "IICInit(0x70,20000,1000)", "SetAddress(1,0x70)", "Send(1,90,0,1)",
                               "IICClose(1)", "Box(0x00): error: USB_I2C_NACK",
                               "Box(0x00): Is board connected to camera (on?)"));
}

TEST_F(RegisterAccess, MissingBoardGivesTheConnectionMessagesOnce) {
  bridge.FailInit();
  EXPECT_EQ(link.WriteRegister(0x42, 0x90), 1);
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(-1,0x70)",
                               "SendSub(-1,1,0x00,30 42,2,0)", "IICClose(-1)", kNoConnection,
                               kCheckBoard));
}

TEST_F(RegisterAccess, ReadRequestsThenReadsFromTheReadAddressWithoutSetAddress) {
  bridge.QueueReply(0x3c);
  uint8_t out = 0;
  EXPECT_EQ(link.ReadRegister(0x01, 0x31, 0x57, link.Block(), &out), 0);
  EXPECT_EQ(out, 0x3c);
  // The receive buffer holds the read-form address byte until the camera's answer replaces it.
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(0,0x70)",
                               "SendSub(0,1,0x01,31 57,2,0)", "IICClose(0)", "Pause(2)",
                               "IICInit(0x71,20000,1000)", "Receive(1,71,0,1)", "IICClose(1)",
                               "Pause(1)"));
}

TEST_F(RegisterAccess, ReadTakesTheAddressFromTheGivenBlockNotTheLinks) {
  CameraBlock other = link.Block();
  other.CameraBusAddress = 0x20;
  uint8_t out = 0;
  link.ReadRegister(0x81, 0x03, 0x10, other, &out);
  EXPECT_EQ(log[0], "IICInit(0x20,20000,1000)");
  EXPECT_EQ(log[5], "IICInit(0x21,20000,1000)");
}

struct SubAddressCase {
  uint8_t given;
  const char* sent;
};

void PrintTo(const SubAddressCase& c, std::ostream* os) { *os << "subAddress " << int{c.given}; }

class ReadSubAddress : public LinkFixture, public ::testing::WithParamInterface<SubAddressCase> {};

TEST_P(ReadSubAddress, AlwaysSendsBitZeroSet) {
  uint8_t out = 0;
  link.ReadRegister(GetParam().given, 0xA2, 0x07, link.Block(), &out);
  EXPECT_EQ(log[2], Printed("SendSub(0,1,%s,a2 07,2,0)", GetParam().sent));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadSubAddress,
                         ::testing::Values(SubAddressCase{0x00, "0x01"},
                                           SubAddressCase{0x01, "0x01"},
                                           SubAddressCase{0x80, "0x81"},
                                           SubAddressCase{0x81, "0x81"},
                                           SubAddressCase{0xFE, "0xff"}));

TEST_F(RegisterAccess, FailedReadRequestLeavesOutAloneAndReadsNothing) {
  bridge.FailTransfer(0, 3);
  uint8_t out = 0x5a;
  EXPECT_EQ(link.ReadRegister(0x01, 0x31, 0x57, link.Block(), &out), 1);
  EXPECT_EQ(out, 0x5a);
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(0,0x70)",
                               "SendSub(0,1,0x01,31 57,2,0)", "IICClose(0)",
                               "Box(0x00): error arbitration problem"));
}

TEST_F(RegisterAccess, FailedReceiveLeavesTheReadAddressInOutAndStillPauses) {
  bridge.FailTransfer(1, 4);
  uint8_t out = 0;
  EXPECT_EQ(link.ReadRegister(0x01, 0x31, 0x57, link.Block(), &out), 1);
  EXPECT_EQ(out, 0x71);
  EXPECT_THAT(log, ElementsAre("IICInit(0x70,20000,1000)", "SetAddress(0,0x70)",
                               "SendSub(0,1,0x01,31 57,2,0)", "IICClose(0)", "Pause(2)",
                               "IICInit(0x71,20000,1000)", "Receive(1,71,0,1)", "IICClose(1)",
                               "Box(0x00): error: camera did not answer in time (TIME OUT)",
                               "Pause(1)"));
}

TEST_F(RegisterAccess, ReadIntoNullIsRefusedBeforeAnythingIsSent) {
  EXPECT_EQ(link.ReadRegister(0x01, 0x31, 0x57, link.Block(), nullptr), 1);
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace torvix::testing
