#include "program/window_input.h"

#include <SDL.h>

#include "input/input_context.h"
#include "input/input_map.h"
#include "scenes/game_state.h"
#include "services/keyboard.h"

namespace {

Controls activeControls = DefaultControls();
bool returnHidden = false;

}  // namespace

void UseControls(const Controls& controls) {
  activeControls = controls;
}

void HideReturnUntilReleased() {
  returnHidden = true;
}

InputFrame GatherWindowInput(std::span<const PadState> pads) {
  KeyboardSnapshot keyboard;
  keyboard.held = SDL_GetKeyboardState(&keyboard.count);
  keyboard.numLock = (SDL_GetModState() & KMOD_NUM) != 0;
  keyboard.layout = SDL_GetScancodeFromKey;
  InputFrame frame = MapInput(keyboard, pads, activeControls, InputContextOf(Game));
  if (returnHidden) {
    returnHidden = frame.Held(KeyReturn);
    frame.Release(KeyReturn);
  }
  return frame;
}
