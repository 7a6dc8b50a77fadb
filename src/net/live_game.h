// The real game behind the rollback: snapshots of Game and Random, frames run by StepFrame.
#pragma once
#include <array>
#include <memory>

#include "net/stepped_game.h"
#include "scenes/game_state.h"
#include "services/random.h"

class LiveGame final : public SteppedGame {
 public:
  // `runNewFrame` runs a frame that is seen for the first time (in a window it also writes the
  // frame rate and traces the frame); StepFrame when nullptr. Reruns always use StepFrame.
  // `afterEveryRun`, when given, follows every run of a frame, first or again.
  explicit LiveGame(void (*runNewFrame)() = nullptr,
                    void (*afterEveryRun)(int32_t frame) = nullptr);

  void Save(int slot) override;
  void Restore(int slot) override;
  uint64_t SavedHash(int slot) const override;
  void Step(int32_t frame, ActionMask hostMask, ActionMask guestMask, FrameRun run) override;
  // The state saved in a slot, for the replay's record of confirmed frames.
  const GameState& SavedGame(int slot) const { return snapshots_->at(slot).game; }
  const RandomState& SavedRandom(int slot) const { return snapshots_->at(slot).random; }

 private:
  struct Snapshot {
    GameState game;
    RandomState random;
  };
  void (*runNewFrame_)();
  void (*afterEveryRun_)(int32_t frame);
  // On the heap: nine whole states are too large for the stack of whoever holds a LiveGame.
  std::unique_ptr<std::array<Snapshot, SnapshotSlots>> snapshots_;
};
