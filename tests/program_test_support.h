// Small helpers shared by the suites of the program's files: a file's bytes, a frame's keys.
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

// A frame holding that one key.
inline InputFrame Holding(int key) {
  InputFrame keys;
  keys.Press(key);
  return keys;
}

}  // namespace program_test
