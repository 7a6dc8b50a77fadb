// Every binding the controls file accepts acts: each key of the keyboard and each pad input,
// bound through the file's text, holds its action in the frame's keys while it is down and lets
// it go when released. The names come from SDL's tables and the game's own, so a key or pad input
// added later is tested too.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "input/binding_text.h"
#include "input/controls_file.h"
#include "input/gamepads.h"
#include "input/input_map.h"
#include "input/key_names.h"
#include "services/keyboard.h"
#include "virtual_pad.h"

namespace {

struct Target {
  int player;
  Action action;
};

// The names take turns over both players' actions.
Target TargetOf(size_t index) {
  return {1 + static_cast<int>(index / ActionCount % PlayerCount), AllActions[index % ActionCount]};
}

std::string Describe(Target target) {
  return "player " + std::to_string(target.player) + " " + std::string(ActionName(target.action));
}

// Controls text that binds `tested` to the target and every other action of both players to one
// of `spares`, none bound twice; reads it back, and fails naming the binding on any complaint.
Controls ReadBinding(const std::string& tested, Target target,
                     const std::vector<std::string>& spares) {
  std::string text;
  size_t spare = 0;
  for (int player = 1; player <= PlayerCount; ++player) {
    text += "[player" + std::to_string(player) + "]\n";
    for (Action action : AllActions) {
      const bool isTarget = player == target.player && action == target.action;
      text +=
          std::string(ActionName(action)) + " = " + (isTarget ? tested : spares.at(spare++)) + "\n";
    }
  }
  std::vector<std::string> complaints;
  Controls controls = ReadControls(text, "controls.conf", complaints);
  // A clash with the sound's keys leaves the binding acting for the player too.
  std::erase_if(complaints, [](const std::string& complaint) {
    return complaint.find(" and game ") != std::string::npos;
  });
  EXPECT_EQ(complaints, std::vector<std::string>{}) << tested << " bound to " << Describe(target);
  return controls;
}

// The actions the game sees held through KeyDown once the frame is installed.
std::vector<std::string> ActionsHeld(const InputFrame& frame) {
  SetFrameInput(frame);
  std::vector<std::string> held;
  for (int player = 1; player <= PlayerCount; ++player) {
    for (Action action : AllActions) {
      if (KeyDown(ActionVirtualKey(player, action)) != 0) {
        held.push_back(Describe({player, action}));
      }
    }
  }
  SetFrameInput(InputFrame{});
  return held;
}

using Held = std::vector<std::string>;

// A pad input as the file may spell it, and how to push it.
struct PadInput {
  std::string name;
  bool button;
  int index;   // SDL's button or axis
  int pushed;  // an axis's value when pushed that way
};

int Rest(const PadInput& input) {
  const bool trigger = input.index == SDL_CONTROLLER_AXIS_TRIGGERLEFT ||
                       input.index == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
  return trigger ? SDL_JOYSTICK_AXIS_MIN : 0;
}

// Every button by its name; every axis with a minus, a plus and no sign.
std::vector<PadInput> PadInputNames() {
  std::vector<PadInput> inputs;
  for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
    const auto named = static_cast<SDL_GameControllerButton>(button);
    inputs.push_back(
        {std::string("pad:") + SDL_GameControllerGetStringForButton(named), true, button, 1});
  }
  for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
    const std::string name = std::string("pad:") + SDL_GameControllerGetStringForAxis(
                                                       static_cast<SDL_GameControllerAxis>(axis));
    inputs.push_back({name + "-", false, axis, SDL_JOYSTICK_AXIS_MIN});
    inputs.push_back({name + "+", false, axis, SDL_JOYSTICK_AXIS_MAX});
    inputs.push_back({name, false, axis, SDL_JOYSTICK_AXIS_MAX});
  }
  return inputs;
}

// The keyboard as the window reads it, through SDL's key map (the video layer's default one
// here), and the pads through SDL's game-controller layer.
class InputBindingsAct : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  static void TearDownTestSuite() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  }
  void TearDown() override {
    pads.CloseAll();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }

  // SDL maps a virtual pad's buttons only as far as the paddles; a mapping naming every button
  // and axis stands in for a pad that has them all.
  static void MapEveryInput(const VirtualPad& pad) {
    std::string mapping = pad.Guid() + ",Every Input Pad,";
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
      mapping += std::string(SDL_GameControllerGetStringForButton(
                     static_cast<SDL_GameControllerButton>(button))) +
                 ":b" + std::to_string(button) + ",";
    }
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
      mapping += std::string(SDL_GameControllerGetStringForAxis(
                     static_cast<SDL_GameControllerAxis>(axis))) +
                 ":a" + std::to_string(axis) + ",";
    }
    ASSERT_GE(
        SDL_GameControllerAddMapping((mapping + "platform:" + SDL_GetPlatform() + ",").c_str()), 0)
        << SDL_GetError();
  }

  InputFrame Frame(const Controls& controls) {
    SDL_PumpEvents();
    return MapInput(KeyboardSnapshot{}, pads.Read(), controls, InputContext::TwoPlayers);
  }

  // Binds the key by its name in the file and presses it at `position`, with Num Lock on and off.
  void ExpectActs(const std::string& name, SDL_Scancode position) {
    const std::optional<Binding> binding = BindingFromText(name);
    ASSERT_TRUE(binding) << "the controls file refuses the key " << name;
    // Letters stand in for no other key, so the spares never act with the key tested.
    std::vector<std::string> spares;
    for (char letter = 'A'; spares.size() + 1 < static_cast<size_t>(ActionCount * PlayerCount);
         ++letter) {
      if (BindingFromText(std::string(1, letter)) != binding) {
        spares.emplace_back(1, letter);
      }
    }
    const Target target = TargetOf(tested_++);
    const Controls controls = ReadBinding(name, target, spares);
    for (bool numLock : {false, true}) {
      std::array<Uint8, SDL_NUM_SCANCODES> keys{};
      KeyboardSnapshot keyboard{keys.data(), SDL_NUM_SCANCODES, numLock, SDL_GetScancodeFromKey};
      keys[position] = 1;
      EXPECT_EQ(ActionsHeld(MapInput(keyboard, {}, controls, InputContext::TwoPlayers)),
                Held{Describe(target)})
          << "key " << name << " held, Num Lock " << (numLock ? "on" : "off");
      keys[position] = 0;
      EXPECT_EQ(ActionsHeld(MapInput(keyboard, {}, controls, InputContext::TwoPlayers)), Held{})
          << "key " << name << " released";
    }
  }

  Gamepads pads;
  size_t tested_ = 0;
};

