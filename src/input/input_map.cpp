// The fixed keys, the keypad's twins and the players' bindings, into one InputFrame.
#include "input/input_map.h"

#include <array>

#include "scenes/title.h"
#include "services/keyboard.h"

namespace {

struct KeypadTwin {
  SDL_Scancode main;
  SDL_Scancode keypad;
};
// Keys the keypad stands in for while Num Lock is off.
constexpr std::array<KeypadTwin, 6> NavigationTwins{{
    {SDL_SCANCODE_LEFT, SDL_SCANCODE_KP_4},
    {SDL_SCANCODE_RIGHT, SDL_SCANCODE_KP_6},
    {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8},
    {SDL_SCANCODE_DOWN, SDL_SCANCODE_KP_2},
    {SDL_SCANCODE_HOME, SDL_SCANCODE_KP_7},
    {SDL_SCANCODE_PAGEUP, SDL_SCANCODE_KP_9},
}};

struct FixedKey {
  int virtualKey;
  SDL_Scancode position;
};
// Keys that act by position in every context; the menus add the arrows that players steer with.
constexpr std::array<FixedKey, 12> FixedKeys{{
    {KeyReturn, SDL_SCANCODE_RETURN},
    {KeyEscape, SDL_SCANCODE_ESCAPE},
    {KeyPageUp, SDL_SCANCODE_PAGEUP},
    {KeyHome, SDL_SCANCODE_HOME},
    {KeyUp, SDL_SCANCODE_UP},
    {KeyF1, SDL_SCANCODE_F1},
    {KeyF2, SDL_SCANCODE_F2},
    {KeyF3, SDL_SCANCODE_F3},
    {KeyF4, SDL_SCANCODE_F4},
    {KeyF5, SDL_SCANCODE_F5},
    {KeyF6, SDL_SCANCODE_F6},
    {KeyF7, SDL_SCANCODE_F7},
}};
constexpr std::array<FixedKey, 3> MenuArrows{{
    {KeyLeft, SDL_SCANCODE_LEFT},
    {KeyRight, SDL_SCANCODE_RIGHT},
    {KeyDown_, SDL_SCANCODE_DOWN},
}};

bool Down(const KeyboardSnapshot& keyboard, SDL_Scancode position) {
  return position > SDL_SCANCODE_UNKNOWN && position < keyboard.count &&
         keyboard.held[position] != 0;
}

bool PositionHeld(const KeyboardSnapshot& keyboard, SDL_Scancode position) {
  if (Down(keyboard, position)) {
    return true;
  }
  if (position == SDL_SCANCODE_RETURN) {
    return Down(keyboard, SDL_SCANCODE_KP_ENTER);
  }
  if (!keyboard.numLock) {
    for (const KeypadTwin& twin : NavigationTwins) {
      if (twin.main == position) {
        return Down(keyboard, twin.keypad);
      }
    }
  }
  return false;
}

// Keys that type no character (arrows, function keys) carry their position in their code.
bool KeyHeld(const KeyboardSnapshot& keyboard, SDL_Keycode key) {
  if ((key & SDLK_SCANCODE_MASK) != 0) {
    return PositionHeld(keyboard, static_cast<SDL_Scancode>(key & ~SDLK_SCANCODE_MASK));
  }
  return keyboard.layout != nullptr && PositionHeld(keyboard, keyboard.layout(key));
}

bool PadsHold(std::span<const PadState> pads, int player, InputContext context, int input) {
  for (size_t index = 0; index < pads.size(); ++index) {
    if (PadPlayer(static_cast<int>(index), context) == player && pads[index].Holds(input)) {
      return true;
    }
  }
  return false;
}

bool AnyPadHolds(std::span<const PadState> pads, std::span<const int> inputs) {
  for (const PadState& pad : pads) {
    for (int input : inputs) {
      if (pad.Holds(input)) {
        return true;
      }
    }
  }
  return false;
}

void MapMenuPads(std::span<const PadState> pads, InputFrame& frame) {
  struct PadMenuKey {
    int virtualKey;
    std::array<int, 2> inputs;  // -1: none
  };
  const std::array<PadMenuKey, 7> keys{{
      {KeyUp,
       {PadButtonInput(SDL_CONTROLLER_BUTTON_DPAD_UP),
        PadAxisInput(SDL_CONTROLLER_AXIS_LEFTY, -1)}},
      {KeyDown_,
       {PadButtonInput(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
        PadAxisInput(SDL_CONTROLLER_AXIS_LEFTY, 1)}},
      {KeyLeft,
       {PadButtonInput(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
        PadAxisInput(SDL_CONTROLLER_AXIS_LEFTX, -1)}},
      {KeyRight,
       {PadButtonInput(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
        PadAxisInput(SDL_CONTROLLER_AXIS_LEFTX, 1)}},
      {KeyReturn,
       {PadButtonInput(SDL_CONTROLLER_BUTTON_START), PadButtonInput(SDL_CONTROLLER_BUTTON_A)}},
      {HardStartKey, {PadButtonInput(SDL_CONTROLLER_BUTTON_LEFTSHOULDER), -1}},
      {TestStartKey, {PadButtonInput(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), -1}},
  }};
  for (const PadMenuKey& key : keys) {
    if (AnyPadHolds(pads, key.inputs)) {
      frame.Press(key.virtualKey);
    }
  }
}

void MapPlayers(const KeyboardSnapshot& keyboard, std::span<const PadState> pads,
                const Controls& controls, InputContext context, InputFrame& frame) {
  for (int player = 1; player <= PlayerCount; ++player) {
    for (Action action : AllActions) {
      for (const Binding& binding : controls.Of(player, action)) {
        const bool held = binding.kind == Binding::Kind::Key
                              ? KeyHeld(keyboard, static_cast<SDL_Keycode>(binding.code))
                              : PadsHold(pads, player, context, binding.code);
        if (held) {
          frame.Press(ActionVirtualKey(player, action));
          break;
        }
      }
    }
  }
  const std::array<int, 1> back{PadButtonInput(SDL_CONTROLLER_BUTTON_BACK)};
  if (context == InputContext::SoloPlay && AnyPadHolds(pads, back)) {
    frame.Press(KeyEscape);
  }
}

}  // namespace

int PadPlayer(int padIndex, InputContext context) {
  switch (context) {
    case InputContext::Menu:
      return 0;
    case InputContext::TwoPlayers:
      return padIndex < PlayerCount ? padIndex + 1 : 0;
    case InputContext::SoloPlay:
    case InputContext::AgainstComputer:
      return 1;
  }
  return 0;
}

InputFrame MapInput(const KeyboardSnapshot& keyboard, std::span<const PadState> pads,
                    const Controls& controls, InputContext context) {
  InputFrame frame;
  for (const FixedKey& key : FixedKeys) {
    if (PositionHeld(keyboard, key.position)) {
      frame.Press(key.virtualKey);
    }
  }
  // The title's start keys, held with Return; letters, so they follow the layout.
  if (KeyHeld(keyboard, SDLK_h)) {
    frame.Press(HardStartKey);
  }
  if (KeyHeld(keyboard, SDLK_d)) {
    frame.Press(TestStartKey);
  }
  if (context == InputContext::Menu) {
    for (const FixedKey& key : MenuArrows) {
      if (PositionHeld(keyboard, key.position)) {
        frame.Press(key.virtualKey);
      }
    }
    MapMenuPads(pads, frame);
  } else {
    MapPlayers(keyboard, pads, controls, context, frame);
  }
  return frame;
}
