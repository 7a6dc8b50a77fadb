// astorine-pad-game: the real windowed game played by a virtual gamepad alone, for
// window.pad_solo_game. The pad is plugged in before the window opens; then Start on the title,
// Start twice in play (a pause and a resume), the D-pad held down with a turn now and then until
// the well overflows and the game is back on the title; there the pad is unplugged, which must not
// pause a menu, and 40 frames later the program quits. No full-screen question. It checks
// nothing itself: the test reads its trace (ASTORINE_TRACE=1).
#include <SDL.h>

#include <cstdio>

#include "platform/data_folder.h"
#include "platform/frame_clock.h"
#include "program/frame_driver.h"
#include "program/shell.h"
#include "scenes/game_state.h"
#include "services/quit.h"
#include "virtual_pad.h"

namespace {

enum class Step { StartOnTitle, PauseInPlay, ResumeInPlay, Play, BackToTitle, Unplugged };

struct Script {
  Step step = Step::StartOnTitle;
  VirtualPad* pad = nullptr;
  uint32_t unpluggedAt = 0;
} script;

// The pad's buttons, set by SDL's event pump through the virtual joystick's update, which also
// runs while the loop holds the game paused and runs no frame.
void UpdatePad(void*) {
  // The pad being made is not yet the script's.
  if (script.pad == nullptr) {
    return;
  }
  VirtualPad& pad = *script.pad;
  const int32_t scene = Game.CurrentScene;
  switch (script.step) {
    case Step::StartOnTitle:
      // Start is Return on the title, taken once the menu has slid in.
      pad.Press(SDL_CONTROLLER_BUTTON_START, scene == SceneTitle);
      if (scene == SceneSolo) {
        pad.Press(SDL_CONTROLLER_BUTTON_START);
        script.step = Step::PauseInPlay;
      }
      break;
    case Step::PauseInPlay:
      if (WindowPaused()) {
        pad.Release(SDL_CONTROLLER_BUTTON_START);
        script.step = Step::ResumeInPlay;
      }
      break;
    case Step::ResumeInPlay:
      pad.Press(SDL_CONTROLLER_BUTTON_START, WindowPaused());
      if (!WindowPaused()) {
        script.step = Step::Play;
      }
      break;
    case Step::Play:
      pad.Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, scene == SceneSolo);
      // Turns vary the columns the pairs stack in.
      pad.Press(SDL_CONTROLLER_BUTTON_A, scene == SceneSolo && Game.FrameCount % 24 < 3);
      if (scene == SceneGameOver) {
        script.step = Step::BackToTitle;
      }
      break;
    case Step::BackToTitle:
    case Step::Unplugged:
      break;
  }
}

// Frame by frame: the pad is unplugged on the title after the game (not from inside its own
// update), and the program quits 40 frames later.
void WaitAndUnplug(double deadline) {
  if (script.step == Step::BackToTitle && Game.CurrentScene == SceneTitle) {
    script.pad->Detach();
    script.unpluggedAt = Game.FrameCount;
    script.step = Step::Unplugged;
  } else if (script.step == Step::Unplugged && Game.FrameCount - script.unpluggedAt >= 40) {
    RequestQuit();
  }
  WindowedFrameWait()(deadline);
}

}  // namespace

int main(int, char* argv[]) {
  FindDataFolder(argv[0]);
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) {
    std::fprintf(stderr, "astorine-pad-game: SDL did not start: %s\n", SDL_GetError());
    return 1;
  }
  VirtualPad pad("Astorine Test Pad", 1, UpdatePad);
  script.pad = &pad;
  if (!pad.Attached() || !StartWindowedGame(false, 1)) {
    std::fprintf(stderr, "astorine-pad-game: the game did not start\n");
    return 1;
  }
  SetFrameClock({nullptr, WaitAndUnplug});
  return RunEventLoop();
}
