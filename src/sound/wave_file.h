// Our RIFF WAVE reader: the PCM format record and the sample bytes of a WAV file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The first 16 bytes of the "fmt " chunk.
struct WaveFormat {
  uint16_t formatTag = 0;  // 1 = PCM, the only one accepted
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint32_t averageBytesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};

struct WaveSound {
  WaveFormat format;
  std::vector<uint8_t> samples;  // the whole "data" chunk
};

// Reads a WAV file: a RIFF chunk of form "WAVE" holding a "fmt " chunk of 16 or 18 bytes with
// format tag 1, then (anywhere after it) a "data" chunk; other chunks are skipped. 1 on success
// with `sound` filled; 0 on failure with `sound` untouched. A chunk claiming more bytes than the
// file holds fails before anything is allocated for it.
int ReadWaveFile(const char* path, WaveSound& sound);
// The same rules over a file's bytes in memory.
int ReadWaveMemory(const uint8_t* bytes, size_t size, WaveSound& sound);
