// Rollback on a stand-in game whose state hashes every step: prediction, reruns, the stall and
// the input delay.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "net/rollback.h"

namespace {

struct FakeStep {
  int32_t frame;
  ActionMask host, guest;
  FrameRun run;
};

class FakeGame final : public SteppedGame {
 public:
  void Save(int slot) override { saved.at(slot) = state; }
  void Restore(int slot) override { state = saved.at(slot); }
  uint64_t SavedHash(int slot) const override { return saved.at(slot); }
  void Step(int32_t frame, ActionMask host, ActionMask guest, FrameRun run) override {
    state = (state ^ (static_cast<uint64_t>(frame) << 16 | host << 8 | guest)) * 0x100000001b3u;
    steps.push_back({frame, host, guest, run});
  }
  std::vector<ActionMask> Guests() const {
    std::vector<ActionMask> masks;
    for (const FakeStep& step : steps) {
      masks.push_back(step.guest);
    }
    return masks;
  }

  uint64_t state = 1;
  std::array<uint64_t, SnapshotSlots> saved{};
  std::vector<FakeStep> steps;
};

TEST(Rollback, PredictsTheLatestKnownMaskAndRerunsOnlyFromAWrongPrediction) {
  FakeGame game;
  Rollback session(game, true, 0);
  session.ReceiveRemote(0, 5);
  session.ReceiveRemote(3, 9);
  session.ReceiveRemote(200, 1);  // far beyond the window
  for (int frame = 0; frame < 6; ++frame) {
    session.Advance(0);
  }
  EXPECT_EQ(game.Guests(), (std::vector<ActionMask>{5, 5, 5, 9, 9, 9}));
  session.ReceiveRemote(1, 5);  // as predicted
  session.ReceiveRemote(4, 9);
  session.Settle();
  EXPECT_EQ(session.Stats().rollbacks, 0);
  EXPECT_EQ(session.ConfirmedFrame(), 1);

  session.ReceiveRemote(2, 0xff);          // only the action bits count
  EXPECT_EQ(session.ConfirmedFrame(), 1);  // frame 2 is stale until the rerun
  const uint64_t before = game.state;
  session.Settle();
  EXPECT_EQ(game.Guests(), (std::vector<ActionMask>{5, 5, 5, 9, 9, 9, 31, 9, 9, 9}));
  EXPECT_EQ(game.steps.back().run, FrameRun::Again);
  EXPECT_NE(game.state, before);
  EXPECT_EQ(session.ConfirmedFrame(), 4);
  EXPECT_EQ(session.ConfirmedStateHash(), game.saved[5 % SnapshotSlots]);
  EXPECT_EQ(session.Stats().rollbacks, 1);
  EXPECT_EQ(session.Stats().deepest, 4);
}

TEST(Rollback, StallsEightFramesAheadOfTheLastConfirmedRemoteFrame) {
  for (int delay : {0, 3}) {
    FakeGame game;
    Rollback session(game, false, delay);
    int ran = 0;
    while (session.Advance(0) == AdvanceResult::Ran) {
      ASSERT_LT(++ran, 100);
    }
    EXPECT_EQ(ran, MaxRollbackFrames + delay);  // the delay's frames are known to be empty
    const size_t steps = game.steps.size();
    session.ReceiveRemote(delay + 1, 1);  // not the one missing
    EXPECT_EQ(session.Advance(0), AdvanceResult::Stalled);
    EXPECT_EQ(game.steps.size(), steps);
    session.ReceiveRemote(delay, 1);
    EXPECT_EQ(session.Advance(0), AdvanceResult::Ran);
    EXPECT_EQ(session.Advance(0), AdvanceResult::Ran);
    EXPECT_EQ(session.Advance(0), AdvanceResult::Stalled);
    EXPECT_EQ(session.Stats().deepest, MaxRollbackFrames);
  }
}

TEST(Rollback, LocalPressesAreUsedInputDelayFramesLaterOnTheirOwnSide) {
  FakeGame game;
  Rollback session(game, false, 2);
  for (int32_t frame = 0; frame < 6; ++frame) {
    session.ReceiveRemote(frame, 7);
    session.Advance(static_cast<ActionMask>(frame + 1));
  }
  EXPECT_EQ(session.LastLocalFrame(), 7);
  EXPECT_EQ(session.LocalMask(7), 6);
  EXPECT_EQ(session.LocalMask(-3), 0);
  for (int32_t frame = 0; frame < 6; ++frame) {
    EXPECT_EQ(game.steps[frame].guest, frame < 2 ? 0 : frame - 1) << frame;
    EXPECT_EQ(game.steps[frame].host, frame < 2 ? 0 : 7) << frame;
    const FrameMasks recorded{game.steps[frame].host, game.steps[frame].guest};
    EXPECT_EQ(session.MasksOf(frame), recorded);
  }
}

}  // namespace
