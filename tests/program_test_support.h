// Small helpers shared by the suites of the program's files: a file's bytes read and written, a
// frame's keys.
#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "services/input_frame.h"

namespace program_test {

// The file's bytes; empty when it cannot be read.
inline std::string TextOf(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Writes the bytes as the file's whole content.
inline void Put(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A frame holding that one key.
inline InputFrame Holding(int key) {
  InputFrame keys;
  keys.Press(key);
  return keys;
}

}  // namespace program_test
