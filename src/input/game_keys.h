// Which [game] action a key or a pad input does, for the program's own keys.
#pragma once
#include <optional>

#include "input/bindings.h"

// The game action bound to this key code (in the keyboard's layout), if any.
std::optional<GameAction> GameActionOfKey(const Controls& controls, int keyCode);
// The game action bound to this pad input (input/pad_state.h), if any.
std::optional<GameAction> GameActionOfPadInput(const Controls& controls, int padInput);
