// The state hash: every field counts, padding does not, and a difference is named by member.
#include <gtest/gtest.h>

#include <cstring>

#include "state/state_hash.h"

namespace {

TEST(StateHash, SeesEveryMemberAndNamesTheOneThatDiffers) {
  GameState state;
  RandomState random;
  StateHash before = HashState(state, random);
  const std::vector<std::string>& names = StateMemberNames();
  ASSERT_EQ(before.members.size(), names.size());
  EXPECT_EQ(names.front(), "FrameCount");
  EXPECT_EQ(names.back(), "random");

  auto differing = [&](const StateHash& after) {
    std::vector<std::string> found;
    for (size_t i = 0; i < names.size(); ++i) {
      if (after.members[i] != before.members[i]) {
        found.push_back(names[i]);
      }
    }
    return found;
  };
  GameState changed = state;
  changed.side2.Board[5 * WellColumns + 3] = 4;
  StateHash board = HashState(changed, random);
  EXPECT_NE(board.whole, before.whole);
  EXPECT_EQ(differing(board), std::vector<std::string>{"side2"});

  changed = state;
  changed.StarField[69].size = 1;
  EXPECT_EQ(differing(HashState(changed, random)), std::vector<std::string>{"StarField"});

  // One number drawn more or less shows in the index, a regeneration in the words.
  RandomState drawn = random;
  drawn.index = 1;
  StateHash generator = HashState(state, drawn);
  EXPECT_NE(generator.whole, before.whole);
  EXPECT_EQ(differing(generator), std::vector<std::string>{"random"});
  drawn = random;
  drawn.words[300] ^= 1;
  EXPECT_EQ(differing(HashState(state, drawn)), std::vector<std::string>{"random"});
}

TEST(StateHash, IgnoresPaddingBytes) {
  alignas(GameState) unsigned char first[sizeof(GameState)];
  alignas(GameState) unsigned char second[sizeof(GameState)];
  std::memset(first, 0x00, sizeof first);
  std::memset(second, 0xA5, sizeof second);
  auto* a = new (first) GameState;
  auto* b = new (second) GameState;
  RandomState random;
  EXPECT_EQ(HashState(*a, random), HashState(*b, random));
}

}  // namespace
