// MT19937 as published by its authors, and the two ways the game draws from it.
#include "services/random.h"

#include <time.h>

#include <cmath>
#include <limits>

RandomState Random;

namespace {

constexpr int StateSize = 624;
constexpr int ShiftSize = 397;
constexpr uint32_t UpperMask = 0x80000000u;
constexpr uint32_t LowerMask = 0x7fffffffu;
constexpr uint32_t TwistMatrix = 0x9908b0dfu;

ClockSeedSource seedSource = nullptr;

void Regenerate() {
  for (int k = 0; k < StateSize; ++k) {
    uint32_t y = (Random.words[k] & UpperMask) | (Random.words[(k + 1) % StateSize] & LowerMask);
    Random.words[k] =
        Random.words[(k + ShiftSize) % StateSize] ^ (y >> 1) ^ ((y & 1u) != 0 ? TwistMatrix : 0u);
  }
  Random.index = 0;
}

// Milliseconds since the system started, wrapped to 32 bits: unlike a count from the game's own
// start, it differs from one launch to the next however quickly the first question is answered.
uint32_t SystemMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                               static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

}  // namespace

void SeedRandom(uint32_t seed) {
  Random.words[0] = seed;
  for (uint32_t i = 1; i < StateSize; ++i) {
    uint32_t previous = Random.words[i - 1];
    Random.words[i] = 1812433253u * (previous ^ (previous >> 30)) + i;
  }
  Random.index = StateSize;
}

void SeedRandomFromClock() {
  SeedRandom(seedSource != nullptr ? seedSource() : SystemMilliseconds());
}

void SetClockSeedSource(ClockSeedSource source) {
  seedSource = source;
}

ClockSeedSource InstalledClockSeedSource() {
  return seedSource;
}

uint32_t RandomWord() {
  // A state restored from outside may hold any index; anything out of range regenerates.
  if (Random.index >= StateSize || Random.index < 0) {
    Regenerate();
  }
  uint32_t y = Random.words[Random.index++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9d2c5680u;
  y ^= (y << 15) & 0xefc60000u;
  y ^= y >> 18;
  return y;
}

double RandomUnit() {
  return RandomWord() / 4294967296.0;
}

int32_t RandomRange(int32_t lo, int32_t hi) {
  // The count wraps like the 32-bit arithmetic it is written for, without signed overflow.
  auto n = static_cast<int32_t>(static_cast<int64_t>(hi) - lo + 1);
  double x = std::trunc(RandomUnit() * n + lo);
  // Only absurd bounds reach past 32 bits; clamp them rather than convert out of range.
  x = std::fmax(x, std::numeric_limits<int32_t>::min());
  x = std::fmin(x, std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(x);
}
