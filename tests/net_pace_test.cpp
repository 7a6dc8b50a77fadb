// Pace: the peer ahead slows by small steps, the one behind never waits.
#include <gtest/gtest.h>

#include "net/pace.h"

namespace {

TEST(Pace, OnlyThePeerAheadSlowsAndNeverByMoreThanAnEighthOfAFrame) {
  EXPECT_EQ(ExtraFrameWait({100, 100, 0.0}), 0.0);
  EXPECT_EQ(ExtraFrameWait({100, 110, 0.0}), 0.0);
  EXPECT_EQ(ExtraFrameWait({100, 100, 0.0}), ExtraFrameWait({100, 100, 0.5}));
  EXPECT_DOUBLE_EQ(ExtraFrameWait({110, 100, 0.0}), OnlineFramePeriod * MaxSlowdownPerFrame);
  EXPECT_DOUBLE_EQ(ExtraFrameWait({10000, 0, 0.0}), OnlineFramePeriod * MaxSlowdownPerFrame);
  const double small = ExtraFrameWait({101, 100, 0.0});
  EXPECT_GT(small, 0.0);
  EXPECT_LT(small, OnlineFramePeriod * MaxSlowdownPerFrame);
}

TEST(Pace, TheRemoteFrameHasMovedOnByHalfTheRoundTrip) {
  // 100 ms there and back: the remote is 2 frames past what it said.
  EXPECT_DOUBLE_EQ(FramesAhead({104, 100, 0.1}), 2.0);
  EXPECT_EQ(ExtraFrameWait({102, 100, 0.1}), 0.0);
  EXPECT_GT(ExtraFrameWait({104, 100, 0.1}), 0.0);
}

TEST(Pace, APeerAheadCatchesDownToTheOtherWithinAFewSeconds) {
  // Both run at the nominal rate; only the waits added here separate them.
  double local = 120.0;
  double remote = 100.0;
  int frames = 0;
  while (ExtraFrameWait({static_cast<int32_t>(local), static_cast<int32_t>(remote), 0.0}) > 0.0) {
    const double wait =
        ExtraFrameWait({static_cast<int32_t>(local), static_cast<int32_t>(remote), 0.0});
    remote += wait / OnlineFramePeriod;
    ASSERT_LT(++frames, 400);
  }
  EXPECT_LE(local - remote, 1.5);
  EXPECT_GE(local - remote, 0.0);
}

}  // namespace
