// From the devices' state to the frame's held virtual keys: the fixed menu keys, and in play each
// player's bindings on the keyboard and on that player's pads.
#pragma once
#include <SDL.h>

#include <span>

#include "input/bindings.h"
#include "input/pad_state.h"
#include "services/input_frame.h"

// What the keys are for this frame: the title and the screens between games have fixed menu keys;
// in play the players' own keys act. Which pads play whom depends on the match.
enum class InputContext { Menu, SoloPlay, TwoPlayers, AgainstComputer };

// Which physical key types a key code in the keyboard's current layout (SDL_GetScancodeFromKey in
// the window; tests stand in a layout of their own).
using LayoutLookup = SDL_Scancode (*)(SDL_Keycode key);

struct KeyboardSnapshot {
  const Uint8* held = nullptr;  // by scan code, as SDL_GetKeyboardState gives it
  int count = 0;
  bool numLock = false;
  LayoutLookup layout = nullptr;
};

// Letters and digits act by the character they type in the layout; the arrows, Return, Escape,
// Page Up, Home and the function keys by their position. With Num Lock off the keypad's arrows,
// Home and Page Up act as the main ones; its Enter always acts as Return. Pads: in menus any pad
// chooses with the D-pad or the left stick and confirms with Start or south, the left shoulder
// holds the hard-start key (H) and the right one the test-start key (D). In play the first pad
// plays player 1 and the second player 2 in a two-player match, any pad plays player 1 otherwise,
// and Back is Escape in solo play.
InputFrame MapInput(const KeyboardSnapshot& keyboard, std::span<const PadState> pads,
                    const Controls& controls, InputContext context);

// 1 or 2: the player the pad at this place in connection order plays in the context, 0 for none.
int PadPlayer(int padIndex, InputContext context);
