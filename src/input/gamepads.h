// The connected gamepads, in the order they came: the first plays player 1 and the second
// player 2 in a two-player match. When a pad goes, those after it move up a place.
#pragma once
#include <SDL.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "input/pad_state.h"

class Gamepads {
 public:
  Gamepads() = default;
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;
  ~Gamepads() { CloseAll(); }

  // Opens every game controller SDL offers that is not open yet, in SDL's device order, and
  // announces each on stderr; the places they took. Called at start and for each
  // SDL_CONTROLLERDEVICEADDED, whose device index may be stale once another device has gone.
  std::vector<int> OpenAll();
  // A device went (SDL_CONTROLLERDEVICEREMOVED gives its instance id): closes it and announces
  // it. The place it had, or nullopt when it was not open here.
  std::optional<int> Disconnect(SDL_JoystickID instance);
  // Each pad's state as of the last event drain, in order.
  std::span<const PadState> Read();
  int Count() const { return static_cast<int>(pads_.size()); }
  void CloseAll();

 private:
  // Its place, or nullopt when it was open already or cannot be opened.
  std::optional<int> Open(int deviceIndex);

  struct Pad {
    SDL_GameController* controller;
    SDL_JoystickID instance;
    std::string name;
  };
  std::vector<Pad> pads_;
  // Each pad's last state, parallel to pads_: the hysteresis of its sticks starts from it.
  std::vector<PadState> states_;
};
