// The key name table shared by the headless runner's key scripts and the window's trace.
#include "input/key_names.h"

#include <array>

#include "services/keyboard.h"

namespace {

constexpr std::array<NamedKey, 15> KeyNameTable{{
    {"Left", KeyLeft},
    {"Up", KeyUp},
    {"Right", KeyRight},
    {"Down", KeyDown_},
    {"Return", KeyReturn},
    {"Escape", KeyEscape},
    {"PageUp", KeyPageUp},
    {"Home", KeyHome},
    {"F1", KeyF1},
    {"F2", KeyF2},
    {"F3", KeyF3},
    {"F4", KeyF4},
    {"F5", KeyF5},
    {"F6", KeyF6},
    {"F7", KeyF7},
}};

}  // namespace

std::span<const NamedKey> NamedKeys() {
  return KeyNameTable;
}

std::string VirtualKeyName(int virtualKey) {
  for (const NamedKey& named : KeyNameTable) {
    if (named.key == virtualKey) {
      return named.name;
    }
  }
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
    return std::string(1, static_cast<char>(virtualKey));
  }
  return std::to_string(virtualKey);
}
