// Writing a player's file so that no interruption leaves half of it.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// Creates the folder and any missing folders above it, each new one with mode 0700 as the XDG
// rules ask; false and why when one cannot be made.
bool MakeFolders(const std::filesystem::path& folder, std::string& error);
// Replaces the file with text: written to a temporary file in the same folder, synced, renamed
// over the file and the folder synced, so the file always holds either the old text or the new,
// whole. A replaced file keeps its permissions. False and why on failure, the file untouched and
// no temporary file left.
bool ReplaceFile(const std::filesystem::path& path, std::string_view text, std::string& error);
