// Writes RIFF WAVE files: PCM, 16-bit, mono, a 16-byte "fmt " chunk followed by "data".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

// False when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples);

}  // namespace datagen
