// The opponent's action masks as its Inputs messages bring them, per frame. Packets come late,
// twice or out of order and resend what came before: a frame already held is harmless, one too
// far ahead of or behind what is held is dropped, and one that contradicts what is held is
// dropped too (a mask, once known, is never changed). Each drop is counted.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "net/protocol.h"

// Frames taken ahead of the last one held for sure: a full packet past the rollback window.
constexpr int MaxFramesAhead = MaxRollbackFrames + MaxInputsPerPacket;

struct InboxCounts {
  uint64_t learned = 0;         // masks of frames not held before
  uint64_t duplicates = 0;      // masks of frames already held, equal to what was held
  uint64_t outOfWindow = 0;     // masks of frames too far ahead or long past, dropped
  uint64_t contradictions = 0;  // masks differing from the one held for their frame, dropped
};

class InputInbox {
 public:
  // The earliest frame learned from this message, if it taught anything new.
  std::optional<int32_t> Take(const InputsMessage& inputs);

  // The mask of a frame, if known and still held (the last HistoryFrames frames).
  std::optional<uint8_t> Mask(int32_t frame) const;
  // The last frame f such that the masks of frames 0..f are all known; NoFrame before frame 0.
  int32_t ConfirmedFrame() const { return confirmed_; }
  // The latest of what the opponent reported: our last frame it holds for sure, its own frame.
  int32_t RemoteConfirmedFrame() const { return remoteConfirmed_; }
  int32_t RemoteCurrentFrame() const { return remoteCurrent_; }
  const InboxCounts& Counts() const { return counts_; }

  static constexpr int HistoryFrames = 128;

 private:
  struct Slot {
    int32_t frame = NoFrame;
    uint8_t mask = 0;
  };
  void TakeMask(int32_t frame, uint8_t mask, std::optional<int32_t>& earliest);
  Slot& SlotOf(int32_t frame) { return slots_[static_cast<size_t>(frame) % HistoryFrames]; }
  const Slot& SlotOf(int32_t frame) const {
    return slots_[static_cast<size_t>(frame) % HistoryFrames];
  }

  std::array<Slot, HistoryFrames> slots_{};
  int32_t confirmed_ = NoFrame;
  int32_t remoteConfirmed_ = NoFrame;
  int32_t remoteCurrent_ = 0;
  InboxCounts counts_;
};
