#include "program/game_recorder.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "program/replay_shelf.h"
#include "scenes/scene_state.h"
#include "services/texts.h"

GameRecorder::GameRecorder(std::filesystem::path folder, size_t keep, RecordKeeper* records)
    : folder_(std::move(folder)), keep_(keep), records_(records) {}

void GameRecorder::BeforeFrame(const InputFrame& keys) {
  keys_ = keys;
  if (recording_) {
    recorder_.RecordFrame(keys);
  } else if (Game.CurrentScene == SceneTitle) {
    titleState_ = Game;
    titleRandom_ = Random;
  }
}

bool GameRecorder::AfterFrame() {
  if (!recording_) {
    if (Game.CurrentScene == SceneTitle) {
      return false;
    }
    // The title handed over during this frame: the replay starts where that frame started.
    recorder_.Begin(titleState_, titleRandom_);
    recorder_.RecordFrame(keys_);
    recording_ = true;
    began_ = static_cast<int64_t>(std::time(nullptr));
  }
  recorder_.FrameRan(Game, Random);
  return Game.CurrentScene == SceneTitle && Save();
}

bool GameRecorder::SaveGameInProgress() {
  return recording_ && Save();
}

int GameRecorder::RecordRank() const {
  return recording_ && records_ != nullptr ? records_->RankOf(recorder_.Summary()) : 0;
}

bool GameRecorder::Save() {
  recording_ = false;
  const Replay replay = recorder_.Finish(Game, Random, began_);
  std::string error = Tr("no home folder (HOME is not set)");
  const std::filesystem::path saved =
      folder_.empty() ? folder_ : ShelveReplay(folder_, replay, keep_, error);
  lastRecordRank_ = records_ == nullptr ? 0 : records_->Keep(saved, replay.summary);
  if (!saved.empty()) {
    lastSaved_ = saved;
    return true;
  }
  if (!failureReported_) {
    failureReported_ = true;
    std::fprintf(stderr,
                 Tr("astorine: replays cannot be saved in %s: %s; play goes on without them\n"),
                 folder_.empty() ? Tr("the replays folder") : folder_.c_str(), error.c_str());
  }
  return false;
}
