// Seeded key runs and the title driver of unattended play.
#include "random_keys.h"

#include "scenes/title.h"
#include "services/keyboard.h"

namespace {

// How long a key is held and how long it then rests, in frames. Steps and drops are held long
// enough for the key repeat and soft drop to run; turns are taps; the keys the play scenes ignore
// come now and then; the debug keys that end a game come rarely. Escape is never pressed: it
// would end a solo run.
struct KeyHabit {
  int key;
  int32_t pressShortest;
  int32_t pressLongest;
  int32_t restShortest;
  int32_t restLongest;
  bool debug;
};
constexpr KeyHabit Habits[] = {
    {KeyLeft, 1, 24, 4, 60, false},      {KeyRight, 1, 24, 4, 60, false},
    {KeyDown_, 1, 60, 20, 240, false},   {'K', 1, 4, 6, 90, false},
    {'L', 1, 4, 6, 90, false},           {'E', 1, 24, 4, 60, false},
    {'T', 1, 24, 4, 60, false},          {'R', 1, 60, 20, 240, false},
    {'A', 1, 4, 6, 90, false},           {'S', 1, 4, 6, 90, false},
    {KeyUp, 1, 3, 200, 2000, false},     {KeyReturn, 1, 3, 200, 2000, false},
    {KeyF1, 1, 3, 300, 3000, true},      {KeyF2, 1, 3, 300, 3000, true},
    {KeyF3, 1, 3, 300, 3000, true},      {KeyF6, 1, 3, 400, 3000, true},
    {KeyF7, 1, 3, 400, 3000, true},      {KeyHome, 1, 2, 1500, 8000, true},
    {KeyPageUp, 1, 20, 200, 2000, true}, {KeyF4, 1, 1, 20000, 60000, true},
    {KeyF5, 1, 1, 20000, 60000, true},
};
constexpr int HabitCount = sizeof Habits / sizeof Habits[0];

constexpr int32_t MenuLiveY = 10;
constexpr int32_t PlayModes[] = {'s', 'p', 'c'};
constexpr int StartKeys[] = {0, HardStartKey, TestStartKey};

int ModeOrder(int32_t playMode) {
  return playMode == 's' ? 0 : playMode == 'p' ? 1 : 2;
}

}  // namespace

bool ParseStartChoice(const std::string& text, StartChoice& choice) {
  if (text == "any") {
    choice = StartChoice{};
    choice.any = true;
    return true;
  }
  const size_t dash = text.find('-');
  const std::string mode = text.substr(0, dash);
  const std::string start = dash == std::string::npos ? "" : text.substr(dash + 1);
  StartChoice parsed;
  if (mode == "solo" || mode == "two" || mode == "computer") {
    parsed.playMode = mode == "solo" ? 's' : mode == "two" ? 'p' : 'c';
  } else {
    return false;
  }
  if (start == "hard" || start == "test") {
    parsed.startKey = start == "hard" ? HardStartKey : TestStartKey;
  } else if (dash != std::string::npos) {
    return false;
  }
  choice = parsed;
  return true;
}

RandomKeys::RandomKeys(uint64_t seed, StartChoice choice)
    : generator_(seed), choice_(choice), current_(choice) {
  static_assert(HabitCount <= 32, "one run per key habit");
  // Every key starts resting, so the first presses are spread out.
  for (int i = 0; i < HabitCount; ++i) {
    runs_[i].framesLeft = Between(1, Habits[i].restLongest);
  }
}

// SplitMix64: small, fast and the same on every machine and standard library.
uint64_t RandomKeys::Next() {
  uint64_t z = (generator_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int32_t RandomKeys::Between(int32_t low, int32_t high) {
  return low + static_cast<int32_t>(Next() % static_cast<uint64_t>(high - low + 1));
}

void RandomKeys::AdvanceRuns() {
  for (int i = 0; i < HabitCount; ++i) {
    Run& run = runs_[i];
    if (--run.framesLeft > 0) {
      continue;
    }
    const KeyHabit& habit = Habits[i];
    run.down = !run.down;
    run.framesLeft = run.down ? Between(habit.pressShortest, habit.pressLongest)
                              : Between(habit.restShortest, habit.restLongest);
  }
}

// On the live menu: the start item, then the play mode one latched step at a time, then Return
// with the start key.
void RandomKeys::DriveTitle(const GameState& state) {
  if (!chosen_) {
    current_ = choice_;
    if (choice_.any) {
      current_.playMode = PlayModes[Between(0, 2)];
      current_.startKey = StartKeys[Between(0, 2)];
    }
    chosen_ = true;
  }
  const TitleMenu& menu = state.title;
  if (menu.TitleLogoY != MenuLiveY) {
    return;
  }
  if (menu.MenuChoice != 's') {
    held_.Press(KeyUp);
  } else if (menu.PlayMode != current_.playMode) {
    if (!menu.ModeKeyLatch) {
      held_.Press(ModeOrder(menu.PlayMode) < ModeOrder(current_.playMode) ? KeyRight : KeyLeft);
    }
  } else {
    held_.Press(KeyReturn);
    if (current_.startKey != 0) {
      held_.Press(current_.startKey);
    }
  }
}

void RandomKeys::ChooseKeys(const GameState& state) {
  AdvanceRuns();
  held_ = InputFrame{};
  if (state.CurrentScene == SceneTitle) {
    DriveTitle(state);
    return;
  }
  chosen_ = false;
  for (int i = 0; i < HabitCount; ++i) {
    if (runs_[i].down && (!Habits[i].debug || state.debugMode)) {
      held_.Press(Habits[i].key);
    }
  }
}
