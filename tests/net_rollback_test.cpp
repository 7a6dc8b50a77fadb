// Rollback on a stand-in game whose state is a hash of every frame's masks: prediction, reruns,
// the stall, the input delay and two machines agreeing.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "net/rollback.h"

namespace {

struct FakeStep {
  int32_t frame;
  ActionMask host;
  ActionMask guest;
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
  int Reruns() const {
    int count = 0;
    for (const FakeStep& step : steps) {
      count += step.run == FrameRun::Again ? 1 : 0;
    }
    return count;
  }

  uint64_t state = 0xcbf29ce484222325u;
  std::array<uint64_t, SnapshotSlots> saved{};
  std::vector<FakeStep> steps;
};

// Masks that change every few frames, as held keys do.
std::vector<ActionMask> HeldMasks(uint32_t seed, int frames) {
  std::mt19937 generator(seed);
  std::vector<ActionMask> masks(frames);
  ActionMask held = 0;
  for (ActionMask& mask : masks) {
    if (generator() % 4 == 0) {
      held = static_cast<ActionMask>(generator() & AllActionBits);
    }
    mask = held;
  }
  return masks;
}

// One machine's run with the remote's mask for frame f arriving just before the local frame
// f + lateness; the local presses of `own` are used `delay` frames after they are made.
uint64_t PlayAsHost(FakeGame& game, Rollback& session, const std::vector<ActionMask>& own,
                    const std::vector<ActionMask>& remote, int lateness) {
  const int frames = static_cast<int>(own.size());
  for (int32_t frame = 0; frame < frames; ++frame) {
    if (frame - lateness >= 0) {
      session.ReceiveRemote(frame - lateness, remote[frame - lateness]);
    }
    const int32_t usedAt = frame + session.InputDelay();
    EXPECT_EQ(session.Advance(usedAt < frames ? own[usedAt] : 0), AdvanceResult::Ran);
  }
  for (int32_t frame = frames - lateness; frame < frames; ++frame) {
    session.ReceiveRemote(frame, remote[frame]);
  }
  session.Settle();
  EXPECT_EQ(session.ConfirmedFrame(), frames - 1);
  EXPECT_EQ(session.ConfirmedStateHash(), game.state);
  return game.state;
}

TEST(Rollback, ALateMaskAtEveryDepthReplaysToTheOnTimeState) {
  const std::vector<ActionMask> host = HeldMasks(1, 300);
  const std::vector<ActionMask> guest = HeldMasks(2, 300);
  FakeGame onTimeGame;
  Rollback onTime(onTimeGame, true, 0);
  const uint64_t expected = PlayAsHost(onTimeGame, onTime, host, guest, 0);
  EXPECT_EQ(onTime.Stats().rollbacks, 0);
  for (int lateness = 1; lateness <= MaxRollbackFrames; ++lateness) {
    FakeGame game;
    Rollback late(game, true, 0);
    EXPECT_EQ(PlayAsHost(game, late, host, guest, lateness), expected) << lateness;
    EXPECT_EQ(late.Stats().deepest, lateness);
    EXPECT_GT(late.Stats().rollbacks, 10);
    EXPECT_EQ(late.Stats().framesRerun, game.Reruns());
    // Only the last rollback, once every mask is in, may be shallower.
    EXPECT_GT(late.Stats().MeanDepth(), lateness - 1);
  }
}

TEST(Rollback, ACorrectPredictionRerunsNothing) {
  std::vector<ActionMask> host = HeldMasks(3, 100);
  const std::vector<ActionMask> guest(100, ActionBit(Action::Drop));
  FakeGame game;
  Rollback session(game, true, 0);
  session.ReceiveRemote(0, guest[0]);
  PlayAsHost(game, session, host, guest, MaxRollbackFrames);
  EXPECT_EQ(session.Stats().rollbacks, 0);
  EXPECT_EQ(game.Reruns(), 0);
}

TEST(Rollback, StallsEightFramesAheadOfTheLastConfirmedRemoteFrame) {
  for (int delay : {0, 3}) {
    FakeGame game;
    Rollback session(game, false, delay);
    int ran = 0;
    while (session.Advance(0) == AdvanceResult::Ran) {
      ASSERT_LT(++ran, 100);
    }
    // The first `delay` remote frames are known to be empty.
    EXPECT_EQ(ran, MaxRollbackFrames + delay);
    const size_t stepsBefore = game.steps.size();
    EXPECT_EQ(session.Advance(0), AdvanceResult::Stalled);
    EXPECT_EQ(game.steps.size(), stepsBefore);
    session.ReceiveRemote(delay + 1, 1);  // not the one missing: still stalled
    EXPECT_EQ(session.Advance(0), AdvanceResult::Stalled);
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
  ASSERT_EQ(game.steps.size(), 6u);
  for (int32_t frame = 0; frame < 6; ++frame) {
    const FakeStep& step = game.steps[frame];
    EXPECT_EQ(step.guest, frame < 2 ? 0 : frame - 1) << frame;
    EXPECT_EQ(step.host, frame < 2 ? 0 : 7) << frame;
  }
}

TEST(Rollback, PredictionRepeatsTheLatestKnownMaskAndIgnoresStrayInput) {
  FakeGame game;
  Rollback session(game, true, 0);
  session.ReceiveRemote(0, 5);
  session.ReceiveRemote(3, 9);
  session.ReceiveRemote(200, 1);  // far beyond the window
  for (int frame = 0; frame < 6; ++frame) {
    session.Advance(0);
  }
  std::vector<ActionMask> used;
  for (const FakeStep& step : game.steps) {
    used.push_back(step.guest);
  }
  EXPECT_EQ(used, (std::vector<ActionMask>{5, 5, 5, 9, 9, 9}));
  session.ReceiveRemote(1, 0xff);  // only the action bits count
  EXPECT_EQ(session.ConfirmedFrame(), 0);
  session.ReceiveRemote(2, AllActionBits);
  session.Settle();
  EXPECT_EQ(session.ConfirmedFrame(), 3);
  EXPECT_EQ(game.steps.back().guest, 9);
  EXPECT_EQ(game.steps[7].guest, AllActionBits);
  EXPECT_EQ(session.Stats().rollbacks, 1);
  EXPECT_EQ(session.Stats().deepest, 5);
}

// Two machines, each with its own game, exchanging masks through a link that delays each one
// 0 to 7 frames: once every mask has arrived both stand in the same state.
TEST(Rollback, HostAndGuestAgreeThroughAnUnevenLink) {
  constexpr int Frames = 400;
  const std::vector<ActionMask> hostPresses = HeldMasks(5, Frames);
  const std::vector<ActionMask> guestPresses = HeldMasks(6, Frames);
  FakeGame hostGame, guestGame;
  Rollback host(hostGame, true, 2);
  Rollback guest(guestGame, false, 2);
  struct InFlight {
    int arrives;
    int32_t frame;
    ActionMask mask;
  };
  std::vector<InFlight> toHost, toGuest;
  std::mt19937 generator(9);
  auto deliver = [](std::vector<InFlight>& link, Rollback& to, int now) {
    for (auto packet = link.begin(); packet != link.end();) {
      if (packet->arrives <= now) {
        to.ReceiveRemote(packet->frame, packet->mask);
        packet = link.erase(packet);
      } else {
        ++packet;
      }
    }
  };
  auto tick = [&](Rollback& self, const std::vector<ActionMask>& presses,
                  std::vector<InFlight>& outgoing, int now) {
    if (self.NextFrame() < Frames &&
        self.Advance(presses[self.NextFrame()]) == AdvanceResult::Ran) {
      // Each packet carries the last few frames, so a late one is covered by the next.
      for (int32_t frame = std::max(0, self.LastLocalFrame() - 4); frame <= self.LastLocalFrame();
           ++frame) {
        outgoing.push_back({now + static_cast<int>(generator() % 8), frame, self.LocalMask(frame)});
      }
    }
  };
  for (int now = 0; now < Frames * 3 && (host.NextFrame() < Frames || guest.NextFrame() < Frames);
       ++now) {
    deliver(toHost, host, now);
    deliver(toGuest, guest, now);
    tick(host, hostPresses, toGuest, now);
    tick(guest, guestPresses, toHost, now);
  }
  deliver(toHost, host, Frames * 4);
  deliver(toGuest, guest, Frames * 4);
  host.Settle();
  guest.Settle();
  ASSERT_EQ(host.NextFrame(), Frames);
  ASSERT_EQ(guest.NextFrame(), Frames);
  EXPECT_EQ(host.ConfirmedFrame(), Frames - 1);
  EXPECT_EQ(guest.ConfirmedFrame(), Frames - 1);
  EXPECT_EQ(hostGame.state, guestGame.state);
  EXPECT_GT(host.Stats().rollbacks + guest.Stats().rollbacks, 0);
}

}  // namespace