TEST_F(InputBindingsAct, EveryKeyOfTheKeyboardActsByTheNameTheFileWrites) {
  for (int position = SDL_SCANCODE_UNKNOWN + 1; position < SDL_NUM_SCANCODES; ++position) {
    const SDL_Keycode key = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(position));
    const std::string name = BindingText({Binding::Kind::Key, key});
    // SDL calls its second Return "Return" too: that name binds the main one, tested as such.
    const std::optional<Binding> read = BindingFromText(name);
    if (key != SDLK_UNKNOWN && (!read || read->code == key)) {
      ExpectActs(name, static_cast<SDL_Scancode>(position));
    }
  }
  EXPECT_GT(tested_, 100u);  // letters, digits, punctuation, named keys, the keypad
}

// The names key scripts and the trace use (Left, PageUp, F1, letters, digits) bind as they read.
TEST_F(InputBindingsAct, EveryNameTheGameGivesAKeyActs) {
  for (int virtualKey = 0; virtualKey < InputFrame::KeyCount; ++virtualKey) {
    const std::string name = VirtualKeyName(virtualKey);
    if (name != std::to_string(virtualKey)) {
      ExpectActs(name, SDL_GetScancodeFromName(name.c_str()));
    }
  }
  EXPECT_EQ(tested_, NamedKeys().size() + 26 + 10);
}

// In a match the first pad plays player 1 and the second player 2: each name is pushed on the pad
// of the player it is bound to.
TEST_F(InputBindingsAct, EveryPadInputTheFileAcceptsActsAndLetsGo) {
  std::array<VirtualPad, PlayerCount> players{VirtualPad("Player One Pad", 0x0b1),
                                              VirtualPad("Player Two Pad", 0x0b2)};
  for (const VirtualPad& pad : players) {
    MapEveryInput(pad);
  }
  testing::internal::CaptureStderr();
  pads.OpenAll();
  testing::internal::GetCapturedStderr();
  ASSERT_EQ(pads.Count(), PlayerCount) << "a joystick is plugged in; this test counts its own pads";

  const std::vector<PadInput> inputs = PadInputNames();
  std::vector<std::string> buttons;
  for (const PadInput& input : inputs) {
    if (input.button) {
      buttons.push_back(input.name);
    }
  }
  size_t tested = 0;
  for (const PadInput& input : inputs) {
    const std::optional<Binding> binding = BindingFromText(input.name);
    // A button and a push off the rest with its sign are always taken; the rest may be refused.
    const bool signed_ = input.name.back() == '-' || input.name.back() == '+';
    if (input.button || (signed_ && input.pushed != Rest(input))) {
      EXPECT_TRUE(binding) << "the controls file refuses " << input.name;
    }
    if (!binding) {
      continue;
    }
    std::vector<std::string> spares;
    for (const std::string& button : buttons) {
      if (button != input.name) {
        spares.push_back(button);
      }
    }
    const Target target = TargetOf(tested++);
    const Controls controls = ReadBinding(input.name, target, spares);
    VirtualPad& pad = players[target.player - 1];
    if (input.button) {
      pad.Press(static_cast<SDL_GameControllerButton>(input.index));
    } else {
      pad.SetAxis(static_cast<SDL_GameControllerAxis>(input.index), input.pushed);
    }
    EXPECT_EQ(ActionsHeld(Frame(controls)), Held{Describe(target)}) << input.name << " pushed";
    if (input.button) {
      pad.Release(static_cast<SDL_GameControllerButton>(input.index));
    } else {
      pad.SetAxis(static_cast<SDL_GameControllerAxis>(input.index), Rest(input));
    }
    EXPECT_EQ(ActionsHeld(Frame(controls)), Held{}) << input.name << " released";
  }
  // Every button, both ways of each stick and each trigger, with or without its plus.
  EXPECT_EQ(tested, SDL_CONTROLLER_BUTTON_MAX + 2u * SDL_CONTROLLER_AXIS_MAX);
}

}  // namespace
