// Records a run as it is played: the keys of each frame before it runs, the state after it. The
// keys cost a comparison and, when they change, one appended run.
#pragma once
#include "replay/replay.h"
#include "scenes/game_state.h"
#include "services/random.h"

class ReplayRecorder {
 public:
  // Starts a recording from the state the first frame starts from.
  void Begin(const GameState& state, const RandomState& random);
  // The keys of the frame about to run. Past ten hours of frames nothing more is kept.
  void RecordFrame(const InputFrame& keys) {
    if (frames_ >= MaxReplayFrames) {
      return;
    }
    ++frames_;
    if (!replay_.runs.empty() && replay_.runs.back().keys == keys) {
      ++replay_.runs.back().frames;
    } else {
      replay_.runs.push_back({keys, 1});
    }
  }
  // The state after the frame just recorded: a hash every 200 frames, and what game it is.
  void FrameRan(const GameState& state, const RandomState& random);
  // The replay, with a last hash taken from the current state; `date` is UTC seconds.
  Replay Finish(const GameState& state, const RandomState& random, int64_t date);
  // What game is being recorded, as the last frame left it.
  const ReplaySummary& Summary() const { return replay_.summary; }

 private:
  void FollowGame(const GameState& state);

  Replay replay_;
  uint32_t frames_ = 0;
  uint32_t checkedFrames_ = 0;  // frames covered by the last hash taken
  int32_t lastScene_ = SceneTitle;
};
