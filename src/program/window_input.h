// The windowed game's input: each frame's held keys from the keyboard and the pads, through the
// player's controls.
#pragma once
#include <span>

#include "input/bindings.h"
#include "input/pad_state.h"
#include "services/input_frame.h"

// The controls every later frame uses.
void UseControls(const Controls& controls);
// Hides Return from the game until it is released: the Return of Alt+Return switches full screen.
void HideReturnUntilReleased();
// The keys held for the frame about to run, from SDL's keyboard state as of the last event drain
// and the pads' states, in connection order.
InputFrame GatherWindowInput(std::span<const PadState> pads);
