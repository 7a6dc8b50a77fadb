#include "net/input_outbox.h"

#include <algorithm>

void InputOutbox::Add(uint8_t mask) {
  masks_[static_cast<size_t>(next_) % HistoryFrames] = mask & InputMaskBits;
  ++next_;
}

InputsMessage InputOutbox::Next(int32_t remoteConfirmed, int32_t localConfirmed,
                                int32_t currentFrame) const {
  int32_t oldestHeld = std::max(0, next_ - HistoryFrames);
  int32_t first = std::clamp(remoteConfirmed + 1, oldestHeld, next_);
  int32_t count = std::min(next_ - first, MaxInputsPerPacket);
  InputsMessage message{first, {}, localConfirmed, currentFrame};
  for (int32_t frame = first; frame < first + count; ++frame) {
    message.masks.push_back(masks_[static_cast<size_t>(frame) % HistoryFrames]);
  }
  return message;
}
