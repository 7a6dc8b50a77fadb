// Fuzz target: the RIFF WAVE reader over arbitrary bytes in memory.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "sound/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WaveSound sound;
  sound.format.channels = 77;  // a mark that a refused file must leave in place
  sound.samples.assign(3, 0xA5);
  if (ReadWaveMemory(data, size, sound) == 1) {
    FUZZ_REQUIRE(sound.format.formatTag == 1);
    // The samples are a slice of the file after at least the three chunk headers and the format.
    FUZZ_REQUIRE(sound.samples.size() + 44 <= size);
  } else {
    FUZZ_REQUIRE(sound.format.channels == 77 && sound.samples.size() == 3);
  }
  return 0;
}
