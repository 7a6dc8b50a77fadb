// From held keys and pads to the frame's virtual keys: layouts, the keypad, menus against play,
// and which pad plays whom.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "input/input_map.h"
#include "services/keyboard.h"

namespace {

// A US keyboard: each letter on the key of its own name.
SDL_Scancode UsLayout(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) {
    return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (key - SDLK_a));
  }
  if ((key & SDLK_SCANCODE_MASK) != 0) {
    return static_cast<SDL_Scancode>(key & ~SDLK_SCANCODE_MASK);
  }
  return SDL_SCANCODE_UNKNOWN;
}

// AZERTY swaps A with Q and Z with W.
SDL_Scancode AzertyLayout(SDL_Keycode key) {
  switch (key) {
    case SDLK_a:
      return SDL_SCANCODE_Q;
    case SDLK_q:
      return SDL_SCANCODE_A;
    case SDLK_z:
      return SDL_SCANCODE_W;
    case SDLK_w:
      return SDL_SCANCODE_Z;
    default:
      return UsLayout(key);
  }
}

// Dvorak: the letters the game uses, on the US keys they sit on.
SDL_Scancode DvorakLayout(SDL_Keycode key) {
  switch (key) {
    case SDLK_h:
      return SDL_SCANCODE_J;
    case SDLK_d:
      return SDL_SCANCODE_H;
    case SDLK_k:
      return SDL_SCANCODE_V;
    case SDLK_l:
      return SDL_SCANCODE_P;
    case SDLK_e:
      return SDL_SCANCODE_D;
    case SDLK_t:
      return SDL_SCANCODE_K;
    case SDLK_r:
      return SDL_SCANCODE_O;
    case SDLK_a:
      return SDL_SCANCODE_A;
    case SDLK_s:
      return SDL_SCANCODE_SEMICOLON;
    default:
      return SDL_SCANCODE_UNKNOWN;
  }
}

struct Keyboard {
  std::array<Uint8, SDL_NUM_SCANCODES> held{};
  KeyboardSnapshot snapshot{held.data(), SDL_NUM_SCANCODES, false, UsLayout};
  Keyboard(std::initializer_list<SDL_Scancode> down, LayoutLookup layout = UsLayout,
           bool numLock = false) {
    for (SDL_Scancode key : down) {
      held[key] = 1;
    }
    snapshot.layout = layout;
    snapshot.numLock = numLock;
  }
};

std::vector<int> HeldKeys(const InputFrame& frame) {
  std::vector<int> keys;
  for (int key = 0; key < InputFrame::KeyCount; ++key) {
    if (frame.Held(key)) {
      keys.push_back(key);
    }
  }
  return keys;
}

std::vector<int> Map(const Keyboard& keyboard, InputContext context,
                     const Controls& controls = DefaultControls(),
                     std::vector<PadState> pads = {}) {
  return HeldKeys(MapInput(keyboard.snapshot, pads, controls, context));
}

PadState Pad(std::initializer_list<int> inputs) {
  PadState pad;
  for (int input : inputs) {
    pad.held.set(input);
  }
  return pad;
}

using Keys = std::vector<int>;

TEST(InputMap, LettersFollowTheLayoutAndOtherKeysTheirPosition) {
  // AZERTY: player 2 turns with the key labelled A, where a US keyboard has Q.
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_Q}, AzertyLayout), InputContext::TwoPlayers), Keys{'A'});
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_A}, AzertyLayout), InputContext::TwoPlayers), Keys{});
  // Dvorak: the start keys and every player letter sit elsewhere; the arrows do not move.
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_J, SDL_SCANCODE_RETURN}, DvorakLayout), InputContext::Menu),
            (Keys{KeyReturn, 'H'}));
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_H}, DvorakLayout), InputContext::Menu), Keys{'D'});
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_V, SDL_SCANCODE_P, SDL_SCANCODE_D, SDL_SCANCODE_K,
                          SDL_SCANCODE_O, SDL_SCANCODE_A, SDL_SCANCODE_SEMICOLON},
                         DvorakLayout),
                InputContext::TwoPlayers),
            (Keys{'A', 'E', 'K', 'L', 'R', 'S', 'T'}));
  EXPECT_EQ(
      Map(Keyboard({SDL_SCANCODE_LEFT, SDL_SCANCODE_F3}, DvorakLayout), InputContext::SoloPlay),
      (Keys{KeyLeft, KeyF3}));
}

TEST(InputMap, TheKeypadStandsInForTheMainKeysWhileNumLockIsOff) {
  const Keyboard keypad({SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_2,
                         SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_9, SDL_SCANCODE_KP_ENTER});
  EXPECT_EQ(Map(keypad, InputContext::Menu),
            (Keys{KeyReturn, KeyPageUp, KeyHome, KeyLeft, KeyUp, KeyRight, KeyDown_}));
  EXPECT_EQ(Map(keypad, InputContext::SoloPlay),
            (Keys{KeyReturn, KeyPageUp, KeyHome, KeyLeft, KeyUp, KeyRight, KeyDown_}));
  const Keyboard numLocked({SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_ENTER}, UsLayout,
                           true);
  EXPECT_EQ(Map(numLocked, InputContext::Menu), Keys{KeyReturn});
}

