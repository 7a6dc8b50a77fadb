// Rollback on the real game, headless, from the online start: late masks replay to the on-time
// state, reruns draw nothing and start no sound twice, both machines start alike.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx/draw_trace.h"
#include "net/live_game.h"
#include "net/online_start.h"
#include "net/rollback.h"
#include "program/frame_driver.h"
#include "program/headless_session.h"
#include "state/state_document.h"
#include "state/state_hash.h"

namespace {

std::vector<SoundId> soundsStarted;
std::vector<DrawCall> drawn;

class OnlineGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartHeadlessGame("astorine-tests", ASTORINE_DATA_DIR, 11));
    SetSoundEventHook([](SoundId id, bool start, bool) {
      if (start) {
        soundsStarted.push_back(id);
      }
    });
    SetDrawTrace(&drawn);
  }
  void TearDown() override {
    SetSoundEventHook(nullptr);
    SetDrawTrace(nullptr);
    StopHeadlessGame();
    SetClockSeedSource(nullptr);
    SetFrameClock(FrameClock{});
  }
};

// Keys held a few frames at a time; frame 0 is the input delay's, empty.
std::vector<ActionMask> HeldMasks(uint32_t seed, int frames) {
  std::mt19937 generator(seed);
  std::vector<ActionMask> masks(frames);
  for (int frame = 1; frame < frames; ++frame) {
    masks[frame] = generator() % 3 == 0 ? generator() & AllActionBits : masks[frame - 1];
  }
  return masks;
}

// The remote's mask for frame f arrives before local frame f + lateness. Each rollback is made
// by Settle on its own, where nothing may be drawn.
StateHash PlayLate(bool localIsHost, int lateness, const std::vector<ActionMask>& host,
                   const std::vector<ActionMask>& guest, RollbackStats& stats) {
  EnterOnlineStart(7);
  const std::vector<ActionMask>& own = localIsHost ? host : guest;
  const std::vector<ActionMask>& remote = localIsHost ? guest : host;
  const int frames = static_cast<int>(host.size());
  LiveGame game;
  Rollback session(game, localIsHost, 1);
  for (int32_t frame = 0; frame < frames + lateness; ++frame) {
    if (frame >= lateness) {
      session.ReceiveRemote(frame - lateness, remote[frame - lateness]);
    }
    drawn.clear();
    session.Settle();
    EXPECT_TRUE(drawn.empty()) << "a rerun drew, before frame " << frame;
    if (frame < frames) {
      session.Advance(frame + 1 < frames ? own[frame + 1] : 0);
    }
  }
  stats = session.Stats();
  EXPECT_EQ(session.ConfirmedFrame(), frames - 1);
  EXPECT_EQ(session.ConfirmedStateHash(), HashState(Game, Random).whole);
  return HashState(Game, Random);
}

TEST_F(OnlineGame, ALateMaskAtEveryDepthReplaysToTheOnTimeState) {
  const std::vector<ActionMask> host = HeldMasks(21, 400);
  const std::vector<ActionMask> guest = HeldMasks(22, 400);
  RollbackStats stats;
  const StateHash onTime = PlayLate(true, 0, host, guest, stats);
  EXPECT_EQ(stats.rollbacks, 0);
  EXPECT_EQ(Game.CurrentScene, SceneVersus);
  for (int lateness = 1; lateness <= MaxRollbackFrames; ++lateness) {
    const StateHash late = PlayLate(lateness % 2 == 0, lateness, host, guest, stats);
    for (size_t member = 0; member < late.members.size(); ++member) {
      EXPECT_EQ(late.members[member], onTime.members[member])
          << StateMemberNames()[member] << ", late by " << lateness;
    }
    EXPECT_EQ(late.whole, onTime.whole) << "late by " << lateness;
    EXPECT_EQ(stats.deepest, lateness);
    EXPECT_GT(stats.rollbacks, 20);
  }
}

TEST_F(OnlineGame, RerunsDrawNothingAndStartNoSoundTheirFirstRunStarted) {
  EnterOnlineStart(3);
  LiveGame game;
  // The start screen's 150th frame stops the title tune and starts the play tune.
  int32_t frame = 0;
  while (Game.SceneFrame < 148) {
    game.Step(frame++, 0, 0, FrameRun::First);
  }
  game.Save(0);
  auto runFourFrames = [&](int32_t first, FrameRun run) {
    soundsStarted.clear();
    drawn.clear();
    for (int32_t step = 0; step < 4; ++step) {
      game.Step(first + step, 0, 0, run);
    }
  };
  runFourFrames(frame, FrameRun::First);
  ASSERT_EQ(Game.CurrentScene, SceneVersus);
  EXPECT_EQ(soundsStarted, std::vector<SoundId>{SndPlayBgm});
  const uint64_t firstRun = HashState(Game, Random).whole;
  game.Restore(0);
  runFourFrames(frame, FrameRun::Again);
  EXPECT_TRUE(soundsStarted.empty());
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(HashState(Game, Random).whole, firstRun);
  // Frame numbers whose first run started nothing: the start is new.
  game.Restore(0);
  runFourFrames(frame + 100, FrameRun::Again);
  EXPECT_EQ(soundsStarted, std::vector<SoundId>{SndPlayBgm});
}

TEST_F(OnlineGame, BothMachinesStartAlikeFromTheSeedOrTheDocumentAndReachTheMatch) {
  EnterOnlineStart(1234);
  const StateHash host = HashState(Game, Random);
  EXPECT_EQ(Game.CurrentScene, SceneStart);
  EXPECT_EQ(Game.SceneFrame, 0);
  EXPECT_EQ(Game.title.PlayMode, 'p');
  EXPECT_EQ(Game.title.versusMode, 1);
  EXPECT_EQ(Game.title.computerPlayer, 0);
  const std::string document = WriteStateDocument(Game, Random);
  LiveGame game;
  auto playElsewhere = [&](uint32_t seed) {
    EnterOnlineStart(seed);
    for (int32_t frame = 0; frame < 300; ++frame) {
      game.Step(frame, frame % 7, 3, FrameRun::First);
    }
  };
  playElsewhere(99);
  EnterOnlineStart(1234);
  EXPECT_EQ(HashState(Game, Random), host);
  playElsewhere(98);
  std::string error;
  ASSERT_TRUE(EnterOnlineStartFromDocument(document, error)) << error;
  EXPECT_EQ(HashState(Game, Random), host);
  EXPECT_FALSE(EnterOnlineStartFromDocument("{\"FrameCount\": \"x\"}", error));
  EXPECT_EQ(HashState(Game, Random), host);
  for (int32_t frame = 0; frame < 160 && Game.CurrentScene == SceneStart; ++frame) {
    game.Step(frame, 0, 0, FrameRun::First);
  }
  EXPECT_EQ(Game.CurrentScene, SceneVersus);
}

}  // namespace
