// Shared fixture for tests that drive the game directly: program-start state, a fixed seed,
// scripted keys, and a record of sounds and drawing calls.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "gfx/draw_trace.h"
#include "scenes/game_state.h"
#include "services/keyboard.h"
#include "services/random.h"
#include "sound/sound.h"

namespace test_support {

inline std::set<int>& HeldKeys() {
  static std::set<int> held;
  return held;
}
inline int ScriptedKeyDown(int key) {
  return HeldKeys().count(key) ? 1 : 0;
}

struct SoundEvent {
  SoundId id;
  bool start;
  bool loop;
};
inline std::vector<SoundEvent>& SoundEvents() {
  static std::vector<SoundEvent> events;
  return events;
}
inline void RecordSound(SoundId id, bool start, bool loop) {
  SoundEvents().push_back({id, start, loop});
}

}  // namespace test_support

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Game = GameState{};
    SeedRandom(1);
    test_support::HeldKeys().clear();
    test_support::SoundEvents().clear();
    SetKeyReader(test_support::ScriptedKeyDown);
    SetSoundEventHook(test_support::RecordSound);
    SetDrawTrace(&drawCalls);
  }
  void TearDown() override {
    SetKeyReader(nullptr);
    SetSoundEventHook(nullptr);
    SetDrawTrace(nullptr);
  }

  // Holds exactly these keys until the next call.
  void Hold(std::initializer_list<int> keys) { test_support::HeldKeys() = std::set<int>(keys); }
  void ReleaseKeys() { test_support::HeldKeys().clear(); }

  // Fills side `side`'s visible well from 11 strings of 6 characters, row 1 first: '.' empty,
  // '1'..'8' cell codes.
  static void SetWellRows(int side, const std::vector<std::string>& rows) {
    WellGrid& board = Side(side).Board;
    board = EmptyWellGrid();
    for (int r = 0; r < static_cast<int>(rows.size()) && r < 11; ++r) {
      for (int c = 0; c < 6 && c < static_cast<int>(rows[r].size()); ++c) {
        char ch = rows[r][c];
        board[(r + 1) * WellColumns + c + 1] = ch == '.' ? CellEmpty : ch - '0';
      }
    }
  }
  static int32_t Cell(int side, int row, int column) {
    return Side(side).Board[row * WellColumns + column];
  }

  std::vector<test_support::SoundEvent>& sounds() { return test_support::SoundEvents(); }
  std::vector<DrawCall> drawCalls;
};
