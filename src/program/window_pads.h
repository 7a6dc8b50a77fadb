// The window's gamepads: opened as they come, read before each frame, and their part in the
// pause (Start in play, a playing pad unplugged).
#pragma once
#include <SDL.h>

#include <span>

#include "input/pad_state.h"
#include "program/pause_state.h"

// Starts SDL's game-controller layer, adds the player's mapping file and opens the pads present.
// Without that layer the game plays on with the keyboard, after one line on stderr.
void StartWindowPads();
// Handles a pad's coming or going and a Start pressed in play; ignores any other event.
void HandleWindowPadEvent(const SDL_Event& event, PauseState& pause);
// Each connected pad's state, in connection order.
std::span<const PadState> ReadWindowPads();
void CloseWindowPads();
