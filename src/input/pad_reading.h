// One pad's held inputs from SDL's game-controller layer: its buttons, and its sticks and
// triggers as directions, with a dead zone and hysteresis.
#pragma once
#include <SDL.h>

#include "input/pad_state.h"

// A direction turns on once the axis leans that way by half of full scale or more, and off only
// when it leans less than 30 %: a resting or drifting stick never steps, and one held near the
// threshold does not flicker on and off.
constexpr int StickOnFrom = 16384;
constexpr int StickOffBelow = 9830;

// Whether a direction is held, from how far the axis leans that way (negative: the other way)
// and whether it was held in the previous frame.
bool StickDirectionHeld(bool heldBefore, int lean);

// The pad's state now; `before` is its state in the previous frame, which the hysteresis needs.
PadState ReadPad(SDL_GameController* pad, const PadState& before);
