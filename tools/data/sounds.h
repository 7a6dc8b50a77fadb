// Every sound of the Data folder: 16-bit mono samples at kSampleRate.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

constexpr int kSampleRate = 44100;

struct Sound {
  std::string fileName;
  std::vector<int16_t> samples;
};

// The twelve sounds in the order of the game's sound ids.
std::vector<Sound> MakeAllSounds();

}  // namespace datagen
