// What one gamepad holds this frame: its buttons, and each stick axis pushed one way or the other
// (after the dead zone), as one set of pad inputs.
#pragma once
#include <SDL.h>

#include <bitset>

// Buttons take the numbers of SDL's game-controller buttons; after them each axis has two
// inputs, its negative and its positive direction.
constexpr int PadInputCount = SDL_CONTROLLER_BUTTON_MAX + 2 * SDL_CONTROLLER_AXIS_MAX;
constexpr int PadButtonInput(SDL_GameControllerButton button) {
  return static_cast<int>(button);
}
constexpr int PadAxisInput(SDL_GameControllerAxis axis, int direction) {
  return SDL_CONTROLLER_BUTTON_MAX + 2 * static_cast<int>(axis) + (direction > 0 ? 1 : 0);
}

struct PadState {
  std::bitset<PadInputCount> held;
  bool Holds(int input) const { return input >= 0 && input < PadInputCount && held.test(input); }
};
