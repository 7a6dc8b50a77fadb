// The state document: every field written, read back exactly, the generator with it, and bad
// documents refused whole.
#include <gtest/gtest.h>

#include <vector>

#include "state/state_document.h"
#include "state/state_schema.h"

namespace {

// Marks the bytes of every field the document walks.
struct CoverageWalker {
  const char* base;
  std::vector<bool>& covered;

  void Mark(const void* field, size_t size) {
    size_t offset = static_cast<const char*>(field) - base;
    for (size_t i = 0; i < size; ++i) {
      covered[offset + i] = true;
    }
  }
  template <class T>
  void Int(const char*, T& field) {
    Mark(&field, sizeof field);
  }
  void Code(const char*, int32_t& field) { Mark(&field, sizeof field); }
  void Scene(const char*, int32_t& field) { Mark(&field, sizeof field); }
  void SideStateName(const char*, int32_t& field) { Mark(&field, sizeof field); }
  void Grid(const char*, WellGrid& grid) { Mark(&grid, sizeof grid); }
  template <class R>
  void Record(const char*, R& record) {
    WalkState(*this, record);
  }
  template <class T, size_t N>
  void List(const char*, std::array<T, N>& list) {
    for (T& item : list) {
      if constexpr (std::is_integral_v<T>) {
        Mark(&item, sizeof item);
      } else {
        WalkState(*this, item);
      }
    }
  }
};

// Fails when a field is added to GameState without a line in state_schema.h.
TEST(StateDocument, WalksEveryFieldOfTheState) {
  GameState state;
  std::vector<bool> covered(sizeof state, false);
  CoverageWalker walker{reinterpret_cast<const char*>(&state), covered};
  WalkState(walker, state);
  // What is left uncovered may only be padding: fewer than 4 bytes before a 4-byte boundary.
  for (size_t offset = 0; offset < covered.size();) {
    size_t end = offset;
    while (end < covered.size() && !covered[end]) {
      ++end;
    }
    bool padding = end - offset < 4 && (end % 4 == 0 || end == covered.size());
    ASSERT_TRUE(end == offset || padding)
        << "bytes " << offset << ".." << end << " of GameState are not in the document";
    offset = end == offset ? end + 1 : end;
  }
}

GameState UnusualState() {
  GameState state;
  state.FrameCount = 4000000000u;
  state.CurrentScene = SceneVersus;
  state.score = -7;
  state.side1.Board[1 * WellColumns + 3] = 8;
  state.side2.Board[11 * WellColumns + 6] = 42;  // no character for it: rows of numbers
  state.side2.sideState = SideLost;
  state.side1.FallingPair.orientation = 'l';
  state.side1.FallingPair.pairActive = 255;
  state.side2.CapturedPlanets = {{3, 1, 4}, 3};
  state.side1.ExplosionTable[29].frame = 15;
  state.StarField[69].stepY = 6;
  state.title.PlayMode = 7;  // not a printable character: a number
  state.WhiteHole.firstFrame = 0;
  state.ScanSnapshot[0] = CellWall;
  return state;
}

TEST(StateDocument, ReadsBackExactlyWhatItWrote) {
  GameState original = UnusualState();
  std::string text = WriteStateDocument(original);
  EXPECT_NE(text.find("\"orientation\": \"l\""), std::string::npos);
  EXPECT_NE(text.find("\"CurrentScene\": \"SceneVersus\""), std::string::npos);
  EXPECT_NE(text.find("\"#..8...#\""), std::string::npos);
  GameState restored;
  std::string error;
  ASSERT_TRUE(ReadStateDocument(text, restored, error)) << error;
  EXPECT_EQ(WriteStateDocument(restored), text);
  EXPECT_EQ(restored.side2.Board[11 * WellColumns + 6], 42);
  EXPECT_EQ(restored.title.PlayMode, 7);
  EXPECT_EQ(restored.FrameCount, 4000000000u);
}

TEST(StateDocument, ASubsetReplacesOnlyWhatItNames) {
  GameState state = UnusualState();
  std::string error;
  ASSERT_TRUE(ReadStateDocument(R"({"score": 30, "side1": {"FallingPair": {"orientation": "r"}},
      "StarField": [{"x": 5}], "title": {"MenuChoice": 101}})",
                                state, error))
      << error;
  EXPECT_EQ(state.score, 30);
  EXPECT_EQ(state.side1.FallingPair.orientation, 'r');
  EXPECT_EQ(state.side1.FallingPair.pairActive, 255);
  EXPECT_EQ(state.StarField[0].x, 5);
  EXPECT_EQ(state.StarField[69].stepY, 6);
  EXPECT_EQ(state.title.MenuChoice, 'e');
  EXPECT_EQ(state.CurrentScene, SceneVersus);
}

