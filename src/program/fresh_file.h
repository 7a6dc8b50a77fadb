// Writing a player's file afresh on request (--write-controls, --write-settings).
#pragma once
#include <filesystem>
#include <functional>
#include <string>

// Refuses to replace an existing file at `path` unless `force`; otherwise writes the text
// `textOf` gives (told whether the file exists, so that it can keep what the file holds) through
// WritePlayerFile, and prints the path on stdout. `noFolder` is said when `path` is empty. The
// exit code: 0, or 1 after one line on stderr.
int WriteFreshFile(const std::filesystem::path& path, bool force, const char* noFolder,
                   const std::function<std::string(bool exists)>& textOf);
