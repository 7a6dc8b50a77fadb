// Rollback: each machine runs the whole match, the remote player's late masks predicted, and a
// frame run on a wrong prediction restored from its snapshot and run again silently.
#pragma once
#include <array>
#include <cstdint>

#include "net/stepped_game.h"

struct FrameMasks {
  ActionMask host = 0;
  ActionMask guest = 0;
  bool operator==(const FrameMasks&) const = default;
};

struct RollbackStats {
  int64_t rollbacks = 0;
  int64_t framesRerun = 0;  // the sum of all rollbacks' depths
  int deepest = 0;
  double MeanDepth() const {
    return rollbacks > 0 ? static_cast<double>(framesRerun) / rollbacks : 0.0;
  }
};

enum class AdvanceResult {
  Ran,
  Stalled,  // the next frame would be too far ahead of the remote's confirmed masks
};

class Rollback {
 public:
  // The game stands at the online start; frame 0 runs next. Both machines must use the same
  // input delay: the first `inputDelay` frames of both players are empty.
  Rollback(SteppedGame& game, bool localIsHost, int inputDelay);

  // Takes the local mask pressed now (used `inputDelay` frames later), makes any rollback a late
  // remote mask asks for, then runs the next frame. Stalled, with nothing taken or run, while the
  // next frame would be more than MaxRollbackFrames ahead of the last confirmed remote frame.
  AdvanceResult Advance(ActionMask localMask);
  // The remote player's mask for `frame`. Frames already confirmed, or not within 64 frames
  // ahead, are ignored, as are bits beyond the five actions.
  void ReceiveRemote(int32_t frame, ActionMask mask);
  // Makes any rollback due without running a new frame: the game then stands after the last
  // frame run, every frame of it run with the masks now known.
  void Settle();

  int32_t NextFrame() const { return nextFrame_; }
  int InputDelay() const { return inputDelay_; }
  // The local mask used for `frame`, known up to LastLocalFrame(): what the packets carry.
  ActionMask LocalMask(int32_t frame) const;
  int32_t LastLocalFrame() const { return nextFrame_ + inputDelay_ - 1; }
  // Every remote mask up to this frame is known (-1 when none is).
  int32_t LastConfirmedRemoteFrame() const { return confirmedRemote_; }
  // The last frame run with both players' true masks (-1: none), and the hash of the state
  // after it (the online start's for -1): both machines agree on it unless they desynced.
  int32_t ConfirmedFrame() const;
  uint64_t ConfirmedStateHash() const;
  // Both players' masks of a frame within the last 100: the true ones up to ConfirmedFrame()
  // (what a replay records), the prediction past it.
  FrameMasks MasksOf(int32_t frame) const;
  const RollbackStats& Stats() const { return stats_; }

 private:
  struct TaggedMask {
    int32_t frame = -1;
    ActionMask mask = 0;
  };
  static constexpr int32_t MaskRing = 128;    // remote and local masks kept, by frame
  static constexpr int32_t RemoteAhead = 64;  // how far ahead of the present remote masks go
  static constexpr int32_t NoRollback = INT32_MAX;

  const TaggedMask* KnownRemote(int32_t frame) const;
  // The confirmed remote mask, or the prediction: the latest mask known before the frame.
  ActionMask RemoteMaskFor(int32_t frame) const;
  void PlayFrame(int32_t frame, FrameRun run);
  void RerunFrom(int32_t frame);
  void FindStaleFrame(int32_t from);
  static int SlotOf(int32_t frame) { return frame % SnapshotSlots; }

  SteppedGame& game_;
  const bool localIsHost_;
  const int inputDelay_;
  int32_t nextFrame_ = 0;
  int32_t confirmedRemote_ = -1;
  ActionMask confirmedRemoteMask_ = 0;
  int32_t staleFrom_ = NoRollback;  // the first frame run on a remote mask since found wrong
  std::array<TaggedMask, MaskRing> remote_{};
  std::array<TaggedMask, MaskRing> local_{};
  std::array<ActionMask, SnapshotSlots> usedRemote_{};  // the remote mask each recent frame ran on
  RollbackStats stats_;
};
