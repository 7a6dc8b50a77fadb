// The players' controls from their controls file, read once before the window opens.
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "input/bindings.h"

// No controls file is that long; a longer one is refused unread rather than parsed.
constexpr size_t LargestControlsFile = 64 * 1024;

// The file's controls over the defaults, with ReadControls' complaints. A missing file gives the
// defaults silently; one that cannot be read, is no regular file or is larger than
// LargestControlsFile gives the defaults and one message.
Controls LoadControlsFile(const std::filesystem::path& path, std::vector<std::string>& messages);
// The controls of the player's controls file (ControlsFilePath()), each message printed on
// stderr as "astorine: MESSAGE".
Controls LoadPlayerControls();
// Prints each message on stderr as one line "astorine: MESSAGE".
void PrintMessages(const std::vector<std::string>& messages);
