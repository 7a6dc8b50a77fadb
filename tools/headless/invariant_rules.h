// The groups of rules a game state keeps whatever came before it, and the helpers they share.
#pragma once
#include <cstdint>

#include "rule_report.h"
#include "scenes/game_state.h"

// Which game the scene belongs to: the rules for cells, counters and hazards differ.
enum class PlayKind { Solo, Versus, Menus, Other };

// Solo for the play and chain scenes, Versus for the match, Menus for the title and the start
// screen (both come after the reset, which empties the wells), Other for game over and quit.
PlayKind KindOf(const GameState& state);

inline const VersusSide& SideOf(const GameState& state, int side) {
  return side == 2 ? state.side2 : state.side1;
}
inline int32_t CellOf(const VersusSide& side, int row, int column) {
  return side.Board[row * WellColumns + column];
}
inline bool IsFlag(uint8_t value) {
  return value <= 1;
}
inline bool Within(int64_t value, int64_t low, int64_t high) {
  return value >= low && value <= high;
}

// Walls and floor, the codes in both wells, removal marks, the scan snapshot, explosions.
void CheckWells(const GameState& state, RuleReport& report);
// Per-side counters and the shared next pair, gauges, view, title, computer and match values.
void CheckCounters(const GameState& state, RuleReport& report);
// The black hole, the sun, the white hole, the captured lists and the star field.
void CheckHazards(const GameState& state, RuleReport& report);
