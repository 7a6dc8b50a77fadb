// What the rollback drives: the real game (LiveGame), or a stand-in in tests.
#pragma once
#include <cstdint>

#include "net/action_mask.h"
#include "net/net_limits.h"
#include "sound/frame_sounds.h"

// Snapshot slots: the states before each of the last MaxRollbackFrames frames and the present.
constexpr int SnapshotSlots = MaxRollbackFrames + 1;

class SteppedGame {
 public:
  virtual ~SteppedGame() = default;
  // Copies the whole present state into slot 0..SnapshotSlots-1, or back from it.
  virtual void Save(int slot) = 0;
  virtual void Restore(int slot) = 0;
  // The hash of the state saved in a slot, for the desync check.
  virtual uint64_t SavedHash(int slot) const = 0;
  // Runs online frame `frame` with both players' masks; an Again run draws nothing and starts no
  // sound its first run started.
  virtual void Step(int32_t frame, ActionMask hostMask, ActionMask guestMask, FrameRun run) = 0;
};
