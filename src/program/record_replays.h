// The replays of the games in the records, kept in a folder of their own where the newest-50
// rotation of the replays folder never reaches.
#pragma once
#include <filesystem>
#include <string>

// Puts `replay` into `folder` (made if missing) under its own name, or with "-2", "-3"... before
// ".replay" when the name is taken: a hard link where the file system allows one, else a whole
// copy written safely. Returns the name given, or empty with `error` set.
std::string KeepRecordReplay(const std::filesystem::path& replay,
                             const std::filesystem::path& folder, std::string& error);
// Removes the kept replay `name` from `folder`; a name that is not a plain file name is left.
void DropRecordReplay(const std::filesystem::path& folder, const std::string& name);
