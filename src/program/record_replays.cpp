#include "program/record_replays.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/atomic_file.h"
#include "records/records.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace fs = std::filesystem;

namespace {

fs::path FreePath(const fs::path& folder, const fs::path& name) {
  fs::path path = folder / name;
  std::error_code ignored;
  for (int n = 2; fs::exists(fs::symlink_status(path, ignored)); ++n) {
    path = folder / (name.stem().string() + "-" + std::to_string(n) + name.extension().string());
  }
  return path;
}

bool CopyWhole(const fs::path& from, const fs::path& to, std::string& error) {
  std::ifstream file(from, std::ios::binary);
  std::ostringstream bytes;
  if (!(file && bytes << file.rdbuf())) {
    error = Formatted(Tr("cannot read %s"), from.c_str());
    return false;
  }
  return ReplaceFile(to, bytes.view(), error);
}

}  // namespace

std::string KeepRecordReplay(const fs::path& replay, const fs::path& folder, std::string& error) {
  const std::string name = replay.filename().string();
  if (!IsRecordReplayName(name)) {
    error = Formatted(Tr("not a name the records file can hold: %s"), name.c_str());
    return "";
  }
  if (!MakeFolders(folder, error)) {
    return "";
  }
  const fs::path path = FreePath(folder, replay.filename());
  std::error_code linked;
  fs::create_hard_link(replay, path, linked);
  if (linked && !CopyWhole(replay, path, error)) {
    return "";
  }
  return path.filename().string();
}

void DropRecordReplay(const fs::path& folder, const std::string& name) {
  if (IsRecordReplayName(name)) {
    std::error_code ignored;
    fs::remove(folder / name, ignored);
  }
}
