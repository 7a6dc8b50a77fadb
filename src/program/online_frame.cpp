#include "program/online_frame.h"

#include "platform/frame_clock.h"
#include "program/frame_driver.h"
#include "program/window_trace.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "services/keyboard.h"

namespace {

double lastShown = -1.0;

}  // namespace

void PresentOnlineFrame() {
  TraceKeysHeld(FrameInput());
  const int32_t scene = Game.CurrentScene;
  StepFrame();
  TraceSceneChange(scene, Game.CurrentScene);
  const double now = NowSeconds();
  ShowFrame(lastShown >= 0.0 ? now - lastShown : 0.0);
  lastShown = now;
}
