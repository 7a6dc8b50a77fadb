#include "input/gamepads.h"

#include <algorithm>
#include <cstdio>

#include "input/pad_reading.h"
#include "services/texts.h"

std::vector<int> Gamepads::OpenAll() {
  std::vector<int> opened;
  for (int device = 0; device < SDL_NumJoysticks(); ++device) {
    if (!SDL_IsGameController(device)) {
      continue;
    }
    if (const std::optional<int> place = Open(device)) {
      opened.push_back(*place);
    }
  }
  return opened;
}

std::optional<int> Gamepads::Open(int deviceIndex) {
  const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  // Every call meets the pads opened before.
  const bool known = std::any_of(pads_.begin(), pads_.end(),
                                 [instance](const Pad& pad) { return pad.instance == instance; });
  if (instance < 0 || known) {
    return std::nullopt;
  }
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) {
    std::fprintf(stderr, Tr("astorine: gamepad not opened: %s\n"), SDL_GetError());
    return std::nullopt;
  }
  const char* name = SDL_GameControllerName(controller);
  pads_.push_back({controller, instance, name != nullptr ? name : Tr("unnamed")});
  states_.emplace_back();
  std::fprintf(stderr, Tr("astorine: gamepad connected: %s\n"), pads_.back().name.c_str());
  return Count() - 1;
}

std::optional<int> Gamepads::Disconnect(SDL_JoystickID instance) {
  const auto gone = std::find_if(pads_.begin(), pads_.end(),
                                 [instance](const Pad& pad) { return pad.instance == instance; });
  if (gone == pads_.end()) {
    return std::nullopt;
  }
  const int place = static_cast<int>(gone - pads_.begin());
  std::fprintf(stderr, Tr("astorine: gamepad disconnected: %s\n"), gone->name.c_str());
  SDL_GameControllerClose(gone->controller);
  pads_.erase(gone);
  states_.erase(states_.begin() + place);
  return place;
}

std::span<const PadState> Gamepads::Read() {
  for (size_t place = 0; place < pads_.size(); ++place) {
    states_[place] = ReadPad(pads_[place].controller, states_[place]);
  }
  return states_;
}

void Gamepads::CloseAll() {
  for (const Pad& pad : pads_) {
    SDL_GameControllerClose(pad.controller);
  }
  pads_.clear();
  states_.clear();
}
