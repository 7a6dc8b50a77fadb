#include "program/online_frame.h"

#include "platform/frame_clock.h"
#include "program/frame_driver.h"
#include "program/window_trace.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "services/keyboard.h"

void RunOnlineFrame() {
  TraceKeysHeld(FrameInput());
  const int32_t scene = Game.CurrentScene;
  StepFrame();
  TraceSceneChange(scene, Game.CurrentScene);
  DrawFrameRate(NowSeconds());
}
