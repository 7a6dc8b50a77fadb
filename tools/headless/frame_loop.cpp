// One numbered frame of a headless run.
#include "frame_loop.h"

#include "app/frame_driver.h"
#include "app/keyboard.h"
#include "app/quit.h"
#include "event_log.h"
#include "scenes/game_state.h"

namespace {

const KeyScript* keyScript = nullptr;
long currentFrame = 0;

int ScriptedKeyDown(int virtualKey) {
  return keyScript != nullptr && keyScript->Held(currentFrame, virtualKey) ? 1 : 0;
}

}  // namespace

void UseKeyScript(const KeyScript& script) {
  keyScript = &script;
  SetKeyReader(ScriptedKeyDown);
}

bool RunNumberedFrame(long frame) {
  currentFrame = frame;
  SetEventFrame(frame);
  int32_t sceneBefore = Game.CurrentScene;
  RunFrame();
  if (Game.CurrentScene != sceneBefore) {
    LogSceneChange(sceneBefore, Game.CurrentScene);
  }
  if (QuitRequested()) {
    LogQuit();
    return true;
  }
  return false;
}
