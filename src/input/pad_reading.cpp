#include "input/pad_reading.h"

bool StickDirectionHeld(bool heldBefore, int lean) {
  return heldBefore ? lean >= StickOffBelow : lean >= StickOnFrom;
}

PadState ReadPad(SDL_GameController* pad, const PadState& before) {
  PadState now;
  for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
    const auto named = static_cast<SDL_GameControllerButton>(button);
    now.held.set(PadButtonInput(named), SDL_GameControllerGetButton(pad, named) != 0);
  }
  // Triggers rest at 0 and lean one way only; sticks lean either way from the centre.
  for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
    const auto named = static_cast<SDL_GameControllerAxis>(axis);
    const int value = SDL_GameControllerGetAxis(pad, named);
    for (int direction : {-1, 1}) {
      const int input = PadAxisInput(named, direction);
      now.held.set(input, StickDirectionHeld(before.Holds(input), value * direction));
    }
  }
  return now;
}
