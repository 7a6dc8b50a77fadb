// The quit request: a flag the main loop (windowed or headless) looks at before every pass.
#include "services/quit.h"

namespace {
bool quitRequested = false;
}

void RequestQuit() {
  quitRequested = true;
}
bool QuitRequested() {
  return quitRequested;
}
void ClearQuitRequest() {
  quitRequested = false;
}
