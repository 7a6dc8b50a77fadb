// Snapshots, prediction and reruns.
#include "net/rollback.h"

#include <algorithm>

Rollback::Rollback(SteppedGame& game, bool localIsHost, int inputDelay)
    : game_(game),
      localIsHost_(localIsHost),
      inputDelay_(std::clamp(inputDelay, 0, MaxInputDelay)) {
  for (int32_t frame = 0; frame < inputDelay_; ++frame) {
    local_[frame % MaskRing] = {frame, 0};
    remote_[frame % MaskRing] = {frame, 0};
  }
  confirmedRemote_ = inputDelay_ - 1;
  game_.Save(SlotOf(0));
}

AdvanceResult Rollback::Advance(ActionMask localMask) {
  if (nextFrame_ - confirmedRemote_ > MaxRollbackFrames) {
    return AdvanceResult::Stalled;
  }
  const int32_t target = nextFrame_ + inputDelay_;
  local_[target % MaskRing] = {target, static_cast<ActionMask>(localMask & AllActionBits)};
  Settle();
  PlayFrame(nextFrame_, FrameRun::First);
  ++nextFrame_;
  return AdvanceResult::Ran;
}

void Rollback::ReceiveRemote(int32_t frame, ActionMask mask) {
  if (frame <= confirmedRemote_ || frame >= nextFrame_ + RemoteAhead ||
      KnownRemote(frame) != nullptr) {
    return;
  }
  remote_[frame % MaskRing] = {frame, static_cast<ActionMask>(mask & AllActionBits)};
  while (const TaggedMask* next = KnownRemote(confirmedRemote_ + 1)) {
    ++confirmedRemote_;
    confirmedRemoteMask_ = next->mask;
  }
  FindStaleFrame(frame);
}

void Rollback::Settle() {
  if (staleFrom_ != NoRollback) {
    RerunFrom(staleFrom_);
  }
}

ActionMask Rollback::LocalMask(int32_t frame) const {
  if (frame < 0) {
    return 0;
  }
  const TaggedMask& entry = local_[frame % MaskRing];
  return entry.frame == frame ? entry.mask : 0;
}

int32_t Rollback::ConfirmedFrame() const {
  return std::min({confirmedRemote_, nextFrame_ - 1, staleFrom_ - 1});
}

uint64_t Rollback::ConfirmedStateHash() const {
  return game_.SavedHash(SlotOf(ConfirmedFrame() + 1));
}

FrameMasks Rollback::MasksOf(int32_t frame) const {
  const ActionMask local = LocalMask(frame);
  const ActionMask remote = RemoteMaskFor(frame);
  return localIsHost_ ? FrameMasks{local, remote} : FrameMasks{remote, local};
}

const Rollback::TaggedMask* Rollback::KnownRemote(int32_t frame) const {
  if (frame < 0) {
    return nullptr;
  }
  const TaggedMask& entry = remote_[frame % MaskRing];
  return entry.frame == frame ? &entry : nullptr;
}

ActionMask Rollback::RemoteMaskFor(int32_t frame) const {
  for (int32_t earlier = frame; earlier > confirmedRemote_; --earlier) {
    if (const TaggedMask* known = KnownRemote(earlier)) {
      return known->mask;
    }
  }
  if (frame <= confirmedRemote_) {
    const TaggedMask* known = KnownRemote(frame);
    return known != nullptr ? known->mask : confirmedRemoteMask_;
  }
  return confirmedRemoteMask_;
}

void Rollback::PlayFrame(int32_t frame, FrameRun run) {
  usedRemote_[SlotOf(frame)] = RemoteMaskFor(frame);
  const FrameMasks masks = MasksOf(frame);
  game_.Step(frame, masks.host, masks.guest, run);
  game_.Save(SlotOf(frame + 1));
}

void Rollback::RerunFrom(int32_t frame) {
  staleFrom_ = NoRollback;
  game_.Restore(SlotOf(frame));
  for (int32_t rerun = frame; rerun < nextFrame_; ++rerun) {
    PlayFrame(rerun, FrameRun::Again);
  }
  const int depth = nextFrame_ - frame;
  ++stats_.rollbacks;
  stats_.framesRerun += depth;
  stats_.deepest = std::max(stats_.deepest, depth);
}

void Rollback::FindStaleFrame(int32_t from) {
  for (int32_t frame = std::max(from, nextFrame_ - MaxRollbackFrames);
       frame < std::min(nextFrame_, staleFrom_); ++frame) {
    if (RemoteMaskFor(frame) != usedRemote_[SlotOf(frame)]) {
      staleFrom_ = frame;
      return;
    }
  }
}