TEST(InputMap, InPlayOnlyTheBindingsSteerAndMenusKeepTheirKeys) {
  Controls controls = DefaultControls();
  controls.Of(1, Action::Left) = {{Binding::Kind::Key, SDLK_j}};
  const Keyboard arrowAndJ({SDL_SCANCODE_LEFT, SDL_SCANCODE_J});
  EXPECT_EQ(Map(arrowAndJ, InputContext::SoloPlay, controls), Keys{KeyLeft});
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_LEFT}), InputContext::SoloPlay, controls), Keys{});
  // The menus keep the arrows whatever the players chose.
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_LEFT}), InputContext::Menu, controls), Keys{KeyLeft});
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_J}), InputContext::Menu, controls), Keys{});
  // One key bound for both players acts for both.
  controls.Of(2, Action::Drop) = {{Binding::Kind::Key, SDLK_j}};
  EXPECT_EQ(Map(Keyboard({SDL_SCANCODE_J}), InputContext::TwoPlayers, controls),
            (Keys{KeyLeft, 'R'}));
}

TEST(InputMap, PadsChooseInMenusAndPlayTheirPlayer) {
  const PadState south = Pad({PadButtonInput(SDL_CONTROLLER_BUTTON_A)});
  const PadState idle;
  const Keyboard none({});
  EXPECT_EQ(Map(none, InputContext::Menu, DefaultControls(),
                {idle, Pad({PadButtonInput(SDL_CONTROLLER_BUTTON_DPAD_UP),
                            PadButtonInput(SDL_CONTROLLER_BUTTON_LEFTSHOULDER)})}),
            (Keys{KeyUp, 'H'}));
  EXPECT_EQ(Map(none, InputContext::Menu, DefaultControls(), {south}), Keys{KeyReturn});
  EXPECT_EQ(Map(none, InputContext::Menu, DefaultControls(),
                {Pad({PadAxisInput(SDL_CONTROLLER_AXIS_LEFTX, 1),
                      PadButtonInput(SDL_CONTROLLER_BUTTON_START),
                      PadButtonInput(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)})}),
            (Keys{KeyReturn, KeyRight, 'D'}));
  // Two players: the first pad is player 1, the second player 2, a third plays no one.
  EXPECT_EQ(Map(none, InputContext::TwoPlayers, DefaultControls(), {south, idle}), Keys{'K'});
  EXPECT_EQ(Map(none, InputContext::TwoPlayers, DefaultControls(), {idle, south}), Keys{'A'});
  EXPECT_EQ(Map(none, InputContext::TwoPlayers, DefaultControls(), {idle, idle, south}), Keys{});
  // Against the computer and alone, any pad plays player 1.
  EXPECT_EQ(Map(none, InputContext::AgainstComputer, DefaultControls(), {idle, south}), Keys{'K'});
  EXPECT_EQ(Map(none, InputContext::SoloPlay, DefaultControls(), {idle, idle, south}), Keys{'K'});
  // Back leaves a solo game only.
  const PadState back = Pad({PadButtonInput(SDL_CONTROLLER_BUTTON_BACK)});
  EXPECT_EQ(Map(none, InputContext::SoloPlay, DefaultControls(), {back}), Keys{KeyEscape});
  EXPECT_EQ(Map(none, InputContext::TwoPlayers, DefaultControls(), {back}), Keys{});
  // Start is the shell's pause in play, never Return.
  EXPECT_EQ(Map(none, InputContext::SoloPlay, DefaultControls(),
                {Pad({PadButtonInput(SDL_CONTROLLER_BUTTON_START)})}),
            Keys{});
}

TEST(InputMap, KeyDownReadsTheFrameUnlessAReaderIsInstalled) {
  InputFrame frame;
  frame.Press('K');
  frame.Press(-1);
  frame.Press(InputFrame::KeyCount);
  SetFrameInput(frame);
  EXPECT_EQ(KeyDown('K'), 1);
  EXPECT_EQ(KeyDown('L'), 0);
  EXPECT_EQ(KeyDown(-1), 0);
  EXPECT_EQ(HeldKeys(frame), Keys{'K'});
  SetKeyReader([](int code) { return code == 'L' ? 1 : 0; });
  EXPECT_EQ(KeyDown('K'), 0);
  EXPECT_EQ(KeyDown('L'), 1);
  SetKeyReader(nullptr);
  SetFrameInput(InputFrame{});
  EXPECT_EQ(KeyDown('K'), 0);
}

}  // namespace
