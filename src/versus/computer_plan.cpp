// The computer's plan for a new pair: the first empty cell, from the top down and left to right,
// at which one half of the pair completes a line of three, found by a fixed list of 45 rules.
#include <array>
#include <cstdint>

#include "scenes/game_state.h"
#include "services/random.h"
#include "solo/well.h"
#include "versus/computer.h"

namespace {

struct Offset {
  int dr = 0;
  int dc = 0;
};
using Pattern = std::array<Offset, 2>;

// One rule at an empty cell X: the named cells (offsets from X) hold the pair's first code A or
// second code B, the empty ones are empty, the occupied ones are not (walls count). The outcome
// is the pair's orientation on landing.
struct PlanRule {
  bool sameCodes = false;  // A and B must be equal
  bool wantsB = false;     // the named cells hold B rather than A
  Pattern planets{};
  int planetCount = 0;
  Pattern occupied{};
  int occupiedCount = 0;
  Offset empty{};
  bool needsEmpty = false;
  int32_t outcome = 't';
};

using PatternSet = std::array<Pattern, 3>;
constexpr PatternSet RowPatterns{{{{{0, 1}, {0, 2}}}, {{{0, -1}, {0, -2}}}, {{{0, -1}, {0, 1}}}}};
constexpr PatternSet FallingPatterns{
    {{{{1, 1}, {2, 2}}}, {{{-1, -1}, {-2, -2}}}, {{{-1, -1}, {1, 1}}}}};
constexpr PatternSet RisingPatterns{
    {{{{1, -1}, {2, -2}}}, {{{-1, 1}, {-2, 2}}}, {{{-1, 1}, {1, -1}}}}};

constexpr int RuleCount = 45;
using RuleTable = std::array<PlanRule, RuleCount>;

// Twelve rules per direction: A resting on the cell below, B likewise, then both again resting
// one row lower, each over the direction's three patterns. The half that needs X lands on it.
constexpr void AddLineRules(RuleTable& rules, int& next, const PatternSet& patterns) {
  for (int support : {1, 2}) {
    for (bool wantsB : {false, true}) {
      for (const Pattern& pattern : patterns) {
        PlanRule rule;
        rule.wantsB = wantsB;
        rule.planets = pattern;
        rule.planetCount = 2;
        rule.occupied[0] = Offset{support, 0};
        rule.occupiedCount = 1;
        rule.outcome = wantsB == (support == 2) ? 't' : 'b';
        rules[next++] = rule;
      }
    }
  }
}

// A flat pair of two equal codes completing a line with one planet of that code; the two
// occupied cells are what the halves come to rest on.
constexpr PlanRule FlatPairRule(Offset planet, Offset empty, Offset rest1, Offset rest2,
                                int32_t outcome) {
  PlanRule rule;
  rule.sameCodes = true;
  rule.planets[0] = planet;
  rule.planetCount = 1;
  rule.empty = empty;
  rule.needsEmpty = true;
  rule.occupied = Pattern{rest1, rest2};
  rule.occupiedCount = 2;
  rule.outcome = outcome;
  return rule;
}

constexpr PlanRule ColumnRule(bool sameCodes, bool wantsB, int planetCount, int32_t outcome) {
  PlanRule rule;
  rule.sameCodes = sameCodes;
  rule.wantsB = wantsB;
  rule.planets = Pattern{Offset{1, 0}, Offset{2, 0}};
  rule.planetCount = planetCount;
  rule.outcome = outcome;
  return rule;
}

constexpr RuleTable BuildRules() {
  RuleTable rules{};
  int next = 0;
  AddLineRules(rules, next, RowPatterns);                                // 1-12
  rules[next++] = FlatPairRule({0, -1}, {0, 1}, {1, 0}, {1, 1}, 'r');    // 13
  rules[next++] = FlatPairRule({0, 1}, {0, -1}, {1, 0}, {1, -1}, 'l');   // 14
  rules[next++] = ColumnRule(false, false, 2, 't');                      // 15
  rules[next++] = ColumnRule(false, true, 2, 'b');                       // 16
  rules[next++] = ColumnRule(true, false, 1, 't');                       // 17
  AddLineRules(rules, next, FallingPatterns);                            // 18-29
  rules[next++] = FlatPairRule({-1, -1}, {1, 1}, {1, 0}, {2, 1}, 'r');   // 30
  rules[next++] = FlatPairRule({1, 1}, {-1, -1}, {1, 0}, {0, -1}, 'l');  // 31
  AddLineRules(rules, next, RisingPatterns);                             // 32-43
  rules[next++] = FlatPairRule({-1, 1}, {1, -1}, {1, 0}, {2, -1}, 'l');  // 44
  rules[next++] = FlatPairRule({1, -1}, {-1, 1}, {1, 0}, {0, 1}, 'r');   // 45
  return rules;
}
constexpr RuleTable PlanRules = BuildRules();

// Cells outside the grid read as wall: they never match a code and count as occupied.
int32_t Near(int row, int column, Offset offset) {
  return CellAt(2, row + offset.dr, column + offset.dc);
}

bool RuleHolds(const PlanRule& rule, int row, int column, int32_t a, int32_t b) {
  if (rule.sameCodes && a != b) {
    return false;
  }
  int32_t wanted = rule.wantsB ? b : a;
  for (int i = 0; i < rule.planetCount; ++i) {
    if (Near(row, column, rule.planets[i]) != wanted) {
      return false;
    }
  }
  for (int i = 0; i < rule.occupiedCount; ++i) {
    if (Near(row, column, rule.occupied[i]) == CellEmpty) {
      return false;
    }
  }
  return !rule.needsEmpty || Near(row, column, rule.empty) == CellEmpty;
}

// Turns from the upright start; they add to whatever the last pair left pending.
void AddTurnsFor(int32_t outcome) {
  ComputerPlayer& cpu = Game.computer;
  if (outcome == 'b') {
    cpu.clockwiseTurns += 2;
  } else if (outcome == 'r') {
    cpu.clockwiseTurns += 1;
  } else if (outcome == 'l') {
    cpu.counterClockwiseTurns += 1;
  }
}

}  // namespace

void PlanComputerMove() {
  const FallingPairRecord& pair = Game.side2.FallingPair;
  for (int row = 1; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      if (CellAt(2, row, column) != CellEmpty) {
        continue;
      }
      for (const PlanRule& rule : PlanRules) {
        if (RuleHolds(rule, row, column, pair.code1, pair.code2)) {
          Game.computer.targetColumn = column;
          Game.computer.targetRow = row;
          AddTurnsFor(rule.outcome);
          return;
        }
      }
    }
  }
  PlanRandomColumn();
}

void PlanRandomColumn() {
  Game.computer.targetRow = 12;
  Game.computer.targetColumn = RandomRange(1, 6);
}
