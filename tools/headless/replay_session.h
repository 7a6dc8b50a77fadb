// --record, --replay and --verify: the replay a headless run writes, or the one it plays and
// checks frame by frame.
#pragma once
#include <optional>
#include <string>

#include "options.h"
#include "replay/replay.h"
#include "replay/replay_player.h"
#include "replay/replay_recorder.h"
#include "services/input_frame.h"

class ReplaySession {
 public:
  explicit ReplaySession(const RunnerOptions& options) : options_(options) {}

  // Reads the --replay file; false with one line in `error`, and nothing plays.
  bool Load(std::string& error);
  // After start-up and --state-in: puts the replay's start in place, or begins the recording.
  void Start();
  bool Playing() const { return player_.has_value(); }
  // Playing, and every recorded frame has been played.
  bool Ended() const { return player_.has_value() && player_->Done(); }
  // The next recorded frame's keys.
  InputFrame NextFrame() { return player_->NextFrame(); }
  // The keys about to run, kept when recording.
  void Record(const InputFrame& keys) {
    if (!options_.record.empty()) {
      recorder_.RecordFrame(keys);
    }
  }
  // After each frame: feeds the recording, or compares a recorded hash under --verify. False,
  // with the frame and the differing members on stderr, when a hash differs.
  bool FrameRan();
  // After the last frame, under --verify: false (said on stderr) when the game ended before the
  // replay did.
  bool PlayedToTheEnd(long framesRun) const;
  // Writes the recording, if any; false (said on stderr) when it cannot be written.
  bool SaveRecording();

 private:
  const RunnerOptions& options_;
  Replay replay_;
  std::optional<ReplayPlayer> player_;
  ReplayRecorder recorder_;
};
