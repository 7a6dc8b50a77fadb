// SipHash-2-4 as Aumasson and Bernstein define it: two rounds a block, four to finish.
#include "siphash.h"

#include <bit>

namespace {

uint64_t ReadLittleEndian64(const uint8_t* bytes) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) {
    value = value << 8 | bytes[i];
  }
  return value;
}

struct SipState {
  uint64_t v0, v1, v2, v3;

  void Round() {
    v0 += v1;
    v1 = std::rotl(v1, 13);
    v1 ^= v0;
    v0 = std::rotl(v0, 32);
    v2 += v3;
    v3 = std::rotl(v3, 16);
    v3 ^= v2;
    v0 += v3;
    v3 = std::rotl(v3, 21);
    v3 ^= v0;
    v2 += v1;
    v1 = std::rotl(v1, 17);
    v1 ^= v2;
    v2 = std::rotl(v2, 32);
  }

  void Absorb(uint64_t block) {
    v3 ^= block;
    Round();
    Round();
    v0 ^= block;
  }
};

}  // namespace

uint64_t SipHash24(const SipHashKey& key, const uint8_t* data, size_t size) {
  const uint64_t k0 = ReadLittleEndian64(key.data());
  const uint64_t k1 = ReadLittleEndian64(key.data() + 8);
  SipState state{0x736f6d6570736575ULL ^ k0, 0x646f72616e646f6dULL ^ k1, 0x6c7967656e657261ULL ^ k0,
                 0x7465646279746573ULL ^ k1};
  const size_t whole = size - size % 8;
  for (size_t at = 0; at < whole; at += 8) {
    state.Absorb(ReadLittleEndian64(data + at));
  }
  // The last block: the bytes left over, and the length's low byte on top.
  uint64_t last = static_cast<uint64_t>(size) << 56;
  for (size_t i = 0; i < size % 8; ++i) {
    last |= static_cast<uint64_t>(data[whole + i]) << (8 * i);
  }
  state.Absorb(last);
  state.v2 ^= 0xff;
  for (int i = 0; i < 4; ++i) {
    state.Round();
  }
  return state.v0 ^ state.v1 ^ state.v2 ^ state.v3;
}
