// The default controls and the names of keys and pad inputs in the controls file.
#include "input/bindings.h"

#include "input/pad_state.h"

namespace {

Binding Key(SDL_Keycode key) {
  return {Binding::Kind::Key, static_cast<int>(key)};
}
Binding Button(SDL_GameControllerButton button) {
  return {Binding::Kind::Pad, PadButtonInput(button)};
}
Binding Axis(SDL_GameControllerAxis axis, int direction) {
  return {Binding::Kind::Pad, PadAxisInput(axis, direction)};
}

bool IsTrigger(SDL_GameControllerAxis axis) {
  return axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
}

std::optional<Binding> PadBindingNamed(std::string_view name) {
  if (name.empty() || name.size() > 32) {
    return std::nullopt;
  }
  const std::string text(name);
  const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(text.c_str());
  if (button != SDL_CONTROLLER_BUTTON_INVALID) {
    return Button(button);
  }
  // An axis with its direction: leftx- or leftx+; a trigger pulls one way only, so its sign may
  // be left out.
  const char last = text.back();
  const bool signed_ = last == '-' || last == '+';
  const std::string axisName = signed_ ? text.substr(0, text.size() - 1) : text;
  const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(axisName.c_str());
  if (axis == SDL_CONTROLLER_AXIS_INVALID || axisName.empty() || axisName[0] == '+' ||
      axisName[0] == '-') {
    return std::nullopt;
  }
  if (IsTrigger(axis)) {
    return last == '-' ? std::nullopt : std::optional<Binding>(Axis(axis, 1));
  }
  return signed_ ? std::optional<Binding>(Axis(axis, last == '-' ? -1 : 1)) : std::nullopt;
}

}  // namespace

Controls DefaultControls() {
  Controls controls;
  const std::array<ActionBindings, ActionCount> pad{{
      {Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT), Axis(SDL_CONTROLLER_AXIS_LEFTX, -1)},
      {Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), Axis(SDL_CONTROLLER_AXIS_LEFTX, 1)},
      {Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN), Axis(SDL_CONTROLLER_AXIS_LEFTY, 1)},
      {Button(SDL_CONTROLLER_BUTTON_A), Button(SDL_CONTROLLER_BUTTON_X),
       Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER)},
      {Button(SDL_CONTROLLER_BUTTON_B), Button(SDL_CONTROLLER_BUTTON_Y),
       Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)},
  }};
  const std::array<std::array<SDL_Keycode, ActionCount>, PlayerCount> keys{{
      {SDLK_LEFT, SDLK_RIGHT, SDLK_DOWN, SDLK_k, SDLK_l},
      {SDLK_e, SDLK_t, SDLK_r, SDLK_a, SDLK_s},
  }};
  for (int player = 1; player <= PlayerCount; ++player) {
    for (Action action : AllActions) {
      ActionBindings& bindings = controls.Of(player, action);
      bindings.push_back(Key(keys[player - 1][static_cast<int>(action)]));
      const ActionBindings& pads = pad[static_cast<int>(action)];
      bindings.insert(bindings.end(), pads.begin(), pads.end());
    }
  }
  controls.Of(GameAction::Mute) = {Key(SDLK_m), Button(SDL_CONTROLLER_BUTTON_RIGHTSTICK)};
  controls.Of(GameAction::VolumeDown) = {Key(SDLK_MINUS), Key(SDLK_KP_MINUS)};
  controls.Of(GameAction::VolumeUp) = {Key(SDLK_EQUALS), Key(SDLK_KP_PLUS)};
  return controls;
}

std::optional<Binding> BindingNamed(std::string_view name) {
  if (name.substr(0, PadPrefix.size()) == PadPrefix) {
    return PadBindingNamed(name.substr(PadPrefix.size()));
  }
  if (name.empty() || name.size() > 32) {
    return std::nullopt;
  }
  const SDL_Keycode key = SDL_GetKeyFromName(std::string(name).c_str());
  if (key == SDLK_UNKNOWN) {
    return std::nullopt;
  }
  return Key(key);
}

std::string BindingName(const Binding& binding) {
  if (binding.kind == Binding::Kind::Key) {
    return SDL_GetKeyName(static_cast<SDL_Keycode>(binding.code));
  }
  if (binding.code < SDL_CONTROLLER_BUTTON_MAX) {
    const char* name =
        SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(binding.code));
    return std::string(PadPrefix) + (name != nullptr ? name : "?");
  }
  const int axisInput = binding.code - SDL_CONTROLLER_BUTTON_MAX;
  const auto axis = static_cast<SDL_GameControllerAxis>(axisInput / 2);
  const char* name = SDL_GameControllerGetStringForAxis(axis);
  const std::string axisName = std::string(PadPrefix) + (name != nullptr ? name : "?");
  if (IsTrigger(axis)) {
    return axisName;
  }
  return axisName + (axisInput % 2 == 1 ? "+" : "-");
}
