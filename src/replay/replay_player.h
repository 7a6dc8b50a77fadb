// Plays a replay back: its starting state, then the keys of each frame; after a frame that holds
// a recorded hash, the state is compared with it.
#pragma once
#include <string>
#include <vector>

#include "replay/replay.h"
#include "scenes/game_state.h"
#include "services/random.h"

// The first recorded hash a replayed state failed to match: the frame after which it was taken
// and the top-level state members whose hashes differ.
struct HashMismatch {
  uint32_t frame = 0;
  std::vector<std::string> members;
};

// "frame 399: the state differs from the replay's; members: side1, score"
std::string DescribeMismatch(const HashMismatch& mismatch);

class ReplayPlayer {
 public:
  explicit ReplayPlayer(const Replay& replay) : replay_(replay) {}

  // Puts the replay's starting state in place (the reader has checked the document).
  void Start(GameState& state, RandomState& random) const;
  bool Done() const { return run_ >= replay_.runs.size(); }
  // The keys of the next frame; call only while not Done.
  const InputFrame& NextFrame();
  // The state after that frame; false with `mismatch` filled when it holds a hash that differs.
  bool FrameRan(const GameState& state, const RandomState& random, HashMismatch& mismatch);

 private:
  const Replay& replay_;
  size_t run_ = 0;
  uint32_t frameInRun_ = 0;
  uint32_t frame_ = 0;  // frames handed out
  size_t checkpoint_ = 0;
};
