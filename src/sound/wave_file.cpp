// The RIFF WAVE reader. Chunks are walked the way the multimedia file functions descend into
// them: an 8-byte header (four-character id, little-endian size), the body, and a pad byte when
// the size is odd; a search looks only inside its parent chunk.
#include "sound/wave_file.h"

#include <cstdio>
#include <cstring>

namespace {

struct Chunk {
  size_t body = 0;  // offset of the first byte after the header
  uint32_t size = 0;
};

uint32_t ReadWord(const uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}
uint16_t ReadHalf(const uint8_t* at) {
  return static_cast<uint16_t>(at[0] | at[1] << 8);
}

// Finds the first chunk with this id whose header starts in [from, end); for "RIFF" the form
// type at the start of the body must match `form` too.
bool FindChunk(const uint8_t* bytes, size_t from, size_t end, const char* id, const char* form,
               Chunk& found) {
  size_t at = from;
  while (at + 8 <= end) {
    uint32_t size = ReadWord(bytes + at + 4);
    size_t body = at + 8;
    bool formMatches = form == nullptr ||
                       (size >= 4 && body + 4 <= end && std::memcmp(bytes + body, form, 4) == 0);
    if (std::memcmp(bytes + at, id, 4) == 0 && formMatches) {
      found = {body, size};
      return true;
    }
    size_t next = body + static_cast<size_t>(size) + (size & 1);
    if (next <= at || next > end) {
      return false;  // a size running past the parent ends the search
    }
    at = next;
  }
  return false;
}

}  // namespace

int ReadWaveMemory(const uint8_t* bytes, size_t size, WaveSound& sound) {
  if (bytes == nullptr) {
    return 0;
  }
  Chunk riff;
  if (!FindChunk(bytes, 0, size, "RIFF", "WAVE", riff)) {
    return 0;
  }
  // A RIFF size larger than the file (a file cut short) bounds nothing beyond the file's end.
  size_t riffEnd = riff.body + static_cast<size_t>(riff.size);
  if (riffEnd > size) {
    riffEnd = size;
  }
  Chunk format;
  if (!FindChunk(bytes, riff.body + 4, riffEnd, "fmt ", nullptr, format)) {
    return 0;
  }
  if ((format.size != 16 && format.size != 18) || format.body + 16 > size) {
    return 0;
  }
  const uint8_t* record = bytes + format.body;
  WaveFormat parsed;
  parsed.formatTag = ReadHalf(record);
  parsed.channels = ReadHalf(record + 2);
  parsed.samplesPerSecond = ReadWord(record + 4);
  parsed.averageBytesPerSecond = ReadWord(record + 8);
  parsed.blockAlign = ReadHalf(record + 12);
  parsed.bitsPerSample = ReadHalf(record + 14);
  if (parsed.formatTag != 1) {
    return 0;
  }
  // The search for the samples goes on from the end of the "fmt " chunk, never back before it.
  size_t afterFormat = format.body + format.size + (format.size & 1);
  Chunk data;
  if (!FindChunk(bytes, afterFormat, riffEnd, "data", nullptr, data)) {
    return 0;
  }
  if (data.size > size - data.body) {
    return 0;  // claims more than the file holds: refused before allocating
  }
  sound.format = parsed;
  sound.samples.assign(bytes + data.body, bytes + data.body + data.size);
  return 1;
}

int ReadWaveFile(const char* path, WaveSound& sound) {
  if (path == nullptr) {
    return 0;
  }
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return 0;
  }
  std::vector<uint8_t> bytes;
  uint8_t block[65536];
  size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    bytes.insert(bytes.end(), block, block + got);
  }
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    return 0;
  }
  return ReadWaveMemory(bytes.data(), bytes.size(), sound);
}
