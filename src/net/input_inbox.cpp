#include "net/input_inbox.h"

#include <algorithm>
#include <limits>

static_assert(InputInbox::HistoryFrames > MaxFramesAhead + MaxRollbackFrames,
              "the inbox must hold every frame a rollback can replay");

std::optional<int32_t> InputInbox::Take(const InputsMessage& inputs) {
  std::optional<int32_t> earliest;
  for (size_t i = 0; i < inputs.masks.size(); ++i) {
    TakeMask(inputs.firstFrame + static_cast<int32_t>(i), inputs.masks[i], earliest);
  }
  // Reordered packets carry older reports: only ever move forward.
  remoteConfirmed_ = std::max(remoteConfirmed_, inputs.lastConfirmedFrame);
  remoteCurrent_ = std::max(remoteCurrent_, inputs.currentFrame);
  return earliest;
}

void InputInbox::TakeMask(int32_t frame, uint8_t mask, std::optional<int32_t>& earliest) {
  // Widened: a frame near the top of the range must not wrap around.
  int64_t newestHeld = int64_t{confirmed_} + MaxFramesAhead;
  if (frame > newestHeld || frame <= newestHeld - HistoryFrames) {
    ++counts_.outOfWindow;
    return;
  }
  Slot& slot = SlotOf(frame);
  if (slot.frame == frame) {
    ++(slot.mask == mask ? counts_.duplicates : counts_.contradictions);
    return;
  }
  slot = Slot{frame, mask};
  ++counts_.learned;
  if (!earliest || frame < *earliest) {
    earliest = frame;
  }
  while (confirmed_ < std::numeric_limits<int32_t>::max() &&
         SlotOf(confirmed_ + 1).frame == confirmed_ + 1) {
    ++confirmed_;
  }
}

std::optional<uint8_t> InputInbox::Mask(int32_t frame) const {
  if (frame < 0 || SlotOf(frame).frame != frame) {
    return std::nullopt;
  }
  return SlotOf(frame).mask;
}
