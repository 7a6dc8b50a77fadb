// Where the pictures and sounds are read from: a folder holding Data/.
#pragma once
#include <string>

// Sets the Data folder itself (the headless runner's --data). Empty: look for ./Data first, then
// Data beside the executable.
void SetDataFolder(const std::string& folder);
// Chooses the folder at start-up; argv0 is the executable's path as started.
void FindDataFolder(const char* argv0);
// Full path of a file of the Data folder ("planet.bmp").
std::string DataPath(const char* fileName);
