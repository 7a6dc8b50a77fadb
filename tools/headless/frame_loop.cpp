// One numbered frame of a headless run.
#include "frame_loop.h"

#include "event_log.h"
#include "program/frame_driver.h"
#include "scenes/game_state.h"
#include "services/keyboard.h"
#include "services/quit.h"

namespace {

const KeyScript* keyScript = nullptr;

}  // namespace

void UseKeyScript(const KeyScript& script) {
  keyScript = &script;
}

InputFrame ScriptedFrame(long frame) {
  return keyScript != nullptr ? keyScript->FrameAt(frame) : InputFrame{};
}

bool RunNumberedFrame(long frame, const InputFrame& keys) {
  SetEventFrame(frame);
  SetFrameInput(keys);
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
