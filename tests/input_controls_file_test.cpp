// The controls file's text: what a line changes, what each bad line says, clashes, and writing
// it back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/binding_text.h"
#include "input/controls_file.h"
#include "input/pad_state.h"

namespace {

using namespace std::string_literals;

Binding Key(SDL_Keycode key) {
  return {Binding::Kind::Key, static_cast<int>(key)};
}
Binding Pad(int input) {
  return {Binding::Kind::Pad, input};
}

Controls Read(std::string_view text, std::vector<std::string>& complaints) {
  return ReadControls(text, "controls.conf", complaints);
}

TEST(InputControlsFile, ALineReplacesOnlyTheKindsItNames) {
  std::vector<std::string> complaints;
  const Controls controls = Read(
      "# mine\n[player1]\n  left = J , Keypad 4  # two keys\r\n"
      "right = pad:rightx+\n[player2]\ndrop = pad:paddle1, Space\ndrop = F\n",
      complaints);
  EXPECT_TRUE(complaints.empty()) << complaints.front();
  const Controls defaults = DefaultControls();
  const ActionBindings& left = controls.Of(1, Action::Left);
  ASSERT_EQ(left.size(), 4u);
  EXPECT_EQ(left[0], Key(SDLK_j));
  EXPECT_EQ(left[1], Key(SDLK_KP_4));
  EXPECT_EQ(left[2].kind, Binding::Kind::Pad);
  EXPECT_EQ(
      std::vector(left.begin() + 2, left.end()),
      std::vector(defaults.Of(1, Action::Left).begin() + 1, defaults.Of(1, Action::Left).end()));
  EXPECT_EQ(controls.Of(1, Action::Right),
            (ActionBindings{Key(SDLK_RIGHT), Pad(PadAxisInput(SDL_CONTROLLER_AXIS_RIGHTX, 1))}));
  // The second drop line replaces the keys of the first and keeps its pad input.
  EXPECT_EQ(controls.Of(2, Action::Drop),
            (ActionBindings{Key(SDLK_f), Pad(PadButtonInput(SDL_CONTROLLER_BUTTON_PADDLE1))}));
  EXPECT_EQ(controls.Of(2, Action::Left), defaults.Of(2, Action::Left));
}

TEST(InputControlsFile, EachBadLineSaysWhyOnceAndTheRestApplies) {
  const std::pair<std::string, std::string> cases[] = {
      {"left = J", "controls.conf:1: a binding before any [player1], [player2] or [game] section"},
      {"[player1]\nleft J", "controls.conf:2: no '=' in 'left J'"},
      {"[player1]\njump = J", "controls.conf:2: unknown action 'jump'"},
      {"[player1]\nleft = J, Nokey", "controls.conf:2: unknown key 'Nokey'"},
      {"[player1]\nleft = pad:thumb", "controls.conf:2: unknown pad input 'pad:thumb'"},
      {"[player1]\nleft = pad:lefttrigger-", "unknown pad input 'pad:lefttrigger-'"},
      {"[player1]\nleft =  # none", "controls.conf:2: no key or pad input after '='"},
      {"[player1]\nleft = J,,K", "controls.conf:2: an empty place in the list 'J,,K'"},
      {"[player1]\nleft = J,", "an empty place"},
      {"[player1]\nleft = \x01", "unknown key '\\x01'"},
      {"[player1]\nleft = \xff\xfe", "unknown key '\\xff\\xfe'"},
      {"[player1]\nleft = J\0K"s, "unknown key 'J\\x00K'"},
      {"[player3]\nleft = J\nbad line", "controls.conf:1: unknown section '[player3]'"},
      {"[player1\nleft = J", "controls.conf:1: unknown section '[player1'"},
  };
  for (const auto& [body, why] : cases) {
    const std::string text = body + "\n[player2]\nleft = G\n";
    std::vector<std::string> complaints;
    const Controls controls = Read(std::string_view(text.data(), text.size()), complaints);
    ASSERT_EQ(complaints.size(), 1u) << body;
    EXPECT_NE(complaints[0].find(why), std::string::npos) << complaints[0];
    EXPECT_EQ(controls.Of(1, Action::Left), DefaultControls().Of(1, Action::Left)) << body;
    EXPECT_EQ(controls.Of(2, Action::Left).front(), Key(SDLK_g)) << body;
  }
}

TEST(InputControlsFile, QuotingKeepsAComplaintOnOneShortLine) {
  std::vector<std::string> complaints;
  Read("[player1]\nleft = " + std::string(5000, 'x') + "\r\x1b[2J\n", complaints);
  ASSERT_EQ(complaints.size(), 1u);
  EXPECT_LT(complaints[0].size(), 120u);
  EXPECT_EQ(complaints[0].find_first_of("\r\n\x1b"), std::string::npos);
  EXPECT_EQ(Quoted("\xc3\xa9\xe2\x82"), "'\xc3\xa9\\xe2\\x82'");
}

TEST(InputControlsFile, EachClashIsReportedOnce) {
  std::vector<std::string> complaints;
  Read(
      "[player1]\nturn_ccw = A\nleft = J\nright = J, pad:dpleft\ndrop = j\n[player2]\n"
      "left = pad:dpleft\n",
      complaints);
  EXPECT_EQ(complaints,
            (std::vector<std::string>{
                "controls.conf: key J is bound to player 1 left, player 1 right and player 1 drop",
                "controls.conf: key A is bound to player 1 turn_ccw and player 2 turn_ccw",
                "controls.conf: pad input pad:dpleft is bound to player 1 left and player 1 right",
            }));
}

TEST(InputControlsFile, TheGameSectionBindsTheSoundKeysApartFromThePlayers) {
  std::vector<std::string> complaints;
  const Controls defaults = Read("", complaints);
  EXPECT_EQ(defaults.Of(GameAction::Mute),
            (ActionBindings{Key(SDLK_m), Pad(PadButtonInput(SDL_CONTROLLER_BUTTON_RIGHTSTICK))}));
  EXPECT_TRUE(complaints.empty()) << "the defaults clash: " << complaints.front();
  const Controls controls =
      Read("[game]\nmute = F8\nvolume_down = K, pad:back\njump = J\n[player2]\nleft = pad:back\n",
           complaints);
  // A key names keys only: the pad's mute stays, and K now clashes with player 1's turn.
  EXPECT_EQ(controls.Of(GameAction::Mute),
            (ActionBindings{Key(SDLK_F8), Pad(PadButtonInput(SDL_CONTROLLER_BUTTON_RIGHTSTICK))}));
  EXPECT_EQ(complaints, (std::vector<std::string>{
                            "controls.conf:4: unknown action 'jump' (expected mute, volume_down or "
                            "volume_up)",
                            "controls.conf: key K is bound to player 1 turn_ccw and game "
                            "volume_down",
                            "controls.conf: pad input pad:back is bound to player 2 left and game "
                            "volume_down",
                        }));
}

// The names the written file's comments offer must all be known.
TEST(InputControlsFile, TheNamesTheWrittenCommentsOfferAreKnown) {
  std::vector<std::string> complaints;
  Read(
      "[player1]\nleft = J, 5, Left, Right, Up, Down, Space, Tab, Backspace, Insert, Delete, End\n"
      "right = PageDown, Left Shift, Right Shift, Left Ctrl, Right Ctrl, Left Alt, Right Alt\n"
      "drop = Keypad 0, Keypad 9, Keypad Enter, Keypad +, Keypad -, Keypad *, Keypad /, Keypad .\n"
      "turn_ccw = ;, /, ., -, [, ], Comma, Hash\n[player2]\n"
      "left = pad:a, pad:b, pad:x, pad:y, pad:back, pad:guide, pad:start, pad:leftstick\n"
      "right = pad:rightstick, pad:leftshoulder, pad:rightshoulder, pad:dpup, pad:dpdown\n"
      "drop = pad:dpleft, pad:dpright, pad:misc1, pad:paddle1, pad:paddle4, pad:touchpad\n"
      "turn_ccw = pad:leftx-, pad:leftx+, pad:lefty-, pad:lefty+, pad:rightx-, pad:rightx+\n"
      "turn_cw = pad:righty-, pad:righty+, pad:lefttrigger, pad:righttrigger\n",
      complaints);
  for (const std::string& complaint : complaints) {
    EXPECT_EQ(complaint.find(":"), complaint.find(": ")) << "a bad line: " << complaint;
  }
}

TEST(InputControlsFile, WrittenTextReadsBackToTheSameControls) {
  std::vector<std::string> complaints;
  const Controls controls = Read(
      "[player1]\nleft = Comma, Keypad Hash, pad:righttrigger, pad:touchpad\nright = \xc3\xa9\n"
      "drop = Keypad Comma, Hash, =, pad:righty-\n[player2]\nturn_cw = Left Shift, Keypad Enter\n"
      "[game]\nvolume_up = Keypad +, F10\n",
      complaints);
  ASSERT_TRUE(complaints.empty()) << complaints.front();
  EXPECT_EQ(controls.Of(1, Action::Left).front(), Key(SDLK_COMMA));
  EXPECT_EQ(controls.Of(1, Action::Drop)[1], Key(SDLK_HASH));
  for (const Controls& written : {controls, DefaultControls()}) {
    const std::string text = ControlsText(written);
    const Controls read = Read(text, complaints);
    EXPECT_EQ(read.players, written.players);
    EXPECT_EQ(read.game, written.game);
    EXPECT_TRUE(complaints.empty()) << complaints.front();
  }
  EXPECT_NE(ControlsText(controls).find("drop = Keypad Comma, Hash, =, pad:righty-"),
            std::string::npos);
}

}  // namespace
