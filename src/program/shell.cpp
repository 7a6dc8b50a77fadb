// The game window and its event loop on SDL: Pause, F12 and Alt+Return (full screen) are the only
// keys it handles itself, and pads' comings and goings and Start in play; the scenes poll every
// other key inside their frames.
#include "program/shell.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "gfx/display.h"
#include "gfx/surface_table.h"
#include "platform/config_folder.h"
#include "platform/display_device.h"
#include "platform/frame_clock.h"
#include "platform/message_box.h"
#include "platform/sound_device.h"
#include "platform/window_size.h"
#include "program/frame_driver.h"
#include "program/game_recorder.h"
#include "program/game_records.h"
#include "program/online_window.h"
#include "program/pause_state.h"
#include "program/rates_title.h"
#include "program/record_note.h"
#include "program/replay_shelf.h"
#include "program/screen_notes.h"
#include "program/window_input.h"
#include "program/window_pads.h"
#include "program/window_replay.h"
#include "program/window_sound.h"
#include "program/window_trace.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "services/data_path.h"
#include "services/keyboard.h"
#include "services/quit.h"
#include "services/texts.h"
#include "sound/sound_slots.h"

namespace {

constexpr int SoundSlotCount = 12;

SDL_Window* gameWindow = nullptr;
PauseState gamePause;
// No frame runs until the window has been shown at its normal size.
bool Minimised = true;
// A full-screen game that lost the focus waits for it as a minimised one waits to be restored.
bool Unfocused = false;
// The records of the games played, kept as each is saved.
RecordKeeper gameRecords(RecordsFilePath(), RecordReplaysFolderPath());
// Every game played, not the replays shown.
GameRecorder gameRecorder(ReplaysFolderPath(), KeptReplays, &gameRecords);

void SetWindowIcon(SDL_Window* window) {
  // Read as the pictures are: a damaged file is named on stderr and refused before SDL allocates.
  const std::string path = DataPath("icon.bmp");
  SDL_Surface* icon = ReadBitmap(SDL_RWFromFile(path.c_str(), "rb"), path.c_str());
  if (icon != nullptr) {
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
  }
}

SDL_Window* CreateGameWindow(bool fullScreen) {
  // A full-screen window that loses the focus stays on its screen, paused, rather than vanishing.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Full screen keeps the desktop's own mode; the display scales the picture into it.
  Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  flags |= fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_HIDDEN;
  // Made for OpenGL from the start: the GL renderer would otherwise destroy it and make another,
  // under a new id. Without OpenGL another renderer takes the plain window.
  SDL_Window* window = SDL_CreateWindow(GameTitle, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        ScreenWidth, ScreenHeight, flags | SDL_WINDOW_OPENGL);
  if (window == nullptr) {
    window = SDL_CreateWindow(GameTitle, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                              ScreenWidth, ScreenHeight, flags);
  }
  if (window != nullptr) {
    SetWindowIcon(window);
  }
  return window;
}

// Sizes the window (the size it returns to from full screen) for `scale` times the picture, 0 for
// the largest that fits, and centres it in the display's usable area. Needs the display open, for
// the pixel density, and the window shown, for its borders.
void FitWindowToDisplay(int scale) {
  const int display = SDL_GetWindowDisplayIndex(gameWindow);
  SDL_Rect usable{};
  if (display < 0 || SDL_GetDisplayUsableBounds(display, &usable) != 0) {
    return;
  }
  WindowBorders borders;
  if (SDL_GetWindowBordersSize(gameWindow, &borders.top, &borders.left, &borders.bottom,
                               &borders.right) != 0) {
    borders = {};
  }
  const WindowSize area{usable.w, usable.h};
  const double density = DisplayPixelsPerPoint();
  const WindowSize smallest = InitialWindowSize(area, borders, density, 1);
  const WindowSize size = InitialWindowSize(area, borders, density, scale);
  SDL_SetWindowMinimumSize(gameWindow, smallest.width, smallest.height);
  SDL_SetWindowSize(gameWindow, size.width, size.height);
  const int outerWidth = size.width + borders.left + borders.right;
  const int outerHeight = size.height + borders.top + borders.bottom;
  SDL_SetWindowPosition(gameWindow,
                        usable.x + std::max(0, (usable.w - outerWidth) / 2) + borders.left,
                        usable.y + std::max(0, (usable.h - outerHeight) / 2) + borders.top);
}

// The window's destruction: pictures, then sound, then the display, then the window itself.
void DestroyGameWindow() {
  CloseWindowPads();
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

// The game being played is saved before anything else goes.
void SaveGame() {
  if (gameRecorder.SaveGameInProgress()) {
    TraceReplaySaved(gameRecorder.LastSaved());
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

bool ShownFullScreen() {
  return (SDL_GetWindowFlags(gameWindow) & SDL_WINDOW_FULLSCREEN) != 0;
}

void SwitchFullScreen() {
  const bool fullScreen = !ShownFullScreen();
  if (SDL_SetWindowFullscreen(gameWindow, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) {
    TraceStep(fullScreen ? "full screen on" : "full screen off");
  }
}

void HandleKey(const SDL_KeyboardEvent& key) {
  // A held key's auto-repeat would toggle the pause on and off many times a second.
  if (key.repeat != 0) {
    return;
  }
  if (key.keysym.scancode == SDL_SCANCODE_RETURN && (key.keysym.mod & KMOD_ALT) != 0) {
    // The title would take this Return for its menu.
    HideReturnUntilReleased();
    SwitchFullScreen();
  } else if (key.keysym.scancode == SDL_SCANCODE_PAUSE) {
    gamePause.PressPause();
    TraceStep(gamePause.Paused() ? "paused" : "resumed");
  } else if (key.keysym.scancode == SDL_SCANCODE_F12) {
    gamePause.Hold();
    PostClose();
  }
}

// False when the window has gone and the loop must end.
bool HandleWindowEvent(const SDL_WindowEvent& window) {
  switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      TraceStep("window closed");
      SaveGame();
      DestroyGameWindow();
      return false;
    case SDL_WINDOWEVENT_MINIMIZED:
      Minimised = true;
      break;
    case SDL_WINDOWEVENT_RESTORED:
      Minimised = false;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // A paused game shows its last picture at the new size too.
      if (!Minimised) {
        PresentFrame(1);
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      Unfocused = ShownFullScreen();
      TraceStep("focus lost");
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      Unfocused = false;
      TraceStep("focus back");
      break;
    default:
      break;
  }
  return true;
}

bool HandleEvent(const SDL_Event& event) {
  // A paused game shows its picture again with the note.
  if (HandleSoundEvent(event) && gamePause.Paused()) {
    PresentFrame(1);
  }
  switch (event.type) {
    case SDL_QUIT:  // a termination signal, or the desktop closing the last window
      TraceStep("quit event");
      SaveGame();
      DestroyGameWindow();
      return false;
    case SDL_WINDOWEVENT:
      return HandleWindowEvent(event.window);
    case SDL_KEYDOWN:
      HandleKey(event.key);
      return true;
    default:
      HandleWindowPadEvent(event, gamePause);
      return true;
  }
}

// The replay shown, or the game played with the keys held and recorded.
void RunWindowFrame(const InputFrame& input) {
  if (ShowingReplay()) {
    RunReplayFrames(input);
    return;
  }
  SetFrameInput(input);
  TraceKeysHeld(input);
  gameRecorder.BeforeFrame(input);
  const int32_t scene = Game.CurrentScene;
  RunFrame();
  TraceSceneChange(scene, Game.CurrentScene);
  if (gameRecorder.AfterFrame()) {
    TraceReplaySaved(gameRecorder.LastSaved());
  }
  // The game's own game-over screen stays as it is; the record is told over it.
  if (scene != SceneGameOver && Game.CurrentScene == SceneGameOver) {
    const std::string note = RecordNote(gameRecorder.RecordRank());
    if (!note.empty()) {
      ShowNote(note, NowSeconds());
      TraceStep(("note " + note).c_str());
    }
  }
}

// Online, Escape, Return, Backspace and typed text go to the online window, the close box and
// F12 tell the opponent, and there is no pause: the match runs on the opponent's machine whatever
// this one does.
bool HandleOnlineEvent(const SDL_Event& event, OnlineWindow& online) {
  if (event.type == SDL_TEXTINPUT) {
    online.TypeText(event.text.text);
  }
  // Backspace repeats as it does in any text field.
  if (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_BACKSPACE) {
    online.PressBackspace();
  }
  if (event.type == SDL_KEYDOWN && event.key.repeat == 0 &&
      (event.key.keysym.mod & KMOD_ALT) == 0) {
    const SDL_Scancode key = event.key.keysym.scancode;
    if (key == SDL_SCANCODE_ESCAPE) {
      online.PressEscape();
    } else if (key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER) {
      online.PressReturn();
    } else if (key == SDL_SCANCODE_PAUSE) {
      return true;
    }
  }
  const bool closing = event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT &&
                                                  event.window.event == SDL_WINDOWEVENT_CLOSE);
  if (closing) {
    online.Close();
  }
  // A code's M or dash is text, not the sound's mute or volume; F12 and Alt+Return still act.
  if (event.type == SDL_KEYDOWN && online.TypingCode()) {
    HandleKey(event.key);
    return true;
  }
  return HandleEvent(event);
}

}  // namespace

bool StartWindowedGame(bool fullScreen, int scale) {
  gameWindow = CreateGameWindow(fullScreen);
  if (gameWindow == nullptr) {
    ShowStartupFailure(Tr("ウィンドウの作成に失敗しました。"));
    return false;
  }
  if (InitDisplay(gameWindow) == 0) {
    DestroyGameWindow();
    ShowStartupFailure(Tr("DirectDraw の初期化に失敗しました。"));
    return false;
  }
  // A machine without a usable sound device still plays the game, in silence.
  if (InitSound(SoundSlotCount) == 0) {
    std::fprintf(stderr, Tr("astorine: no usable sound device (%s); playing without sound.\n"),
                 SDL_GetError());
  }
  LoadSoundTable();
  StartWindowPads();
  SDL_ShowWindow(gameWindow);
  FitWindowToDisplay(scale);
  SDL_RaiseWindow(gameWindow);
  Minimised = (SDL_GetWindowFlags(gameWindow) & SDL_WINDOW_MINIMIZED) != 0;
  SetFrameClock({nullptr, WindowedFrameWait()});
  InitGame();
  StartWindowReplay();
  return true;
}

bool WindowPaused() {
  return gamePause.Paused();
}

int RunEventLoop() {
  // A quit requested before the loop ends it before its first pass.
  while (!QuitRequested()) {
    SDL_Event event;
    if (SDL_PollEvent(&event) != 0) {
      if (!HandleEvent(event)) {
        break;
      }
    } else if (!gamePause.Paused() && !Minimised && !Unfocused) {
      ExpireNote(NowSeconds());
      RunWindowFrame(GatherWindowInput(ReadWindowPads()));
      ShowRatesInTitle(gameWindow, NowSeconds());
    } else {
      if (ExpireNote(NowSeconds()) && !Minimised) {
        PresentFrame(1);
      }
      SDL_Delay(1);
    }
  }
  SaveGame();
  TraceFramesPresented(FramesRun(), PresentedFrames());
  WriteStateIfAsked();
  return 0;
}

int RunOnlineEventLoop(OnlineWindow& online) {
  bool windowOpen = true;
  while (windowOpen && !online.Done() && !QuitRequested()) {
    SDL_Event event;
    if (SDL_PollEvent(&event) != 0) {
      windowOpen = HandleOnlineEvent(event, online);
    } else {
      ExpireNote(NowSeconds());
      if (online.Tick(NowSeconds(), GatherWindowInput(ReadWindowPads()))) {
        ShowRatesInTitle(gameWindow, NowSeconds());
      } else {
        SDL_Delay(1);
      }
    }
  }
  TraceFramesPresented(FramesRun(), PresentedFrames());
  if (windowOpen) {
    online.Close();
    DestroyGameWindow();
  }
  WriteStateIfAsked();
  return 0;
}
