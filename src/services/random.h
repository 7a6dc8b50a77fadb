// MT19937 random numbers: every random choice of the game comes from here, seeded once.
#pragma once
#include <array>
#include <cstdint>

struct RandomState {
  std::array<uint32_t, 624> words{};
  int32_t index = 0;  // 624 means the words must be regenerated before the next draw
};
extern RandomState Random;

void SeedRandom(uint32_t seed);
// Seeds from the milliseconds since the system started (32 bits), or from the source installed
// below (headless runs).
void SeedRandomFromClock();
uint32_t RandomWord();
double RandomUnit();                          // 0 <= u < 1
int32_t RandomRange(int32_t lo, int32_t hi);  // lo..hi, both included; truncates toward zero

// Replaces the system millisecond count that SeedRandomFromClock reads; nullptr restores it.
using ClockSeedSource = uint32_t (*)();
void SetClockSeedSource(ClockSeedSource source);
ClockSeedSource InstalledClockSeedSource();
