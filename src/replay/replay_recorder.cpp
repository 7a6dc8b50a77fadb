// Recording: the starting document, runs of keys, periodic hashes and the game's summary.
#include "replay/replay_recorder.h"

#include "replay/versions.h"
#include "scenes/title.h"
#include "state/state_document.h"
#include "state/state_hash.h"

namespace {

StateCheckpoint CheckpointOf(uint32_t frame, const GameState& state, const RandomState& random) {
  StateHash hash = HashState(state, random);
  return {frame, hash.whole, std::move(hash.members)};
}

bool InGame(int32_t scene) {
  return scene == SceneStart || scene == SceneSolo || scene == SceneVersus ||
         scene == SceneSoloChain || scene == SceneGameOver;
}

}  // namespace

void ReplayRecorder::Begin(const GameState& state, const RandomState& random) {
  replay_ = Replay{};
  replay_.logicVersion = GameLogicVersion;
  replay_.startState = WriteStateDocument(state, random);
  frames_ = 0;
  checkedFrames_ = 0;
  lastScene_ = state.CurrentScene;
  // A recording begun mid-game (a state document put it there) counts that game.
  if (InGame(state.CurrentScene)) {
    replay_.summary.playMode = static_cast<uint8_t>(state.title.PlayMode);
    replay_.summary.start = state.debugMode ? ReplayStart::Test : ReplayStart::Normal;
  }
}

void ReplayRecorder::FrameRan(const GameState& state, const RandomState& random) {
  FollowGame(state);
  if (frames_ != checkedFrames_ && frames_ % CheckpointPeriod == 0) {
    replay_.checkpoints.push_back(CheckpointOf(frames_ - 1, state, random));
    checkedFrames_ = frames_;
  }
}

// The title hands over to a new game; a solo game ends in game over, a match when a well is lost.
void ReplayRecorder::FollowGame(const GameState& state) {
  ReplaySummary& summary = replay_.summary;
  if (lastScene_ == SceneTitle && InGame(state.CurrentScene)) {
    summary.playMode = static_cast<uint8_t>(state.title.PlayMode);
    // The title looks at the hard start's key before the test start's.
    InputFrame keys = replay_.runs.empty() ? InputFrame{} : replay_.runs.back().keys;
    summary.start = keys.Held(HardStartKey) ? ReplayStart::Hard
                    : state.debugMode       ? ReplayStart::Test
                                            : ReplayStart::Normal;
    summary.result = ReplayResult::Unfinished;
  }
  if (InGame(state.CurrentScene) && summary.result == ReplayResult::Unfinished) {
    summary.score = state.score;
    if (summary.playMode == 's' && state.CurrentScene == SceneGameOver) {
      summary.result = ReplayResult::SoloOver;
    } else if (summary.playMode != 's' && state.side1.sideState == SideLost) {
      summary.result = ReplayResult::Player2Won;  // side 1 is player 1's well
    } else if (summary.playMode != 's' && state.side2.sideState == SideLost) {
      summary.result = ReplayResult::Player1Won;
    }
  }
  lastScene_ = state.CurrentScene;
}

Replay ReplayRecorder::Finish(const GameState& state, const RandomState& random, int64_t date) {
  if (frames_ != checkedFrames_) {
    replay_.checkpoints.push_back(CheckpointOf(frames_ - 1, state, random));
    checkedFrames_ = frames_;
  }
  replay_.summary.date = date;
  return replay_;
}
