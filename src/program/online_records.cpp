#include "program/online_records.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "platform/atomic_file.h"
#include "platform/config_folder.h"
#include "program/replay_shelf.h"
#include "replay/replay_file.h"
#include "scenes/game_state.h"
#include "services/texts.h"
#include "state/state_document.h"

namespace fs = std::filesystem;

namespace {

void Complain(const fs::path& where, const std::string& error) {
  std::fprintf(stderr, Tr("astorine: the online match could not be saved in %s: %s\n"),
               where.empty() ? Tr("the replays folder (no home folder)") : where.c_str(),
               error.c_str());
}

}  // namespace

fs::path SaveOnlineReplay(OnlineSession& session) {
  const fs::path folder = ReplaysFolderPath();
  const std::time_t now = std::time(nullptr);
  std::string error = Tr("HOME is not set");
  const fs::path saved = folder.empty()
                             ? folder
                             : ShelveReplay(folder, session.FinishReplay(static_cast<int64_t>(now)),
                                            KeptReplays, error);
  if (saved.empty()) {
    Complain(folder, error);
  }
  return saved;
}

void SaveDesyncReport(OnlineSession& session) {
  const fs::path folder = ReplaysFolderPath();
  const std::time_t now = std::time(nullptr);
  std::string error = Tr("HOME is not set");
  const std::string stamp = ReplayTimeStamp(now) + "-online-desync";
  const fs::path replay = folder / (stamp + ".replay");
  const fs::path state = folder / (stamp + ".json");
  if (folder.empty() || !MakeFolders(folder, error) ||
      !WriteReplayFile(replay.string(), session.FinishReplay(static_cast<int64_t>(now)), error) ||
      !ReplaceFile(state, WriteStateDocument(Game, Random), error)) {
    Complain(folder, error);
    return;
  }
  std::fprintf(stderr,
               Tr("astorine: for a bug report, the replay is %s and this machine's state %s\n"),
               replay.c_str(), state.c_str());
}
