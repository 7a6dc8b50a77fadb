#include "program/replay_shelf.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <system_error>
#include <vector>

#include "platform/atomic_file.h"
#include "replay/replay_file.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Extension = ".replay";
// "2026-12-07-053812-"
constexpr size_t StampLength = 18;
// A write takes milliseconds: a temporary file this old was left by a writer that was killed.
constexpr auto StaleTemporaryAge = std::chrono::minutes(10);

bool DigitsAt(std::string_view text, size_t from, size_t count) {
  return std::all_of(text.begin() + static_cast<long>(from),
                     text.begin() + static_cast<long>(from + count),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// The replay writer's temporary files are "NAME.replay.XXXXXX".
bool IsTemporaryName(std::string_view name) {
  const size_t at = name.rfind(Extension);
  return at != std::string_view::npos && at + Extension.size() + 7 == name.size() &&
         name[at + Extension.size()] == '.' &&
         IsKeptReplayName(name.substr(0, at + Extension.size()));
}

void RemoveStaleTemporaries(const std::vector<fs::directory_entry>& entries) {
  const auto now = fs::file_time_type::clock::now();
  for (const fs::directory_entry& entry : entries) {
    std::error_code ignored;
    const auto written = entry.last_write_time(ignored);
    if (!ignored && IsTemporaryName(entry.path().filename().string()) &&
        now - written > StaleTemporaryAge) {
      fs::remove(entry.path(), ignored);
    }
  }
}

// Names begin with the time, so the oldest sort first.
void RemoveOldest(const std::vector<fs::directory_entry>& entries, size_t keep) {
  std::vector<fs::path> kept;
  for (const fs::directory_entry& entry : entries) {
    if (IsKeptReplayName(entry.path().filename().string())) {
      kept.push_back(entry.path());
    }
  }
  if (kept.size() <= keep) {
    return;
  }
  std::sort(kept.begin(), kept.end());
  for (size_t i = 0; i + keep < kept.size(); ++i) {
    std::error_code ignored;
    fs::remove(kept[i], ignored);
  }
}

void Tidy(const fs::path& folder, size_t keep) {
  std::error_code error;
  std::vector<fs::directory_entry> entries;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    entries.push_back(*it);
  }
  RemoveStaleTemporaries(entries);
  RemoveOldest(entries, keep);
}

fs::path FreeName(const fs::path& folder, const std::string& name) {
  const std::string stem = name.substr(0, name.size() - Extension.size());
  fs::path path = folder / name;
  std::error_code ignored;
  for (int n = 2; fs::exists(path, ignored); ++n) {
    path = folder / (stem + "-" + std::to_string(n) + std::string(Extension));
  }
  return path;
}

}  // namespace

std::string ReplayTimeStamp(int64_t date) {
  const auto when = static_cast<std::time_t>(date);
  std::tm local{};
  char stamp[64];
  // A year beyond 9999 or before 0: no stamp rather than a wrong one.
  if (localtime_r(&when, &local) == nullptr ||
      std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local) != StampLength - 1) {
    return "";
  }
  return stamp;
}

std::string ReplayFileName(const ReplaySummary& summary) {
  const std::string stamp = ReplayTimeStamp(summary.date);
  return (stamp.empty() ? stamp : stamp + "-") + ReplayModeName(summary) + "-" +
         ReplayResultName(summary) + std::string(Extension);
}

bool IsKeptReplayName(std::string_view name) {
  if (name.size() <= StampLength + Extension.size() || !name.ends_with(Extension)) {
    return false;
  }
  return DigitsAt(name, 0, 4) && name[4] == '-' && DigitsAt(name, 5, 2) && name[7] == '-' &&
         DigitsAt(name, 8, 2) && name[10] == '-' && DigitsAt(name, 11, 6) && name[17] == '-';
}

fs::path ShelveReplay(const fs::path& folder, const Replay& replay, size_t keep,
                      std::string& error) {
  if (!MakeFolders(folder, error)) {
    return {};
  }
  const fs::path path = FreeName(folder, ReplayFileName(replay.summary));
  if (!WriteReplayFile(path.string(), replay, error)) {
    return {};
  }
  Tidy(folder, keep);
  return path;
}