TEST(StateDocument, RefusesABadDocumentWholeAndSaysWhere) {
  const std::pair<const char*, const char*> bad[] = {
      {R"({"score": 1, "side1": {"Bored": 1}})", "side1.Bored"},
      {R"({"side1": {"FallingPair": {"pairActive": 256}}})", "side1.FallingPair.pairActive"},
      {R"({"CurrentScene": "SceneNowhere"})", "CurrentScene"},
      {R"({"side2": {"Board": ["#......#"]}})", "side2.Board"},
      {R"({"ScanSnapshot": ["#......#", "#..x...#"]})", "ScanSnapshot"},
      {R"({"StarField": [{"x": 1.5}]})", "StarField[0].x"},
      {R"({"title": {"PlayMode": "so"}})", "title.PlayMode"},
      {R"({"side1": {"driftCounter": [1, 2, 3]}})", "side1.driftCounter"},
      {R"([1, 2])", "document"},
      {R"({"score": )", "not valid JSON"},
  };
  for (const auto& [text, where] : bad) {
    GameState state;
    std::string error;
    EXPECT_FALSE(ReadStateDocument(text, state, error)) << text;
    EXPECT_NE(error.find(where), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_EQ(state.score, 0) << "a refused document changed the state: " << text;
  }
}

RandomState DrawnGenerator(uint32_t seed, int draws) {
  RandomState saved = Random;
  SeedRandom(seed);
  for (int i = 0; i < draws; ++i) {
    RandomWord();
  }
  RandomState drawn = Random;
  Random = saved;
  return drawn;
}

TEST(StateDocument, CarriesTheGeneratorSoThatADocumentAloneContinuesARun) {
  RandomState original = DrawnGenerator(77, 700);  // past a regeneration, index mid-table
  std::string text = WriteStateDocument(UnusualState(), original);
  GameState state;
  RandomState restored = DrawnGenerator(1, 0);
  std::string error;
  ASSERT_TRUE(ReadStateDocument(text, state, restored, error)) << error;
  EXPECT_EQ(restored.words, original.words);
  EXPECT_EQ(restored.index, original.index);
  EXPECT_EQ(WriteStateDocument(state, restored), text);

  // Without the member the generator stays as it was.
  RandomState untouched = DrawnGenerator(5, 3);
  ASSERT_TRUE(ReadStateDocument(R"({"score": 4})", state, untouched, error)) << error;
  EXPECT_EQ(untouched.words, DrawnGenerator(5, 3).words);
  EXPECT_EQ(untouched.index, DrawnGenerator(5, 3).index);
}

TEST(StateDocument, RefusesHalfAGeneratorWithoutTouchingAnything) {
  std::string words = "[" + std::string(623 * 2, ' ') + "]";
  for (int i = 0; i < 623; ++i) {
    words[1 + 2 * i] = '7';
    words[2 + 2 * i] = i + 1 < 623 ? ',' : ' ';
  }
  const std::pair<std::string, const char*> bad[] = {
      {R"({"score": 9, "random": {"words": )" + words + R"(, "index": 3}})", "random.words"},
      {R"({"score": 9, "random": {"index": 3}})", "random"},
      {R"({"score": 9, "random": {"words": [], "index": 3, "seed": 1}})", "random"},
      {R"({"score": 9, "random": {"index": 3, "words": [-1]}})", "random.words"},
  };
  for (const auto& [text, where] : bad) {
    GameState state;
    RandomState random = DrawnGenerator(5, 3);
    std::string error;
    EXPECT_FALSE(ReadStateDocument(text, state, random, error)) << text;
    EXPECT_EQ(error.rfind(where, 0), 0u) << error;
    EXPECT_EQ(state.score, 0);
    EXPECT_EQ(random.words, DrawnGenerator(5, 3).words);
  }
}

}  // namespace
