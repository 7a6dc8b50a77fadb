// The player's records kept up to date as the games played in the window end: the ten longest
// solo games of each start, their replays kept apart, and the matches won and lost against the
// computer.
#pragma once
#include <filesystem>

#include "records/records.h"
#include "replay/replay.h"

class RecordKeeper {
 public:
  // The records file and the folder their replays are kept in; an empty file (no home to find it
  // in) keeps nothing and says so once.
  RecordKeeper(std::filesystem::path file, std::filesystem::path replaysFolder);

  // Keeps the game that just ended, its replay saved at `savedReplay` (empty when it could not
  // be): a solo game of the normal or hard start that reached game over goes to its start's table,
  // a match against the computer of those starts won or lost to its start's tally; other games
  // are not recorded. Reads the file afresh and writes it back whole. Returns the game's rank in
  // the solo table, 0 when it has none.
  int Keep(const std::filesystem::path& savedReplay, const ReplaySummary& summary);
  // The rank the solo game `summary` describes would take in the records as last read or saved:
  // at game over, the rank keeping it will give. 0 for none, or for another kind of game.
  int RankOf(const ReplaySummary& summary);

 private:
  bool Read();
  int KeepSolo(RecordStart start, const std::filesystem::path& savedReplay,
               const ReplaySummary& summary);
  bool Write();
  // True the first time only: troubles are told once, however many games meet them.
  bool FirstTrouble();

  std::filesystem::path file_;
  std::filesystem::path replaysFolder_;
  Records records_;
  bool read_ = false;    // records_ holds the file as last read or written
  bool usable_ = false;  // the file read whole: it may be written
  bool troubleTold_ = false;
};
