// The state hash: every field counts, padding does not, and a difference is named by member.
#include <gtest/gtest.h>

#include <cstring>

#include "state/state_hash.h"
#include "state_leaves.h"

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

// The generator as SeedRandom leaves it, the program's own left as it was.
RandomState SeededGenerator(uint32_t seed) {
  RandomState kept = Random;
  SeedRandom(seed);
  RandomState seeded = Random;
  Random = kept;
  return seeded;
}

// The top-level member a leaf belongs to: "side1" for "side1.Board[12]".
std::string MemberOf(const std::string& path) {
  return path.substr(0, path.find_first_of(".["));
}

// Every bit of every field of the schema, the generator's words and index included: flipped, it
// changes the whole hash and its own member's, and no other member's. A hash that skipped a
// field, or read only part of one, would let two different states pass for the same.
TEST(StateHash, EveryBitOfEveryFieldChangesTheHash) {
  GameState state;
  RandomState random = SeededGenerator(42);
  const StateHash before = HashState(state, random);
  const std::vector<std::string>& names = StateMemberNames();
  std::vector<Leaf> leaves = LeavesOf(state, random);
  ASSERT_GT(leaves.size(), 624u);
  int unseen = 0;
  for (const Leaf& leaf : leaves) {
    const std::string member = MemberOf(leaf.path);
    for (int bit = 0; bit < 8 * leaf.bytes; ++bit) {
      auto* byte = static_cast<uint8_t*>(leaf.at) + bit / 8;
      *byte ^= static_cast<uint8_t>(1 << (bit % 8));
      StateHash after = HashState(state, random);
      *byte ^= static_cast<uint8_t>(1 << (bit % 8));
      std::vector<std::string> changed;
      for (size_t i = 0; i < names.size(); ++i) {
        if (after.members[i] != before.members[i]) {
          changed.push_back(names[i]);
        }
      }
      if ((after.whole == before.whole || changed != std::vector<std::string>{member}) &&
          ++unseen <= 10) {
        ADD_FAILURE() << leaf.path << " bit " << bit << " changes "
                      << (after.whole == before.whole ? "not" : "") << " the whole hash and "
                      << changed.size() << " members";
      }
    }
  }
  EXPECT_EQ(unseen, 0) << "bits the hash does not see";
}

// The hash is part of every replay file and of the online check: the same state hashes to the
// same numbers in every build. A change here must come with a new logic version
// (src/replay/versions.h) and re-recorded golden replays.
TEST(StateHash, AFixedStateHashesToItsKnownValue) {
  GameState state;
  RandomState random = SeededGenerator(15);
  state.FrameCount = 1234;
  state.side1.Board[5 * WellColumns + 3] = 4;
  state.side2.CapturedPlanets.count = -7;
  StateHash hash = HashState(state, random);
  EXPECT_EQ(hash.whole, 0xd82bed9df51e132aull) << std::hex << hash.whole;
  EXPECT_EQ(hash.members.front(), 0x2462616du) << std::hex << hash.members.front();
  EXPECT_EQ(hash.members.back(), 0x2dbda5a5u) << std::hex << hash.members.back();
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
