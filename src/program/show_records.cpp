#include "program/show_records.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/config_folder.h"
#include "program/controls_loading.h"
#include "program/records_loading.h"
#include "records/records_listing.h"
#include "services/texts.h"

namespace fs = std::filesystem;

int PrintRecords() {
  const fs::path path = RecordsFilePath();
  if (path.empty()) {
    std::fprintf(
        stderr, "astorine: %s\n",
        Tr("no folder for the records file: set HOME or XDG_DATA_HOME to an absolute path"));
    return 1;
  }
  Records records;
  std::vector<std::string> messages;
  const bool read = LoadRecordsFile(path, records, messages);
  PrintMessages(messages);
  if (!read) {
    return 1;
  }
  const fs::path replays = RecordReplaysFolderPath();
  for (std::vector<SoloRecord>& table : records.solo) {
    for (SoloRecord& entry : table) {
      std::error_code error;
      if (replays.empty() || !fs::is_regular_file(replays / entry.replay, error)) {
        entry.replay.clear();
      }
    }
  }
  std::fputs(RecordsListing(records, replays.string()).c_str(), stdout);
  return 0;
}
