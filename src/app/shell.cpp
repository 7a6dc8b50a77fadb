// The game window and its event loop on SDL: Pause and F12 are the only keys it handles itself;
// the scenes poll every other key inside their frames.
#include "app/shell.h"

#include <SDL.h>

#include <string>

#include "app/data_folder.h"
#include "app/frame_clock.h"
#include "app/frame_driver.h"
#include "app/message_box.h"
#include "app/quit.h"
#include "app/window_trace.h"
#include "gfx/display.h"
#include "gfx/display_device.h"
#include "gfx/surface_table.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "sound/sound_device.h"

namespace {

constexpr int SoundSlotCount = 12;

SDL_Window* gameWindow = nullptr;
bool Paused = false;
// No frame runs until the window has been shown at its normal size.
bool Minimised = true;

void SetWindowIcon(SDL_Window* window) {
  // Read as the pictures are: a damaged file is named on stderr and refused before SDL allocates.
  const std::string path = DataPath("icon.bmp");
  SDL_Surface* icon = ReadBitmap(SDL_RWFromFile(path.c_str(), "rb"), path.c_str());
  if (icon != nullptr) {
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
  }
}

SDL_Window* CreateGameWindow(bool fullScreen, int scale) {
  // SDL sizes the client area itself: a window without SDL_WINDOW_RESIZABLE stays at exactly
  // 640 x 480. Full screen keeps the desktop's own mode; the display scales the picture into it.
  Uint32 flags = fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_HIDDEN;
  const int times = scale > 0 ? scale : 1;
  SDL_Window* window = SDL_CreateWindow(GameTitle, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        ScreenWidth * times, ScreenHeight * times, flags);
  if (window != nullptr) {
    SetWindowIcon(window);
  }
  return window;
}

// The window's destruction: pictures, then sound, then the display, then the window itself.
void DestroyGameWindow() {
  ReleaseSurfaceTable();
  TraceStep("released the pictures");
  ReleaseSound();
  TraceStep("released the sound");
  ReleaseDisplay();
  TraceStep("released the display");
  if (gameWindow != nullptr) {
    SDL_DestroyWindow(gameWindow);
    gameWindow = nullptr;
    TraceStep("destroyed the window");
  }
}

// F12 closes the window the same way as its close box, through the queue.
void PostClose() {
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(gameWindow);
  SDL_PushEvent(&close);
}

void HandleKey(const SDL_KeyboardEvent& key) {
  // A held key's auto-repeat would toggle the pause on and off many times a second.
  if (key.repeat != 0) {
    return;
  }
  if (key.keysym.scancode == SDL_SCANCODE_PAUSE) {
    Paused = !Paused;
    TraceStep(Paused ? "paused" : "resumed");
  } else if (key.keysym.scancode == SDL_SCANCODE_F12) {
    Paused = true;
    PostClose();
  }
}

// False when the window has gone and the loop must end.
bool HandleWindowEvent(const SDL_WindowEvent& window) {
  switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      TraceStep("window closed");
      DestroyGameWindow();
      return false;
    case SDL_WINDOWEVENT_MINIMIZED:
      Minimised = true;
      break;
    case SDL_WINDOWEVENT_RESTORED:
      Minimised = false;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      if (!Minimised) {
        PresentFrame(1);
      }
      break;
    default:
      break;
  }
  return true;
}

bool HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:  // a termination signal, or the desktop closing the last window
      TraceStep("quit event");
      DestroyGameWindow();
      return false;
    case SDL_WINDOWEVENT:
      return HandleWindowEvent(event.window);
    case SDL_KEYDOWN:
      HandleKey(event.key);
      return true;
    default:
      return true;
  }
}

}  // namespace

bool StartWindowedGame(bool fullScreen, int scale) {
  gameWindow = CreateGameWindow(fullScreen, scale);
  if (gameWindow == nullptr) {
    ShowStartupFailure("ウィンドウの作成に失敗しました。");
    return false;
  }
  if (InitDisplay(gameWindow) == 0) {
    DestroyGameWindow();
    ShowStartupFailure("DirectDraw の初期化に失敗しました。");
    return false;
  }
  if (InitSound(SoundSlotCount) == 0) {
    DestroyGameWindow();
    ShowStartupFailure("ダイレクトサウンドの初期化に失敗しました。");
    return false;
  }
  LoadSoundTable();
  SDL_ShowWindow(gameWindow);
  SDL_RaiseWindow(gameWindow);
  Minimised = (SDL_GetWindowFlags(gameWindow) & SDL_WINDOW_MINIMIZED) != 0;
  SetFrameClock({nullptr, WindowedFrameWait()});
  InitGame();
  return true;
}

int RunEventLoop() {
  // A quit requested before the loop ends it before its first pass.
  while (!QuitRequested()) {
    SDL_Event event;
    if (SDL_PollEvent(&event) != 0) {
      if (!HandleEvent(event)) {
        break;
      }
    } else if (!Paused && !Minimised) {
      const int32_t scene = Game.CurrentScene;
      TraceKeysHeld();
      RunFrame();
      TraceSceneChange(scene, Game.CurrentScene);
    } else {
      SDL_Delay(1);
    }
  }
  WriteStateIfAsked();
  return 0;
}
