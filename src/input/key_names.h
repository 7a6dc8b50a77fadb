// The names of the keys the game polls, as key scripts and the window's trace write them.
#pragma once
#include <span>
#include <string>

struct NamedKey {
  const char* name;
  int key;
};
// Left Up Right Down Return Escape PageUp Home F1..F7; letters and digits are their own names.
std::span<const NamedKey> NamedKeys();
// "Left", "K", "7"; the number for a key with no name.
std::string VirtualKeyName(int virtualKey);
