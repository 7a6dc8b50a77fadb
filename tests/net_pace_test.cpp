// Pace: the peer ahead slows by at most an eighth of a frame per frame, the one behind never.
#include <gtest/gtest.h>

#include "net/pace.h"

namespace {

TEST(Pace, OnlyThePeerAheadSlowsBySmallStepsCountingHalfTheRoundTrip) {
  constexpr double Most = OnlineFramePeriod * MaxSlowdownPerFrame;
  EXPECT_EQ(ExtraFrameWait({100, 100, 0.0}), 0.0);
  EXPECT_EQ(ExtraFrameWait({100, 110, 0.0}), 0.0);
  EXPECT_DOUBLE_EQ(ExtraFrameWait({110, 100, 0.0}), Most);
  EXPECT_DOUBLE_EQ(ExtraFrameWait({100000, 0, 0.0}), Most);
  EXPECT_GT(ExtraFrameWait({101, 100, 0.0}), 0.0);
  EXPECT_LT(ExtraFrameWait({101, 100, 0.0}), Most);
  // 100 ms there and back: the remote is 2 frames past what it said.
  EXPECT_DOUBLE_EQ(FramesAhead({104, 100, 0.1}), 2.0);
  EXPECT_EQ(ExtraFrameWait({102, 100, 0.1}), 0.0);
}

}  // namespace
