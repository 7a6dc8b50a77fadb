// Reading the controls file leniently, line by line, and writing it in full.
#include "input/controls_file.h"

#include <optional>

#include "input/binding_text.h"
#include "input/controls_duplicates.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

// Which section the lines read belong to.
enum class Section { NoneYet, Unknown, PlayerOne, PlayerTwo, Game };

Section SectionNamed(std::string_view header) {
  if (header.size() < 2 || header.back() != ']') {
    return Section::Unknown;
  }
  const std::string_view name = TrimmedText(header.substr(1, header.size() - 2));
  return name == "player1"   ? Section::PlayerOne
         : name == "player2" ? Section::PlayerTwo
         : name == "game"    ? Section::Game
                             : Section::Unknown;
}

struct LineBindings {
  ActionBindings keys;
  ActionBindings pads;
};

void AddOnce(ActionBindings& bindings, const Binding& binding) {
  for (const Binding& held : bindings) {
    if (held == binding) {
      return;
    }
  }
  bindings.push_back(binding);
}

// The bindings of "KEY, pad:INPUT, ..."; nullopt and why at the first that is not one.
std::optional<LineBindings> BindingsOf(std::string_view list, std::string& why) {
  if (list.empty()) {
    why = Tr("no key or pad input after '='");
    return std::nullopt;
  }
  LineBindings bindings;
  const std::string_view whole = list;
  while (true) {
    const size_t comma = list.find(',');
    const std::string_view item = TrimmedText(list.substr(0, comma));
    if (item.empty()) {
      why = Formatted(Tr("an empty place in the list %s"), Quoted(whole).c_str());
      return std::nullopt;
    }
    const std::optional<Binding> binding = BindingFromText(item);
    if (!binding) {
      why =
          Formatted(item.starts_with(PadPrefix) ? Tr("unknown pad input %s") : Tr("unknown key %s"),
                    Quoted(item).c_str());
      return std::nullopt;
    }
    AddOnce(binding->kind == Binding::Kind::Key ? bindings.keys : bindings.pads, *binding);
    if (comma == std::string_view::npos) {
      return bindings;
    }
    list = list.substr(comma + 1);
  }
}

// A line names keys, pad inputs or both; each kind it names replaces that kind of the action's.
void Apply(const LineBindings& line, ActionBindings& bindings) {
  LineBindings kept;
  for (const Binding& binding : bindings) {
    (binding.kind == Binding::Kind::Key ? kept.keys : kept.pads).push_back(binding);
  }
  bindings = line.keys.empty() ? kept.keys : line.keys;
  const ActionBindings& pads = line.pads.empty() ? kept.pads : line.pads;
  bindings.insert(bindings.end(), pads.begin(), pads.end());
}

// Applies one line that is not a section header, or says why it is skipped.
void ReadBindingLine(std::string_view line, Section section, Controls& controls, std::string& why) {
  if (section == Section::NoneYet) {
    why = Tr("a binding before any [player1], [player2] or [game] section");
    return;
  }
  // "=" is a key's name too, so the list begins after the first "=" that follows the action.
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    why = Formatted(Tr("no '=' in %s (expected ACTION = KEY, ...)"), Quoted(line).c_str());
    return;
  }
  const std::string_view name = TrimmedText(line.substr(0, equals));
  ActionBindings* target = nullptr;
  if (section == Section::Game) {
    const std::optional<GameAction> action = GameActionNamed(name);
    if (!action) {
      why = Formatted(Tr("unknown action %s (expected mute, volume_down or volume_up)"),
                      Quoted(name).c_str());
      return;
    }
    target = &controls.Of(*action);
  } else {
    const std::optional<Action> action = ActionNamed(name);
    if (!action) {
      why = Formatted(Tr("unknown action %s (expected left, right, drop, turn_ccw or turn_cw)"),
                      Quoted(name).c_str());
      return;
    }
    target = &controls.Of(section == Section::PlayerOne ? 1 : 2, *action);
  }
  const std::optional<LineBindings> bindings =
      BindingsOf(TrimmedText(line.substr(equals + 1)), why);
  if (bindings) {
    Apply(*bindings, *target);
  }
}

