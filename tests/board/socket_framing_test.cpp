// SPDX-License-Identifier: MIT
#include "board/socket_framing.h"

#include <gtest/gtest.h>

namespace torvix::testing {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(SocketFraming, RequestRoundTripsAndReportsWhatItConsumed) {
  const Bytes input{3, 0, 0, 0};
  const Bytes output{0xAA};
  Bytes wire = EncodeRequest(kControlBoardToHost, input, output);
  EXPECT_EQ(wire, (Bytes{0x4E, 0x20, 0x22, 0, 4, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 0xAA}));
  wire.push_back(0x77);  // the start of the next request stays unread
  FramedRequest request;
  std::size_t consumed = 0;
  ASSERT_EQ(DecodeRequest(wire, request, consumed), DecodeStatus::kComplete);
  EXPECT_EQ(consumed, wire.size() - 1);
  EXPECT_EQ(request.code, kControlBoardToHost);
  EXPECT_EQ(request.input, input);
  EXPECT_EQ(request.output, output);
}

TEST(SocketFraming, EveryTruncationOfARequestAsksForMore) {
  const Bytes wire =
      EncodeRequest(kControlHostToBoard, Bytes{0, 0, 0, 0}, Bytes{1, 0, 3, 0x38, 0, 0});
  for (std::size_t n = 0; n < wire.size(); ++n) {
    FramedRequest request;
    std::size_t consumed = 0;
    EXPECT_EQ(DecodeRequest(std::span(wire).first(n), request, consumed), DecodeStatus::kNeedMore)
        << n;
  }
}

TEST(SocketFraming, HostileLengthsAreMalformedNotBuffered) {
  const Bytes hugeInput{0x51, 0x20, 0x22, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  FramedRequest request;
  std::size_t consumed = 0;
  EXPECT_EQ(DecodeRequest(hugeInput, request, consumed), DecodeStatus::kMalformed);

  FramedReply reply;
  const Bytes longerThanAsked = EncodeReply({true, 2}, Bytes{1, 2});
  EXPECT_EQ(DecodeReply(longerThanAsked, 1, reply, consumed), DecodeStatus::kMalformed);
  const Bytes badFlag{2, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(DecodeReply(badFlag, 0, reply, consumed), DecodeStatus::kMalformed);
}

TEST(SocketFraming, ReplyRoundTrips) {
  const Bytes wire = EncodeReply({true, 1}, Bytes{0x40});
  FramedReply reply;
  std::size_t consumed = 0;
  ASSERT_EQ(DecodeReply(wire, 1, reply, consumed), DecodeStatus::kComplete);
  EXPECT_TRUE(reply.result.ok);
  EXPECT_EQ(reply.result.transferred, 1u);
  EXPECT_EQ(reply.output, Bytes{0x40});
  EXPECT_EQ(consumed, wire.size());
}

}  // namespace
}  // namespace torvix::testing
