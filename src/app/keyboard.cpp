// KeyDown: the keyboard state SDL keeps from the window's events, or a scripted reader.
#include "app/keyboard.h"

#include <SDL.h>

#include "app/key_table.h"

namespace {

KeyReader installedReader = nullptr;
bool returnHidden = false;

// The state is as fresh as the last drain of the event queue, which the main loop does before
// every frame.
int WindowKeyDown(int virtualKey) {
  KeyScancodes keys = ScancodesForVirtualKey(virtualKey);
  if (keys.primary == SDL_SCANCODE_UNKNOWN || (virtualKey == KeyReturn && returnHidden)) {
    return 0;
  }
  const Uint8* state = SDL_GetKeyboardState(nullptr);
  bool held = state[keys.primary] != 0 ||
              (keys.alternate != SDL_SCANCODE_UNKNOWN && state[keys.alternate] != 0);
  return held ? 1 : 0;
}

}  // namespace

int KeyDown(int virtualKey) {
  return installedReader != nullptr ? installedReader(virtualKey) : WindowKeyDown(virtualKey);
}

void HideReturn(bool hidden) {
  returnHidden = hidden;
}

void SetKeyReader(KeyReader reader) {
  installedReader = reader;
}