std::string Line(std::string_view action, const ActionBindings& bindings) {
  std::string line = std::string(action) + " =";
  for (size_t i = 0; i < bindings.size(); ++i) {
    line += (i == 0 ? " " : ", ") + BindingText(bindings[i]);
  }
  return line + "\n";
}

constexpr std::string_view Explanation =
    R"(# Astorine's controls: the keys and gamepad inputs of each player.
#
# [player1] plays the solo well and the right-hand well of a match, [player2] the left-hand well.
# Each line reads ACTION = BINDING, BINDING, ... with ACTION one of left, right, drop, turn_ccw
# (turn counter-clockwise) and turn_cw (clockwise). A line replaces the action's keys if it names
# a key, and its pad inputs if it names a pad input: "left = J" leaves the pads' left as it was.
# An action left out keeps its default. "#" starts a comment.
#
# [game] holds the keys that act whatever is on screen, outside the players' own: mute (sound off
# and on again), volume_down and volume_up (in steps of 10 %). Its pad inputs act from any pad.
#
# Keys go by SDL's names. Letters and digits are the characters they type in the keyboard's
# layout (J, 5); other keys: Left, Right, Up, Down, Space, Tab, Backspace, Insert, Delete, End,
# PageDown, Left Shift, Right Shift, Left Ctrl, Right Ctrl, Left Alt, Right Alt, Keypad 0 to
# Keypad 9, Keypad Enter, Keypad +, Keypad -, Keypad *, Keypad /, Keypad .; punctuation as it
# is typed (; / . - [ ]), except the comma and the hash, written Comma and Hash. A key the game
# uses anyway (Return, Escape, Up, Home, Page Up, Pause, F1 to F7, F12) would do both things.
#
# Pad inputs are pad: and a button (a b x y: south east west north; back guide start leftstick
# rightstick leftshoulder rightshoulder dpup dpdown dpleft dpright misc1 paddle1 paddle2 paddle3
# paddle4 touchpad), a stick's direction (leftx- leftx+ lefty- lefty+ rightx- rightx+ righty-
# righty+; y+ is down) or a trigger (lefttrigger righttrigger). In a match of two players the
# first pad plays player 1 and the second player 2; otherwise any pad plays player 1.
#
# "astorine --write-controls --force" writes this file afresh from the bindings it holds.
)";

}  // namespace

Controls ReadControls(std::string_view text, const std::string& fileName,
                      std::vector<std::string>& complaints) {
  Controls controls = DefaultControls();
  Section section = Section::NoneYet;
  ForEachFileLine(text, [&](int number, std::string_view line) {
    std::string why;
    if (line.front() == '[') {
      section = SectionNamed(line);
      if (section == Section::Unknown) {
        why = Formatted(Tr("unknown section %s; its lines are skipped"), Quoted(line).c_str());
      }
    } else if (section != Section::Unknown) {
      ReadBindingLine(line, section, controls, why);
    }
    if (!why.empty()) {
      complaints.push_back(fileName + ":" + std::to_string(number) + ": " + why);
    }
  });
  for (const std::string& duplicate : DuplicateBindings(controls)) {
    complaints.push_back(fileName + ": " + duplicate);
  }
  return controls;
}

std::string ControlsText(const Controls& controls) {
  std::string text(Explanation);
  for (int player = 1; player <= PlayerCount; ++player) {
    text += "\n[player" + std::to_string(player) + "]\n";
    for (Action action : AllActions) {
      text += Line(ActionName(action), controls.Of(player, action));
    }
  }
  text += "\n[game]\n";
  for (GameAction action : AllGameActions) {
    text += Line(GameActionName(action), controls.Of(action));
  }
  return text;
}
