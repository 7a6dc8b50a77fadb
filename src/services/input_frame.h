// The keys of one frame: the set of virtual keys held while it runs. The window, the headless
// runner, replays and online play each make one per frame; the game reads only it, through
// KeyDown.
#pragma once
#include <array>
#include <cstdint>

struct InputFrame {
  static constexpr int KeyCount = 256;
  std::array<uint64_t, KeyCount / 64> held{};

  bool Held(int virtualKey) const {
    return InRange(virtualKey) && ((held[virtualKey / 64] >> (virtualKey % 64)) & 1) != 0;
  }
  void Press(int virtualKey) {
    if (InRange(virtualKey)) {
      held[virtualKey / 64] |= uint64_t{1} << (virtualKey % 64);
    }
  }
  void Release(int virtualKey) {
    if (InRange(virtualKey)) {
      held[virtualKey / 64] &= ~(uint64_t{1} << (virtualKey % 64));
    }
  }
  bool operator==(const InputFrame&) const = default;

 private:
  static bool InRange(int virtualKey) { return virtualKey >= 0 && virtualKey < KeyCount; }
};
