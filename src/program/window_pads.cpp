#include "program/window_pads.h"

#include <cstdio>
#include <string>

#include "input/gamepads.h"
#include "input/input_context.h"
#include "input/pad_mappings.h"
#include "platform/config_folder.h"
#include "program/window_trace.h"
#include "scenes/game_state.h"
#include "services/texts.h"

namespace {

Gamepads gamepads;

void TracePad(const char* happening, int place) {
  TraceStep(("pad " + std::string(happening) + " " + std::to_string(place + 1)).c_str());
}

}  // namespace

void StartWindowPads() {
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, Tr("astorine: no gamepads (%s); playing with the keyboard.\n"),
                 SDL_GetError());
    return;
  }
  AddUserPadMappings(PadMappingsFilePath().string());
  gamepads.OpenAll();
}

void HandleWindowPadEvent(const SDL_Event& event, PauseState& pause) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      for (int place : gamepads.OpenAll()) {
        TracePad("connected", place);
        if (pause.PadCame()) {
          TraceStep("resumed");
        }
      }
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (const std::optional<int> place = gamepads.Disconnect(event.cdevice.which)) {
        TracePad("removed", *place);
        if (pause.PadLeft(*place, InputContextOf(Game))) {
          TraceStep("paused");
        }
      }
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      // In menus Start is Return, read with the other held keys.
      if (event.cbutton.button == SDL_CONTROLLER_BUTTON_START &&
          InputContextOf(Game) != InputContext::Menu) {
        pause.PressPause();
        TraceStep(pause.Paused() ? "paused" : "resumed");
      }
      break;
    default:
      break;
  }
}

std::span<const PadState> ReadWindowPads() {
  return gamepads.Read();
}

void CloseWindowPads() {
  gamepads.CloseAll();
}
