// Recording, playing and verifying replays in a headless run.
#include "replay_session.h"

#include <cstdio>
#include <ctime>

#include "replay/replay_file.h"
#include "scenes/game_state.h"
#include "services/random.h"

bool ReplaySession::Load(std::string& error) {
  if (options_.replay.empty()) {
    return true;
  }
  if (!ReadReplayFile(options_.replay, replay_, error)) {
    error = options_.replay + ": " + error;
    return false;
  }
  return true;
}

void ReplaySession::Start() {
  if (!options_.replay.empty()) {
    player_.emplace(replay_);
    player_->Start(Game, Random);
  }
  if (!options_.record.empty()) {
    recorder_.Begin(Game, Random);
  }
}

bool ReplaySession::FrameRan() {
  if (!options_.record.empty()) {
    recorder_.FrameRan(Game, Random);
  }
  HashMismatch mismatch;
  if (!options_.verify || player_->FrameRan(Game, Random, mismatch)) {
    return true;
  }
  std::fprintf(stderr, "astorine-headless: %s\n", DescribeMismatch(mismatch).c_str());
  return false;
}

bool ReplaySession::PlayedToTheEnd(long framesRun) const {
  if (!options_.verify || options_.framesGiven ||
      framesRun >= static_cast<long>(replay_.FrameCount())) {
    return true;
  }
  std::fprintf(stderr,
               "astorine-headless: frame %ld: the game ended before the replay's %u frames\n",
               framesRun - 1, replay_.FrameCount());
  return false;
}

bool ReplaySession::SaveRecording() {
  if (options_.record.empty()) {
    return true;
  }
  std::string error;
  Replay replay = recorder_.Finish(Game, Random, static_cast<int64_t>(std::time(nullptr)));
  if (!WriteReplayFile(options_.record, replay, error)) {
    std::fprintf(stderr, "astorine-headless: %s could not be written: %s\n",
                 options_.record.c_str(), error.c_str());
    return false;
  }
  return true;
}
