// The virtual-key table: the codes the game polls, every letter and every digit, by key position.
#include "app/key_table.h"

#include "app/keyboard.h"

KeyScancodes ScancodesForVirtualKey(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    return {static_cast<SDL_Scancode>(SDL_SCANCODE_A + (virtualKey - 'A'))};
  }
  // SDL numbers the digit row 1..9 then 0.
  if (virtualKey == '0') {
    return {SDL_SCANCODE_0};
  }
  if (virtualKey >= '1' && virtualKey <= '9') {
    return {static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (virtualKey - '1'))};
  }
  if (virtualKey >= KeyF1 && virtualKey <= KeyF7) {
    return {static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (virtualKey - KeyF1))};
  }
  switch (virtualKey) {
    case KeyReturn:
      return {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER};
    case KeyPause:
      return {SDL_SCANCODE_PAUSE};
    case KeyEscape:
      return {SDL_SCANCODE_ESCAPE};
    case KeyPageUp:
      return {SDL_SCANCODE_PAGEUP};
    case KeyHome:
      return {SDL_SCANCODE_HOME};
    case KeyLeft:
      return {SDL_SCANCODE_LEFT};
    case KeyUp:
      return {SDL_SCANCODE_UP};
    case KeyRight:
      return {SDL_SCANCODE_RIGHT};
    case KeyDown_:
      return {SDL_SCANCODE_DOWN};
    case KeyF12:
      return {SDL_SCANCODE_F12};
    default:
      return {};
  }
}
