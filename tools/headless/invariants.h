// The rules the whole game state keeps after every frame, for the headless runner's --check:
// walls and floors intact, every cell a code the current game can hold, the falling pairs held
// in their wells, counts and indices inside their tables, legal view, mirror, scene and side
// values, and what must follow from the frame before.
#pragma once
#include <string>

#include "pair_watch.h"
#include "scenes/game_state.h"

class InvariantChecker {
 public:
  // Takes the state the first frame starts from.
  void Begin(const GameState& state);
  // Checks the state after one more frame; the first broken rule as one line, or "".
  std::string Check(const GameState& state);

 private:
  GameState previous_{};
  PairWatch pairs_;
};
