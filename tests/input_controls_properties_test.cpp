// The controls file over generated controls: what ControlsText writes reads back to the same
// controls and writes the same text again; a line replaces the kinds it names whatever its
// spacing; a bad line is one complaint and changes nothing; any text reads with one-line
// complaints into controls that write and read back. And the key names of scripts and traces.
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "boundary_values.h"
#include "input/binding_text.h"
#include "input/controls_duplicates.h"
#include "input/controls_file.h"
#include "input/key_names.h"
#include "input/pad_state.h"

namespace {

const std::string FileName = "controls.conf";

// Every binding the file writes and reads back to itself, of one kind: the keys of every
// scancode, the characters up to the Latin Extended block and a few beyond it, every pad input.
const std::vector<Binding>& Known(Binding::Kind kind) {
  static const auto known = [] {
    std::vector<Binding> candidates;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
      candidates.push_back(
          {Binding::Kind::Key, SDL_SCANCODE_TO_KEYCODE(static_cast<SDL_Scancode>(scancode))});
    }
    for (int character : {0x20AC, 0x3042, 0x1F600, 0x10FFFF, 0x110000}) {
      candidates.push_back({Binding::Kind::Key, character});
    }
    for (int character = 0; character < 0x250; ++character) {
      candidates.push_back({Binding::Kind::Key, character});
    }
    for (int input = 0; input < PadInputCount; ++input) {
      candidates.push_back({Binding::Kind::Pad, input});
    }
    std::array<std::vector<Binding>, 2> known;
    for (const Binding& binding : candidates) {
      if (BindingFromText(BindingText(binding)) == binding) {
        known[binding.kind == Binding::Kind::Key ? 0 : 1].push_back(binding);
      }
    }
    return known;
  }();
  return known[kind == Binding::Kind::Key ? 0 : 1];
}

// 1 to 6 bindings of a kind, often the first few known, so that clashes happen.
std::vector<Binding> AnyBindings(Binding::Kind kind, bool repeats = false) {
  const std::vector<Binding>& known = Known(kind);
  const size_t count = *boundary::Leaning<size_t>({1, 2, 6}, 1, 6);
  std::vector<Binding> bindings;
  for (size_t i = 0; i < count; ++i) {
    const Binding& binding =
        known[*boundary::Leaning<size_t>({0, 1, 2, known.size() - 1}, 0, known.size() - 1)];
    if (repeats || std::find(bindings.begin(), bindings.end(), binding) == bindings.end()) {
      bindings.push_back(binding);
    }
  }
  return bindings;
}

// What reading can give: for each action its keys, then its pad inputs, one or more of each.
Controls AnyControls() {
  Controls controls;
  auto any = [](ActionBindings& bindings) {
    bindings = AnyBindings(Binding::Kind::Key);
    const std::vector<Binding> pads = AnyBindings(Binding::Kind::Pad);
    bindings.insert(bindings.end(), pads.begin(), pads.end());
  };
  for (auto& player : controls.players) {
    std::for_each(player.begin(), player.end(), any);
  }
  std::for_each(controls.game.begin(), controls.game.end(), any);
  return controls;
}

// How many clashes there are: keys of two actions of either player or the game, pad inputs of
// two actions of one player, the game's pad inputs counting as each player's.
size_t ClashCount(const Controls& controls) {
  // By where the binding acts (0: the keyboard, else a player's pads) and its code: its users,
  // each a player (0: the game) and an action.
  std::map<std::pair<int, int>, std::set<std::pair<int, int>>> uses;
  for (int player = 1; player <= PlayerCount; ++player) {
    for (Action action : AllActions) {
      for (const Binding& binding : controls.Of(player, action)) {
        const bool key = binding.kind == Binding::Kind::Key;
        uses[{key ? 0 : player, binding.code}].insert({player, static_cast<int>(action)});
      }
    }
  }
  for (GameAction action : AllGameActions) {
    for (const Binding& binding : controls.Of(action)) {
      const std::pair<int, int> use{0, static_cast<int>(action)};
      if (binding.kind == Binding::Kind::Key) {
        uses[{0, binding.code}].insert(use);
      } else {
        for (int player = 1; player <= PlayerCount; ++player) {
          uses[{player, binding.code}].insert(use);
        }
      }
    }
  }
  return std::count_if(uses.begin(), uses.end(),
                       [](const auto& binding) { return binding.second.size() > 1; });
}

