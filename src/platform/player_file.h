// A player's small text file (the settings) read with care and written whole.
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The file's text, or false and why: it cannot be opened or read, is no regular file (a folder,
// a FIFO, which is refused rather than waited on) or is larger than `largest` bytes.
bool ReadPlayerFile(const std::filesystem::path& path, size_t largest, std::string& text,
                    std::string& why);
// Writes the file with ReplaceFile after making its folders. A symbolic link (a dotfile
// manager's) stays a link and its target is replaced. False and why on failure.
bool WritePlayerFile(const std::filesystem::path& path, std::string_view text, std::string& why);
