// Keys for unattended play: seeded runs of presses on every key of both players (and the debug
// keys in a test start), and a title driver that starts the chosen game whenever the title is
// back. The generator is the runner's own, so the game's random numbers stay as they were.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "scenes/game_state.h"
#include "services/input_frame.h"

// How each game is started from the title: the play mode ('s', 'p' or 'c') and the key held with
// Return (0, 'H' for the hard start, 'D' for the test start); `any` draws both for every game.
struct StartChoice {
  int32_t playMode = 's';
  int startKey = 0;
  bool any = false;
};

// "solo", "two" or "computer", each alone or followed by "-hard" or "-test"; or "any".
bool ParseStartChoice(const std::string& text, StartChoice& choice);

class RandomKeys {
 public:
  RandomKeys(uint64_t seed, StartChoice choice);
  // Chooses the keys held during the next frame from the state that frame starts with.
  void ChooseKeys(const GameState& state);
  // The keys chosen for that frame.
  const InputFrame& Frame() const { return held_; }

 private:
  struct Run {
    bool down = false;
    int32_t framesLeft = 0;
  };

  uint64_t Next();
  int32_t Between(int32_t low, int32_t high);
  void AdvanceRuns();
  void DriveTitle(const GameState& state);

  uint64_t generator_;
  StartChoice choice_;
  StartChoice current_;
  bool chosen_ = false;
  std::array<Run, 32> runs_{};
  InputFrame held_;
};
