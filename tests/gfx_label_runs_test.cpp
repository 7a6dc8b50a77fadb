// How a label is shared among stand-in faces: first face that has a character wins, runs stay in
// order, and full-width forms no face has become their ordinary forms.
#include <gtest/gtest.h>

#include "gfx/label_runs.h"

namespace {

// Face 0 has ASCII, face 1 has ASCII and kana; neither has full-width forms.
bool Has(int face, char32_t character) {
  return character < 0x80 || (face == 1 && character >= 0x3040 && character <= 0x30FF);
}

std::vector<std::pair<int, std::string>> Runs(const char* text) {
  std::vector<std::pair<int, std::string>> runs;
  for (const LabelRun& run : SplitIntoFaceRuns(text, 2, Has)) {
    runs.emplace_back(run.face, run.text);
  }
  return runs;
}

using Expected = std::vector<std::pair<int, std::string>>;

TEST(GfxLabelRuns, EachCharacterGoesToTheFirstFaceThatHasIt) {
  EXPECT_EQ(Runs("  40.00"), (Expected{{0, "  40.00"}}));
  EXPECT_EQ(Runs("aカナb"), (Expected{{0, "a"}, {1, "カナ"}, {0, "b"}}));
  EXPECT_TRUE(Runs("").empty());
}

TEST(GfxLabelRuns, MissingCharactersFallBackToOrdinaryFormsOrTheFirstFace) {
  // Full-width letters and the ideographic space read as plain text.
  EXPECT_EQ(Runs("Ｇａｍｅ　Ｏｖｅｒ"), (Expected{{0, "Game Over"}}));
  // A character nobody has stays itself in face 0; a broken sequence becomes U+FFFD.
  EXPECT_EQ(Runs("矢x"), (Expected{{0, "矢x"}}));
  EXPECT_EQ(Runs("a\xE3\x82"), (Expected{{0, "a\xEF\xBF\xBD"}}));
  // Four-byte characters survive the round trip.
  EXPECT_EQ(Runs("\xF0\x9F\x9A\x80"), (Expected{{0, "\xF0\x9F\x9A\x80"}}));
}

}  // namespace
