// Rollback on the real game, headless, from the online starting state: late masks replay to the
// on-time state, reruns draw nothing and start no sound twice, both machines start alike.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/frame_driver.h"
#include "app/headless_session.h"
#include "app/random.h"
#include "gfx/draw_trace.h"
#include "net/live_game.h"
#include "net/online_start.h"
#include "net/rollback.h"
#include "scenes/game_state.h"
#include "sound/sound.h"
#include "state/state_document.h"
#include "state/state_hash.h"

namespace {

std::vector<SoundId>& StartsHeard() {
  static std::vector<SoundId> starts;
  return starts;
}
void HearSound(SoundId id, bool start, bool) {
  if (start) {
    StartsHeard().push_back(id);
  }
}

class OnlineGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartHeadlessGame("astorine-tests", ASTORINE_DATA_DIR, 11));
    StartsHeard().clear();
  }
  void TearDown() override {
    SetSoundEventHook(nullptr);
    SetDrawTrace(nullptr);
    StopHeadlessGame();
    SetClockSeedSource(nullptr);
    SetFrameClock(FrameClock{});
    ResetFrameDriver();
  }
};

// Keys held for a few frames at a time, fast enough to fill the wells within a few hundred
// frames.
std::vector<ActionMask> HeldMasks(uint32_t seed, int frames) {
  std::mt19937 generator(seed);
  std::vector<ActionMask> masks(frames);
  ActionMask held = 0;
  for (ActionMask& mask : masks) {
    if (generator() % 3 == 0) {
      held = static_cast<ActionMask>(generator() & AllActionBits);
    }
    mask = held;
  }
  return masks;
}

// Plays `frames` frames with the remote's mask for frame f arriving before local frame
// f + lateness; before each frame any rollback due is made on its own, and it must draw nothing.
StateHash PlayLate(bool localIsHost, int lateness, const std::vector<ActionMask>& host,
                   const std::vector<ActionMask>& guest, RollbackStats& stats) {
  EnterOnlineStart(7);
  const std::vector<ActionMask>& own = localIsHost ? host : guest;
  const std::vector<ActionMask>& remote = localIsHost ? guest : host;
  const int frames = static_cast<int>(host.size());
  LiveGame game;
  Rollback session(game, localIsHost, 1);
  std::vector<DrawCall> drawn;
  SetDrawTrace(&drawn);
  for (int32_t frame = 0; frame < frames; ++frame) {
    if (frame >= lateness) {
      session.ReceiveRemote(frame - lateness, remote[frame - lateness]);
    }
    session.Settle();
    EXPECT_TRUE(drawn.empty()) << "a rerun drew, before frame " << frame;
    EXPECT_EQ(session.Advance(frame + 1 < frames ? own[frame + 1] : 0), AdvanceResult::Ran);
    EXPECT_FALSE(drawn.empty());
    drawn.clear();
  }
  SetDrawTrace(nullptr);
  for (int32_t frame = frames - lateness; frame < frames; ++frame) {
    session.ReceiveRemote(frame, remote[frame]);
  }
  session.Settle();
  stats = session.Stats();
  EXPECT_EQ(session.ConfirmedStateHash(), HashState(Game, Random).whole);
  return HashState(Game, Random);
}

TEST_F(OnlineGame, ALateMaskAtEveryDepthReplaysToTheOnTimeState) {
  constexpr int Frames = 400;
  std::vector<ActionMask> host = HeldMasks(21, Frames);
  std::vector<ActionMask> guest = HeldMasks(22, Frames);
  host[0] = guest[0] = 0;  // the input delay's frame
  RollbackStats stats;
  const StateHash onTime = PlayLate(true, 0, host, guest, stats);
  EXPECT_EQ(stats.rollbacks, 0);
  EXPECT_EQ(Game.CurrentScene, SceneVersus);
  EXPECT_NE(Game.side1.Board, Game.side2.Board);
  for (int lateness = 1; lateness <= MaxRollbackFrames; ++lateness) {
    const bool localIsHost = lateness % 2 == 0;
    const StateHash late = PlayLate(localIsHost, lateness, host, guest, stats);
    EXPECT_EQ(late.whole, onTime.whole) << "late by " << lateness;
    for (size_t member = 0; member < late.members.size(); ++member) {
      EXPECT_EQ(late.members[member], onTime.members[member])
          << StateMemberNames()[member] << ", late by " << lateness;
    }
    EXPECT_EQ(stats.deepest, lateness);
    EXPECT_GT(stats.rollbacks, 20);
  }
}

