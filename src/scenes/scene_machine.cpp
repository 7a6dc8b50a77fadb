// The scene machine: one handler per scene, switched at the end of the frame that asked for it.
#include "scenes/scene_machine.h"

#include "scenes/game_state.h"
#include "scenes/start_screens.h"
#include "scenes/title.h"
#include "services/quit.h"
#include "solo/chain.h"
#include "solo/solo_scene.h"
#include "sound/sound.h"
#include "versus/match.h"

void StepFrame() {
  UpdateScene();
  ++Game.FrameCount;
}

void UpdateScene() {
  int32_t next = Game.CurrentScene;
  switch (Game.CurrentScene) {
    case SceneTitle:
      next = TitleFrame();
      break;
    case SceneStart:
      next = StartFrame();
      break;
    case SceneSolo:
      next = SoloPlayFrame();
      break;
    case SceneVersus:
      next = VersusFrame();
      break;
    case SceneSoloChain:
      next = SoloChainFrame();
      break;
    case SceneGameOver:
      next = GameOverFrame();
      break;
    case SceneQuit:
      RequestQuit();
      break;
    default:  // an unknown scene has no handler: nothing runs, nothing switches
      break;
  }
  ++Game.SceneFrame;
  if (next != Game.CurrentScene) {
    EnterScene(next);
  }
}

void EnterScene(int32_t next) {
  if (next == Game.CurrentScene) {
    return;
  }
  Game.CurrentScene = next;
  Game.SceneFrame = 0;
  if (next == SceneTitle) {
    ResetGame();
  }
  if (next == SceneStart) {
    // Over the title tune, which plays on until the start screen's last frame.
    StartSound(SndShuttle, 0);
  }
}
