// Reading the records file from the player's data folder.
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "records/records.h"

// Far more than a records file holds: anything larger is not one.
constexpr size_t LargestRecordsFile = 64 * 1024;

// The records of the file at `path`; no records and no message when it does not exist. False
// with one message when it cannot be read (not a regular file, larger than LargestRecordsFile, a
// read error); each line it cannot use adds a message "FILE:LINE: why".
bool LoadRecordsFile(const std::filesystem::path& path, Records& records,
                     std::vector<std::string>& messages);