TEST_F(OnlineGame, RerunsStartNoSoundTheirFirstRunStarted) {
  EnterOnlineStart(3);
  LiveGame game;
  // The start screen hands over to the match at its 150th frame: the title tune stops, the play
  // tune starts.
  int32_t frame = 0;
  while (Game.SceneFrame < 148) {
    game.Step(frame++, 0, 0, FrameRun::First);
  }
  game.Save(0);
  SetSoundEventHook(HearSound);
  for (int32_t run = 0; run < 4; ++run) {
    game.Step(frame + run, 0, 0, FrameRun::First);
  }
  ASSERT_EQ(Game.CurrentScene, SceneVersus);
  EXPECT_EQ(StartsHeard(), std::vector<SoundId>{SndPlayBgm});
  const uint64_t firstRun = HashState(Game, Random).whole;

  StartsHeard().clear();
  game.Restore(0);
  std::vector<DrawCall> drawn;
  SetDrawTrace(&drawn);
  for (int32_t run = 0; run < 4; ++run) {
    game.Step(frame + run, 0, 0, FrameRun::Again);
  }
  EXPECT_TRUE(StartsHeard().empty());
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(HashState(Game, Random).whole, firstRun);

  // The same frames under numbers never run before: their starts are new.
  game.Restore(0);
  for (int32_t run = 0; run < 4; ++run) {
    game.Step(frame + 100 + run, 0, 0, FrameRun::Again);
  }
  EXPECT_EQ(StartsHeard(), std::vector<SoundId>{SndPlayBgm});
}

TEST_F(OnlineGame, BothMachinesStartAlikeAndReachTheMatch) {
  EnterOnlineStart(1234);
  const StateHash first = HashState(Game, Random);
  EXPECT_EQ(Game.CurrentScene, SceneStart);
  EXPECT_EQ(Game.SceneFrame, 0);
  EXPECT_EQ(Game.title.PlayMode, 'p');
  EXPECT_EQ(Game.title.versusMode, 1);
  EXPECT_EQ(Game.title.computerPlayer, 0);
  const std::string document = WriteStateDocument(Game, Random);

  // The other machine has been elsewhere: another seed, frames of another match.
  EnterOnlineStart(99);
  LiveGame game;
  for (int32_t frame = 0; frame < 300; ++frame) {
    game.Step(frame, static_cast<ActionMask>(frame % 7), 3, FrameRun::First);
  }
  EXPECT_NE(HashState(Game, Random), first);
  EnterOnlineStart(1234);
  EXPECT_EQ(HashState(Game, Random), first);

  for (int32_t frame = 0; frame < 300; ++frame) {
    game.Step(frame, 1, 2, FrameRun::First);
  }
  std::string error;
  ASSERT_TRUE(EnterOnlineStartFromDocument(document, error)) << error;
  EXPECT_EQ(HashState(Game, Random), first);
  EXPECT_FALSE(EnterOnlineStartFromDocument("{\"FrameCount\": \"x\"}", error));
  EXPECT_EQ(HashState(Game, Random), first);

  for (int32_t frame = 0; frame < 160 && Game.CurrentScene == SceneStart; ++frame) {
    game.Step(frame, 0, 0, FrameRun::First);
  }
  EXPECT_EQ(Game.CurrentScene, SceneVersus);
}

}  // namespace
