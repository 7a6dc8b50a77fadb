#include "app/online_frame.h"

#include <cstdio>

#include "app/frame_clock.h"
#include "app/frame_driver.h"
#include "app/keyboard.h"
#include "app/window_trace.h"
#include "gfx/display_device.h"
#include "gfx/text.h"
#include "input/actions.h"
#include "scenes/game_state.h"

namespace {

double lastShown = -1.0;
double frameRate = 0.0;

// The keys the frame runs with, as the game reads them: both players' actions.
InputFrame KeysOfFrame() {
  InputFrame keys;
  for (int player = 1; player <= 2; ++player) {
    for (Action action : AllActions) {
      const int key = ActionVirtualKey(player, action);
      if (KeyDown(key) != 0) {
        keys.Press(key);
      }
    }
  }
  return keys;
}

}  // namespace

void PresentOnlineFrame() {
  TraceKeysHeld(KeysOfFrame());
  const int32_t scene = Game.CurrentScene;
  StepFrame();
  TraceSceneChange(scene, Game.CurrentScene);
  const double now = NowSeconds();
  if (lastShown >= 0.0 && now > lastShown && Game.FrameCount % 20 == 0) {
    frameRate = 1.0 / (now - lastShown);
  }
  lastShown = now;
  char text[32];
  std::snprintf(text, sizeof text, "%-5.2f fps", frameRate);
  DrawLabel(text, 560, 0, 15, 255, 255, 255);
  PresentFrame(0);
}
