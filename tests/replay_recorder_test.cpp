// Recording and playing back: the keys come back frame for frame, the recorded hashes catch a
// state that went another way and name where, and the summary tells which game it was.
#include <gtest/gtest.h>

#include "replay/replay_player.h"
#include "replay/replay_recorder.h"
#include "scenes/title.h"
#include "services/keyboard.h"

namespace {

InputFrame Keys(std::initializer_list<int> held) {
  InputFrame keys;
  for (int key : held) {
    keys.Press(key);
  }
  return keys;
}

// Records `frames` frames whose keys change every 7 frames, the score counting frames.
Replay Recorded(uint32_t frames) {
  GameState state;
  RandomState random;
  ReplayRecorder recorder;
  recorder.Begin(state, random);
  for (uint32_t frame = 0; frame < frames; ++frame) {
    recorder.RecordFrame(Keys({static_cast<int>(frame / 7 % 200)}));
    state.score = static_cast<int32_t>(frame);
    recorder.FrameRan(state, random);
  }
  return recorder.Finish(state, random, 0);
}

TEST(ReplayPlayer, GivesBackEveryFrameAndFindsTheFirstStateThatDiffers) {
  Replay replay = Recorded(650);
  ReplayPlayer player(replay);
  GameState state;
  RandomState random;
  player.Start(state, random);
  HashMismatch mismatch;
  for (uint32_t frame = 0; frame < 650; ++frame) {
    ASSERT_FALSE(player.Done());
    ASSERT_EQ(player.NextFrame(), Keys({static_cast<int>(frame / 7 % 200)})) << frame;
    state.score = static_cast<int32_t>(frame);
    // One frame went another way.
    state.side1.moveCounter = frame == 399 ? 9 : GameState{}.side1.moveCounter;
    bool same = player.FrameRan(state, random, mismatch);
    ASSERT_EQ(same, frame != 399) << frame;
  }
  EXPECT_TRUE(player.Done());
  EXPECT_EQ(mismatch.frame, 399u);
  EXPECT_EQ(mismatch.members, std::vector<std::string>{"side1"});
}

TEST(ReplayRecorder, NamesTheLastGameAndHowItEnded) {
  GameState state;
  RandomState random;
  ReplayRecorder recorder;
  recorder.Begin(state, random);
  auto frame = [&](InputFrame keys, int32_t scene) {
    recorder.RecordFrame(keys);
    state.CurrentScene = scene;
    recorder.FrameRan(state, random);
  };
  // A hard solo start played to its game over.
  frame(Keys({KeyReturn, HardStartKey}), SceneStart);
  state.score = 340;
  frame(Keys({}), SceneSolo);
  frame(Keys({}), SceneGameOver);
  state.score = 0;
  frame(Keys({}), SceneTitle);
  Replay solo = recorder.Finish(state, random, 0);
  EXPECT_EQ(ReplayModeName(solo.summary), "solo-hard");
  EXPECT_EQ(ReplayResultName(solo.summary), "score-340");

  // Then a test start against the computer, the computer's well lost.
  state.title.PlayMode = 'c';
  state.debugMode = 1;
  frame(Keys({KeyReturn, TestStartKey}), SceneVersus);
  state.side2.sideState = SideLost;
  frame(Keys({}), SceneVersus);
  Replay match = recorder.Finish(state, random, 0);
  EXPECT_EQ(ReplayModeName(match.summary), "computer-test");
  EXPECT_EQ(ReplayResultName(match.summary), "player1-won");
}

}  // namespace