// The complaints reading gives for the clashes alone.
std::vector<std::string> ClashesOf(const Controls& controls) {
  std::vector<std::string> clashes;
  for (const std::string& clash : DuplicateBindings(controls)) {
    clashes.push_back(FileName + ": " + clash);
  }
  return clashes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\n";
  }
  return text;
}

RC_GTEST_PROP(InputControlsProperties, WrittenControlsReadBackAndWriteTheSameText, ()) {
  const Controls controls = AnyControls();
  const std::string text = ControlsText(controls);
  std::vector<std::string> complaints;
  const Controls read = ReadControls(text, FileName, complaints);
  RC_ASSERT(read.players == controls.players);
  RC_ASSERT(read.game == controls.game);
  RC_ASSERT(complaints == ClashesOf(controls));
  RC_ASSERT(complaints.size() == ClashCount(controls));
  RC_ASSERT(ControlsText(read) == text);
}

RC_GTEST_PROP(InputControlsProperties, ALineReplacesTheKindsItNamesWhateverItsSpacing, ()) {
  const Controls controls = AnyControls();
  const int player = 1 + static_cast<int>(boundary::Uniform(PlayerCount));
  const Action action = *rc::gen::elementOf(AllActions);
  std::vector<Binding> named;
  if (*rc::gen::arbitrary<bool>()) {
    named = AnyBindings(Binding::Kind::Key, true);
  }
  if (named.empty() || *rc::gen::arbitrary<bool>()) {
    const std::vector<Binding> pads = AnyBindings(Binding::Kind::Pad, true);
    named.insert(named.end(), pads.begin(), pads.end());
  }
  auto blanks = [] { return *rc::gen::element<std::string>("", " ", "\t", " \t ", "\r"); };
  std::string line = "[" + blanks() + "player" + std::to_string(player) + blanks() + "]" +
                     blanks() + "\n" + blanks() + std::string(ActionName(action)) + blanks() + "=";
  for (size_t i = 0; i < named.size(); ++i) {
    line += (i == 0 ? "" : ",") + blanks() + BindingText(named[i]) + blanks();
  }
  line += *rc::gen::element<std::string>("\n", "\r\n", "# note\n", " #, pad:a\n");
  std::vector<std::string> complaints;
  const Controls read = ReadControls(ControlsText(controls) + line, FileName, complaints);

  Controls expected = controls;
  ActionBindings& bindings = expected.Of(player, action);
  std::vector<Binding> keys;
  std::vector<Binding> pads;
  for (const Binding& binding : bindings) {
    (binding.kind == Binding::Kind::Key ? keys : pads).push_back(binding);
  }
  std::vector<Binding> newKeys;
  std::vector<Binding> newPads;
  for (const Binding& binding : named) {
    std::vector<Binding>& kind = binding.kind == Binding::Kind::Key ? newKeys : newPads;
    if (std::find(kind.begin(), kind.end(), binding) == kind.end()) {
      kind.push_back(binding);
    }
  }
  const std::vector<Binding>& keptPads = newPads.empty() ? pads : newPads;
  bindings = newKeys.empty() ? keys : newKeys;
  bindings.insert(bindings.end(), keptPads.begin(), keptPads.end());
  RC_ASSERT(read.players == expected.players);
  RC_ASSERT(complaints == ClashesOf(expected));
}

// Text that is no binding: bytes of names, blanks, control characters and broken UTF-8.
std::string AnyJunk() {
  const std::string text = *rc::gen::container<std::string>(
      rc::gen::element<char>('a', 'Z', '7', ' ', '\t', ':', '=', '[', '+', '-', '.', '\x01', '\x1b',
                             '\x7f', '\0', '\xc3', '\xa9', '\xff'));
  const size_t first = text.find_first_not_of(" \t");
  RC_PRE(first != std::string::npos);
  const std::string trimmed = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  RC_PRE(!BindingFromText(trimmed) && !BindingFromText("pad:" + trimmed));
  return trimmed;
}

