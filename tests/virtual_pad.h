// A gamepad for tests: an SDL virtual joystick with the standard buttons and axes, which SDL's
// game-controller layer maps as a standard pad (button and axis numbers as SDL's enums). Its
// vendor and product ids give it a GUID that mappings can name. An update function, if given, is
// called by SDL's event pump to set the pad's inputs.
#pragma once
#include <SDL.h>

#include <string>

class VirtualPad {
 public:
  explicit VirtualPad(const char* name, Uint16 product = 1, void (*update)(void*) = nullptr) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.vendor_id = 0x1209;
    desc.product_id = product;
    desc.name = name;
    desc.Update = update;
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = SDL_JoystickOpen(device);
    // A virtual trigger's range starts at -32768, where SDL reads it as released.
    SetAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
    SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
  }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;
  ~VirtualPad() { Detach(); }

  bool Attached() const { return joystick_ != nullptr; }
  std::string Guid() const {
    char text[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(joystick_), text, sizeof text);
    return text;
  }
  void Press(SDL_GameControllerButton button, bool down = true) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  void Release(SDL_GameControllerButton button) { Press(button, false); }
  void SetAxis(SDL_GameControllerAxis axis, int value) {
    SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(value));
  }
  // Unplugs the pad. SDL numbers devices by their place, which others' leaving changes.
  void Detach() {
    if (joystick_ == nullptr) {
      return;
    }
    const SDL_JoystickID instance = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int device = 0; device < SDL_NumJoysticks(); ++device) {
      if (SDL_JoystickGetDeviceInstanceID(device) == instance) {
        SDL_JoystickDetachVirtual(device);
        return;
      }
    }
  }

 private:
  SDL_Joystick* joystick_ = nullptr;
};
