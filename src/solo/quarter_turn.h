// Quarter turns through a cycle of four side letters, shared by the pair and the well's view.
#pragma once
#include <cstdint>

// The letter one step along `cycle` from `value` (step +1 or -1, wrapping); a value not in the
// cycle is returned unchanged.
inline int32_t QuarterTurn(const char (&cycle)[5], int32_t value, int step) {
  for (int i = 0; i < 4; ++i) {
    if (cycle[i] == value) {
      return cycle[(i + step + 4) % 4];
    }
  }
  return value;
}
