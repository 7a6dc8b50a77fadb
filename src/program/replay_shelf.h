// The replays folder: every game saved under a name that says when it began and what it was,
// the newest 50 kept.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "replay/replay.h"

constexpr size_t KeptReplays = 50;

// "2026-12-07-053812": the local time of `date` (UTC seconds); empty past the year 9999.
std::string ReplayTimeStamp(int64_t date);
// "2026-12-07-053812-solo-score-1200.replay", from the summary, its date the time the game began.
std::string ReplayFileName(const ReplaySummary& summary);
// Whether `name` is one the game gives; only those are ever removed to keep the newest.
bool IsKeptReplayName(std::string_view name);

// Saves `replay` in `folder` (made if missing) under its name, or with "-2", "-3"... before
// ".replay" when another game began in the same second. Then removes the oldest of the game's
// replays beyond `keep`, and temporary files that writers killed part-way left behind. Returns
// the path saved, or empty with `error` set.
std::filesystem::path ShelveReplay(const std::filesystem::path& folder, const Replay& replay,
                                   size_t keep, std::string& error);
