// Stepping through a replay's runs and comparing its hashes.
#include "replay/replay_player.h"

#include "services/formatted.h"
#include "services/texts.h"
#include "state/state_document.h"
#include "state/state_hash.h"

std::string DescribeMismatch(const HashMismatch& mismatch) {
  std::string members;
  for (const std::string& member : mismatch.members) {
    members += (members.empty() ? "" : ", ") + member;
  }
  return Formatted(Tr("frame %u: the state differs from the replay's; members: %s"), mismatch.frame,
                   members.empty() ? Tr("(the hash alone)") : members.c_str());
}

void ReplayPlayer::Start(GameState& state, RandomState& random) const {
  std::string error;
  ReadStateDocument(replay_.startState, state, random, error);
}

const InputFrame& ReplayPlayer::NextFrame() {
  const InputFrame& keys = replay_.runs[run_].keys;
  ++frame_;
  if (++frameInRun_ == replay_.runs[run_].frames) {
    ++run_;
    frameInRun_ = 0;
  }
  return keys;
}

bool ReplayPlayer::FrameRan(const GameState& state, const RandomState& random,
                            HashMismatch& mismatch) {
  if (checkpoint_ >= replay_.checkpoints.size() ||
      replay_.checkpoints[checkpoint_].frame + 1 != frame_) {
    return true;
  }
  const StateCheckpoint& recorded = replay_.checkpoints[checkpoint_++];
  StateHash now = HashState(state, random);
  if (now.whole == recorded.whole) {
    return true;
  }
  mismatch.frame = recorded.frame;
  mismatch.members.clear();
  const std::vector<std::string>& names = StateMemberNames();
  for (size_t i = 0; i < names.size() && i < recorded.members.size(); ++i) {
    if (now.members[i] != recorded.members[i]) {
      mismatch.members.push_back(names[i]);
    }
  }
  return false;
}
