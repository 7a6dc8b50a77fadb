// The records file read with care: a file that cannot be read is told, never taken as empty.
#include "program/records_loading.h"

#include "platform/player_file.h"
#include "records/records_file.h"
#include "services/formatted.h"
#include "services/texts.h"

bool LoadRecordsFile(const std::filesystem::path& path, Records& records,
                     std::vector<std::string>& messages) {
  records = Records{};
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
    return true;
  }
  std::string text, why;
  if (!ReadPlayerFile(path, LargestRecordsFile, text, why)) {
    messages.push_back(
        Formatted(Tr("%s: cannot read the records (%s)"), path.c_str(), why.c_str()));
    return false;
  }
  records = ReadRecords(text, path.string(), messages);
  return true;
}
