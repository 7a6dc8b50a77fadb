// Counting a replay's frames and naming what it holds.
#include "replay/replay.h"

uint32_t Replay::FrameCount() const {
  uint64_t frames = 0;
  for (const InputRun& run : runs) {
    frames += run.frames;
  }
  return static_cast<uint32_t>(frames);
}

std::string ReplayModeName(const ReplaySummary& summary) {
  std::string mode;
  switch (summary.playMode) {
    case 's':
      mode = "solo";
      break;
    case 'p':
      mode = "two";
      break;
    case 'c':
      mode = "computer";
      break;
    default:
      return "title";
  }
  if (summary.start == ReplayStart::Hard) {
    mode += "-hard";
  } else if (summary.start == ReplayStart::Test) {
    mode += "-test";
  }
  return mode;
}

std::string ReplayResultName(const ReplaySummary& summary) {
  switch (summary.result) {
    case ReplayResult::SoloOver:
      return "score-" + std::to_string(summary.score);
    case ReplayResult::Player1Won:
      return "player1-won";
    case ReplayResult::Player2Won:
      return "player2-won";
    default:
      return "unfinished";
  }
}
