// The Data folder the pictures and sounds are read from, as the game's loaders name its files.
#pragma once
#include <string>

// Sets the Data folder itself (the headless runner's --data). Empty: search for it at start-up.
void SetDataFolder(const std::string& folder);
// The start-up search's answer; a folder set with SetDataFolder wins over it.
void ChooseDataFolder(const std::string& found);
// Full path of a file of the Data folder ("planet.bmp").
std::string DataPath(const char* fileName);