RC_GTEST_PROP(InputControlsProperties, ABadLineIsOneComplaintAndChangesNothing, ()) {
  const Controls controls = AnyControls();
  std::vector<std::string> lines = Lines(ControlsText(controls));
  const std::string key = BindingText(Known(Binding::Kind::Key)[0]);
  const std::string action = std::string(ActionName(*rc::gen::elementOf(AllActions)));
  std::string bad;
  switch (boundary::Uniform(7)) {
    case 0:
      bad = *rc::gen::element<std::string>("jump", "Left", "left_", "turn") + " = " + key;
      break;
    case 1:
      bad = action + " " + key;
      break;
    case 2:
      bad = action + " =" + *rc::gen::element<std::string>("", " ", " # " + key);
      break;
    case 3:
      bad = action + " = " +
            *rc::gen::element<std::string>(key + ",," + key, key + ",", "," + key,
                                           key + ", \t ," + key);
      break;
    case 4:
      bad = action + " = " + key + ", " + AnyJunk();
      break;
    case 5:
      bad = action + " = pad:" + AnyJunk() + ", " + key;
      break;
    default:
      bad = AnyJunk();
      RC_PRE(bad.front() != '[' && bad.find('=') == std::string::npos);
  }
  // Mostly under a section, where a good line would apply; now and then above them all.
  const size_t first = std::find(lines.begin(), lines.end(), "[player1]") - lines.begin();
  const size_t at = boundary::Uniform(8) == 0 ? boundary::Uniform(first + 1)
                                              : first + 1 + boundary::Uniform(lines.size() - first);
  lines.insert(lines.begin() + static_cast<long>(at), bad);
  std::vector<std::string> complaints;
  const Controls read = ReadControls(Joined(lines), FileName, complaints);
  RC_ASSERT(read.players == controls.players);
  std::vector<std::string> clashes = ClashesOf(controls);
  RC_ASSERT(complaints.size() == clashes.size() + 1);
  RC_ASSERT(complaints[0].rfind(FileName + ":" + std::to_string(at + 1) + ": ", 0) == 0u);
  RC_ASSERT(complaints[0].find_first_of("\r\n") == std::string::npos);
  RC_ASSERT(std::vector<std::string>(complaints.begin() + 1, complaints.end()) == clashes);
}

// Whatever the text, each complaint is one line naming the file, and the controls read write
// out and read back the same.
RC_GTEST_PROP(InputControlsProperties, AnyTextReadsWithOneLineComplaints, ()) {
  std::string text;
  if (*rc::gen::arbitrary<bool>()) {
    text = ControlsText(AnyControls());
    text.resize(boundary::Uniform(text.size()));
  } else {
    const auto pieces = *rc::gen::container<std::vector<std::string>>(rc::gen::element<std::string>(
        "[player1]", "[player2]", "[player3]", "[game]", "[", "]", "left", "right", "drop", "mute",
        "turn_ccw", "turn_cw", " = ", "=", ",", " ", "\t", "#", "\r", "\n", "\n", "\n", "J",
        "Comma", "Hash", "Keypad Hash", "Left Shift", "pad:", "pad:a", "pad:leftx+",
        "pad:lefttrigger-", "\xc3", "\xa9", "\xff", std::string(1, '\0'), "\x1b[2J"));
    for (const std::string& piece : pieces) {
      text += piece;
    }
  }
  std::vector<std::string> complaints;
  const Controls read = ReadControls(text, FileName, complaints);
  for (const std::string& complaint : complaints) {
    RC_ASSERT(complaint.rfind(FileName + ":", 0) == 0u);
    for (unsigned char byte : complaint) {
      RC_ASSERT(byte >= 0x20 && byte != 0x7f);
    }
  }
  std::vector<std::string> again;
  RC_ASSERT(ReadControls(ControlsText(read), FileName, again).players == read.players);
  RC_ASSERT(again == ClashesOf(read));
}

// The names key scripts and the window's trace give keys: each its own, and none holding the
// '+' that joins them, a blank or a comment's '#'.
TEST(InputControlsProperties, EveryKeyTheGamePollsHasANameOfItsOwn) {
  std::set<std::string> names;
  for (int key = 10; key < InputFrame::KeyCount; ++key) {
    const std::string name = VirtualKeyName(key);
    EXPECT_FALSE(name.empty()) << key;
    EXPECT_EQ(name.find_first_of("+ #\t"), std::string::npos) << key << ": " << name;
    EXPECT_NE(name, "none") << key;
    EXPECT_TRUE(names.insert(name).second) << key << " shares the name " << name;
  }
  for (const NamedKey& named : NamedKeys()) {
    EXPECT_EQ(VirtualKeyName(named.key), named.name);
  }
}

}  // namespace
