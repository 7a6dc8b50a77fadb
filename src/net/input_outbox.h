// This side's action masks, frame by frame, and the Inputs message that sends the opponent what
// it does not hold yet: from the first frame it has not acknowledged, up to a packet's worth, so
// that a lost packet is made good by the next one and the opponent never waits on a frame that is
// never resent.
#pragma once
#include <array>
#include <cstdint>

#include "net/protocol.h"

class InputOutbox {
 public:
  // The mask of the next frame; frames count from 0.
  void Add(uint8_t mask);
  int32_t LastFrame() const { return next_ - 1; }

  // `remoteConfirmed`: the opponent's acknowledgement of our frames; `localConfirmed`: ours of
  // its frames; `currentFrame`: the frame this side runs. With nothing left to send, the message
  // carries no mask, only the acknowledgement and the frame.
  InputsMessage Next(int32_t remoteConfirmed, int32_t localConfirmed, int32_t currentFrame) const;

  static constexpr int HistoryFrames = 128;

 private:
  std::array<uint8_t, HistoryFrames> masks_{};
  int32_t next_ = 0;
};
