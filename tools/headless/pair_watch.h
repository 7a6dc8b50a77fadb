// Follows each side's falling pair from frame to frame: while a pair is in play its two halves
// are cells of its well holding its codes, apart from the moments the game's own rules allow.
#pragma once
#include <array>

#include "rule_report.h"
#include "scenes/game_state.h"

class PairWatch {
 public:
  // Takes the pairs as they stand before the first frame.
  void Begin(const GameState& state);
  // Checks the pairs after a frame; `before` is the state the frame started from.
  void Check(const GameState& before, const GameState& after, RuleReport& report);

 private:
  struct Halves {
    bool inPlay = false;
    // The half has been written into the well. A new pair's second half enters with its first
    // drop, step or turn; the test start's Home key takes both out until the next move.
    std::array<bool, 2> inWell{};
    // The sun's end gave the cell a new colour without telling the pair; its next move writes
    // its own code back.
    std::array<bool, 2> recoloured{};
  };

  void Follow(const GameState& before, const GameState& after, int side, RuleReport& report);
  std::array<Halves, 2> sides_{};
};
