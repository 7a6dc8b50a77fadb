// The player's own gamepad mappings, in SDL's format, added to the ones SDL knows (its database
// and SDL_GAMECONTROLLERCONFIG, which SDL reads itself when its game-controller layer starts).
#pragma once
#include <string>

// Adds the file's mappings for this system to SDL's; call it before the pads are opened. A
// missing file is silent. A file SDL cannot read, or one with lines that are no mapping, is
// named in one line on stderr, and whatever mappings it holds are used.
void AddUserPadMappings(const std::string& path);
