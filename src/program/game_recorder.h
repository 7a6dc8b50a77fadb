// Every game played in the window, recorded from the frame the title hands over to the start
// screen and saved in the replays folder when it returns to the title or the program ends.
#pragma once
#include <filesystem>
#include <optional>

#include "program/game_records.h"
#include "replay/replay_recorder.h"
#include "scenes/game_state.h"
#include "services/input_frame.h"
#include "services/random.h"

class GameRecorder {
 public:
  // Saves into `folder`; an empty folder (no home to find it in) is reported on the first save.
  // With `records`, each game saved is then kept in the records, whether its replay was saved
  // or not.
  explicit GameRecorder(std::filesystem::path folder, size_t keep, RecordKeeper* records = nullptr);

  // Around each frame the game runs, with the keys it runs with.
  void BeforeFrame(const InputFrame& keys);
  // True when the frame ended a game and its replay was saved.
  bool AfterFrame();
  // The program ends: the game being played, if any, is saved as it stands; true when saved.
  bool SaveGameInProgress();

  // The last replay saved; empty before the first.
  const std::filesystem::path& LastSaved() const { return lastSaved_; }
  // The rank in the solo records of the game being played as it stands: at game over, the rank
  // it takes when it is saved. 0 when it has none, or with no records kept.
  int RecordRank() const;
  // The rank in the solo records of the last game saved; 0 when it took none.
  int LastRecordRank() const { return lastRecordRank_; }

 private:
  bool Save();

  std::filesystem::path folder_;
  size_t keep_;
  RecordKeeper* records_;
  int lastRecordRank_ = 0;
  ReplayRecorder recorder_;
  bool recording_ = false;
  bool failureReported_ = false;
  int64_t began_ = 0;
  // The state each title frame starts from: a game's replay starts from the frame that left it.
  GameState titleState_;
  RandomState titleRandom_;
  InputFrame keys_;
  std::filesystem::path lastSaved_;
};
