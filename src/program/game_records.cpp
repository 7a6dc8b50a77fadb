#include "program/game_records.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/atomic_file.h"
#include "program/record_replays.h"
#include "program/records_loading.h"
#include "records/records_file.h"
#include "services/texts.h"

namespace fs = std::filesystem;

namespace {

// The start a game's records go under; none for the test start.
std::optional<RecordStart> RecordStartOf(const ReplaySummary& summary) {
  switch (summary.start) {
    case ReplayStart::Normal:
      return RecordStart::Normal;
    case ReplayStart::Hard:
      return RecordStart::Hard;
    case ReplayStart::Test:
      break;
  }
  return std::nullopt;
}

// Whether an entry of either table still names the replay.
bool Named(const Records& records, const std::string& replay) {
  return std::any_of(records.solo.begin(), records.solo.end(), [&](const auto& table) {
    return std::any_of(table.begin(), table.end(),
                       [&](const SoloRecord& entry) { return entry.replay == replay; });
  });
}

}  // namespace

RecordKeeper::RecordKeeper(fs::path file, fs::path replaysFolder)
    : file_(std::move(file)), replaysFolder_(std::move(replaysFolder)) {}

int RecordKeeper::Keep(const fs::path& savedReplay, const ReplaySummary& summary) {
  const std::optional<RecordStart> start = RecordStartOf(summary);
  const bool solo = summary.playMode == 's' && summary.result == ReplayResult::SoloOver;
  const bool match = summary.playMode == 'c' && (summary.result == ReplayResult::Player1Won ||
                                                 summary.result == ReplayResult::Player2Won);
  // Read afresh: another window of the game may have kept a game since.
  if (!start || !(solo || match) || !Read()) {
    return 0;
  }
  if (solo) {
    return KeepSolo(*start, savedReplay, summary);
  }
  AddComputerResult(records_, *start, summary.result == ReplayResult::Player1Won);
  Write();
  return 0;
}

int RecordKeeper::RankOf(const ReplaySummary& summary) {
  const std::optional<RecordStart> start = RecordStartOf(summary);
  if (summary.playMode != 's' || !start || (!read_ && !Read())) {
    return 0;
  }
  return usable_ ? SoloRank(records_, *start, summary.score) : 0;
}

bool RecordKeeper::Read() {
  read_ = true;
  usable_ = false;
  records_ = Records{};
  if (file_.empty()) {
    if (FirstTrouble()) {
      std::fprintf(stderr, "astorine: %s\n",
                   Tr("no records are kept: set HOME or XDG_DATA_HOME to an absolute path"));
    }
    return false;
  }
  std::vector<std::string> messages;
  usable_ = LoadRecordsFile(file_, records_, messages) && messages.empty();
  // A file the player may have edited is never written over what could not be read of it.
  if (!usable_ && FirstTrouble()) {
    for (const std::string& message : messages) {
      std::fprintf(stderr, "astorine: %s\n", message.c_str());
    }
    std::fprintf(stderr,
                 Tr("astorine: %s is left as it is; no record is kept until it is mended\n"),
                 file_.c_str());
  }
  return usable_;
}

int RecordKeeper::KeepSolo(RecordStart start, const fs::path& savedReplay,
                           const ReplaySummary& summary) {
  if (SoloRank(records_, start, summary.score) == 0) {
    return 0;
  }
  SoloRecord entry{summary.score, summary.date, ""};
  if (!savedReplay.empty() && !replaysFolder_.empty()) {
    std::string error;
    entry.replay = KeepRecordReplay(savedReplay, replaysFolder_, error);
    if (entry.replay.empty() && FirstTrouble()) {
      std::fprintf(stderr, Tr("astorine: the replay of a record cannot be kept in %s: %s\n"),
                   replaysFolder_.c_str(), error.c_str());
    }
  }
  std::optional<SoloRecord> fellOff;
  const int rank = AddSoloRecord(records_, start, entry, fellOff);
  if (rank == 0 || !Write()) {
    DropRecordReplay(replaysFolder_, entry.replay);
    return 0;
  }
  if (fellOff && !Named(records_, fellOff->replay)) {
    DropRecordReplay(replaysFolder_, fellOff->replay);
  }
  return rank;
}

bool RecordKeeper::Write() {
  std::string error;
  if (MakeFolders(file_.parent_path(), error) && ReplaceFile(file_, RecordsText(records_), error)) {
    return true;
  }
  // What is held now is not what the file holds: the next question reads the file again.
  read_ = false;
  if (FirstTrouble()) {
    std::fprintf(stderr, Tr("astorine: the records cannot be saved in %s: %s\n"), file_.c_str(),
                 error.c_str());
  }
  return false;
}

bool RecordKeeper::FirstTrouble() {
  const bool first = !troubleTold_;
  troubleTold_ = true;
  return first;
}
