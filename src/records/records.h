// The player's records: the ten best solo distances of each start, and the wins and losses
// against the computer of each start. Kept in memory here; records_file.h reads and writes them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The starts records are kept for; games of the test start make none.
enum class RecordStart : uint8_t { Normal = 0, Hard = 1 };
constexpr std::array<RecordStart, 2> RecordStarts = {RecordStart::Normal, RecordStart::Hard};
constexpr size_t SoloTableSize = 10;

// "normal" or "hard", as the records file and the listing name the start.
constexpr std::string_view RecordStartName(RecordStart start) {
  return start == RecordStart::Normal ? "normal" : "hard";
}

struct SoloRecord {
  int32_t distance = 0;  // km, above 0
  int64_t date = 0;      // UTC seconds when the game began
  std::string replay;    // the file name of its replay's copy kept for the records; empty: none

  bool operator==(const SoloRecord&) const = default;
};

struct ComputerTally {
  uint32_t wins = 0;
  uint32_t losses = 0;

  bool operator==(const ComputerTally&) const = default;
};

struct Records {
  // By start: best first, at most SoloTableSize; of two equal distances the earlier game first.
  std::array<std::vector<SoloRecord>, 2> solo;
  std::array<ComputerTally, 2> computer;

  std::vector<SoloRecord>& Solo(RecordStart start) { return solo[static_cast<size_t>(start)]; }
  const std::vector<SoloRecord>& Solo(RecordStart start) const {
    return solo[static_cast<size_t>(start)];
  }
  ComputerTally& Computer(RecordStart start) { return computer[static_cast<size_t>(start)]; }
  const ComputerTally& Computer(RecordStart start) const {
    return computer[static_cast<size_t>(start)];
  }
  bool operator==(const Records&) const = default;
};

// A plain file name the records file can hold: no blank, control character, '/' or '#', and not
// "." or "..".
bool IsRecordReplayName(std::string_view name);
// Whether the records file can hold the entry: a distance above 0, a date in the years 0000 to
// 9999 and a replay name that is empty or a record replay name.
bool IsWritableRecord(const SoloRecord& entry);

// The rank, 1 to SoloTableSize, a game of `distance` ending now would take in the start's table;
// 0 when it would not make it (a distance of 0 makes none).
int SoloRank(const Records& records, RecordStart start, int32_t distance);
// Puts the entry in the start's table below the entries of the same distance or more. Returns its
// rank, or 0 when it does not make the table or cannot be written (the table unchanged); sets
// `fellOff` to the entry pushed out of a full table, if any.
int AddSoloRecord(Records& records, RecordStart start, SoloRecord entry,
                  std::optional<SoloRecord>& fellOff);
// Counts a match against the computer won or lost by the player; a count stops at its largest.
void AddComputerResult(Records& records, RecordStart start, bool won);
