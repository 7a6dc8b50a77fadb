// Numbers in a replay file's bytes, for tests that damage a file on purpose.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "replay/crc32.h"

inline uint32_t GetU32(const std::vector<uint8_t>& bytes, size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

inline void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

// The size field and the checksum made right again, so that the body's own checks are reached.
inline void Reseal(std::vector<uint8_t>& bytes) {
  PutU32(bytes, 12, static_cast<uint32_t>(bytes.size()));
  PutU32(bytes, bytes.size() - 4, Crc32(bytes.data(), bytes.size() - 4));
}
