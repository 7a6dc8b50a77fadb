// Snapshots and steps of the real game.
#include "net/live_game.h"

#include "gfx/draw_silence.h"
#include "scenes/scene_machine.h"
#include "services/keyboard.h"
#include "state/state_hash.h"

LiveGame::LiveGame(void (*runNewFrame)(), void (*afterEveryRun)(int32_t frame))
    : runNewFrame_(runNewFrame != nullptr ? runNewFrame : StepFrame),
      afterEveryRun_(afterEveryRun),
      snapshots_(std::make_unique<std::array<Snapshot, SnapshotSlots>>()) {}

void LiveGame::Save(int slot) {
  Snapshot& snapshot = snapshots_->at(slot);
  snapshot.game = Game;
  snapshot.random = Random;
}

void LiveGame::Restore(int slot) {
  const Snapshot& snapshot = snapshots_->at(slot);
  Game = snapshot.game;
  Random = snapshot.random;
}

uint64_t LiveGame::SavedHash(int slot) const {
  const Snapshot& snapshot = snapshots_->at(slot);
  return HashState(snapshot.game, snapshot.random).whole;
}

void LiveGame::Step(int32_t frame, ActionMask hostMask, ActionMask guestMask, FrameRun run) {
  SetFrameInput(OnlineFrame(hostMask, guestMask));
  BeginSoundFrame(static_cast<uint32_t>(frame), run);
  if (run == FrameRun::Again) {
    SilenceDrawing(true);
    StepFrame();
    SilenceDrawing(false);
  } else {
    runNewFrame_();
  }
  if (afterEveryRun_ != nullptr) {
    afterEveryRun_(frame);
  }
  BeginSoundFrame(static_cast<uint32_t>(frame), FrameRun::Untracked);
}
