// A replay in memory: where a run started, the keys of each of its frames, hashes of its state
// along the way and what the game was. replay_file.h reads and writes it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "services/input_frame.h"

// Limits checked before anything is allocated: 64 MiB and ten hours at 40 frames a second.
constexpr uint32_t MaxReplayBytes = 64u << 20;
constexpr uint32_t MaxReplayFrames = 10u * 3600u * 40u;
// A state hash is recorded after every 200th frame and after the last.
constexpr uint32_t CheckpointPeriod = 200;

enum class ReplayStart : uint8_t { Normal = 0, Hard = 1, Test = 2 };
enum class ReplayResult : uint8_t { Unfinished = 0, SoloOver = 1, Player1Won = 2, Player2Won = 3 };

// The last game begun in the recording: its play mode as the title names it ('s', 'p', 'c'; 0
// when no game began), how it was started, how it ended and its score.
struct ReplaySummary {
  uint8_t playMode = 0;
  ReplayStart start = ReplayStart::Normal;
  ReplayResult result = ReplayResult::Unfinished;
  int32_t score = 0;
  int64_t date = 0;  // UTC seconds since 1970, given by whoever saved it

  bool operator==(const ReplaySummary&) const = default;
};

// Consecutive frames holding the same keys.
struct InputRun {
  InputFrame keys;
  uint32_t frames = 0;

  bool operator==(const InputRun&) const = default;
};

// The state after frame `frame` (counted from 0): the whole state's hash and one hash per
// top-level member of the state document, so that a difference can be named.
struct StateCheckpoint {
  uint32_t frame = 0;
  uint64_t whole = 0;
  std::vector<uint32_t> members;

  bool operator==(const StateCheckpoint&) const = default;
};

struct Replay {
  uint16_t logicVersion = 0;
  ReplaySummary summary;
  std::string startState;  // the state document the first frame starts from, generator included
  std::vector<InputRun> runs;
  std::vector<StateCheckpoint> checkpoints;

  uint32_t FrameCount() const;
  bool operator==(const Replay&) const = default;
};

// "solo", "two-hard", "computer-test"; "title" when no game began.
std::string ReplayModeName(const ReplaySummary& summary);
// "score-1200", "player1-won", "player2-won"; "unfinished" for a game still running at the end.
std::string ReplayResultName(const ReplaySummary& summary);
