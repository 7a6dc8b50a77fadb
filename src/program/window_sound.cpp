// Mute and volume in the window. A key held down repeats the volume's steps, never the mute.
#include "program/window_sound.h"

#include <cstdio>
#include <map>
#include <optional>
#include <utility>

#include "input/game_keys.h"
#include "input/pad_reading.h"
#include "input/pad_state.h"
#include "platform/frame_clock.h"
#include "program/screen_notes.h"
#include "program/settings_saving.h"
#include "program/window_trace.h"
#include "settings/sound_settings.h"
#include "sound/sound_levels.h"

namespace {

Settings settings;
Controls controls;
// Each pad's axes as directions, by pad and axis: -1, 0 or 1, for the press of a direction.
std::map<std::pair<SDL_JoystickID, int>, int> axisDirections;

void ApplyLevels() {
  const SoundLevels levels = LevelsOf(settings);
  SetSoundLevels(levels.tunes, levels.effects);
}

void Act(GameAction action) {
  settings = AfterGameAction(settings, action);
  ApplyLevels();
  ShowNote(SoundNote(settings), NowSeconds());
  TraceSound(settings.volume, settings.mute, SoundLevel(SndTitleBgm), SoundLevel(SndSelect));
  SavePlayerSettings(settings);
}

std::optional<GameAction> KeyAction(const SDL_KeyboardEvent& key) {
  // Ctrl, Alt and the logo key make a press the desktop's or another shortcut.
  if ((key.keysym.mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) != 0) {
    return std::nullopt;
  }
  const std::optional<GameAction> action = GameActionOfKey(controls, key.keysym.sym);
  if (action == GameAction::Mute && key.repeat != 0) {
    return std::nullopt;
  }
  return action;
}

// A stick or trigger pressed into a direction it did not hold before.
std::optional<GameAction> AxisAction(const SDL_ControllerAxisEvent& motion) {
  int& direction = axisDirections[{motion.which, motion.axis}];
  const int before = direction;
  const auto axis = static_cast<SDL_GameControllerAxis>(motion.axis);
  direction = StickDirectionHeld(before > 0, motion.value)    ? 1
              : StickDirectionHeld(before < 0, -motion.value) ? -1
                                                              : 0;
  if (direction == 0 || direction == before) {
    return std::nullopt;
  }
  return GameActionOfPadInput(controls, PadAxisInput(axis, direction));
}

}  // namespace

void StartWindowSound(const Settings& start, const Controls& bindings) {
  settings = start;
  controls = bindings;
  ApplyLevels();
}

bool HandleSoundEvent(const SDL_Event& event) {
  std::optional<GameAction> action;
  if (event.type == SDL_KEYDOWN) {
    action = KeyAction(event.key);
  } else if (event.type == SDL_CONTROLLERBUTTONDOWN) {
    const auto button = static_cast<SDL_GameControllerButton>(event.cbutton.button);
    action = GameActionOfPadInput(controls, PadButtonInput(button));
  } else if (event.type == SDL_CONTROLLERAXISMOTION) {
    action = AxisAction(event.caxis);
  }
  if (!action) {
    return false;
  }
  Act(*action);
  return true;
}
