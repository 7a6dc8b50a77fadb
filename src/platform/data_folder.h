// The search for the Data folder the pictures and sounds are read from, among the places the game
// may be installed.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

// The folder of the running executable (argv0 as started, when /proc cannot tell); empty when
// neither can.
std::filesystem::path ExecutableFolder(const char* argv0);
// Chooses the folder at start-up (unless SetDataFolder named one); argv0 is the executable's path
// as started.
void FindDataFolder(const char* argv0);

// The folders tried, in order: ./Data, Data beside the executable, ../share/astorine/Data and
// ../share/games/astorine/Data from the executable's folder, then astorine/Data and
// games/astorine/Data under each folder of xdgDataDirs (a colon-separated list as in
// XDG_DATA_DIRS; null or empty stands for /usr/local/share:/usr/share).
std::vector<std::filesystem::path> DataFolderCandidates(
    const std::filesystem::path& executableFolder, const char* xdgDataDirs);
// The first candidate that is a folder; ./Data when none is, so that each load names its file.
std::filesystem::path FirstDataFolder(const std::vector<std::filesystem::path>& candidates);
