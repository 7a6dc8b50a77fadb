// DrawLabel on pixels: glyphs in the asked colour on a transparent background, cell height,
// wrapping at the screen's right edge back to the starting x, and labels drawn again unchanged.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "gfx/font_lookup.h"
#include "gfx/text.h"
#include "platform/display_device.h"

namespace {

// What the labels are drawn on.
constexpr Uint32 Paper = 0x00204060;

// The box of every pixel DrawLabel changed, and how many it changed.
struct Ink {
  int left = ScreenWidth, top = ScreenHeight, right = -1, bottom = -1, count = 0;
  bool exactColourSeen = false;
};

class GfxTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (FindJapaneseGothicFont().empty()) {
      GTEST_SKIP() << "no Japanese font installed (fonts-ipafont-gothic)";
    }
    ASSERT_EQ(InitHeadlessDisplay(), 1);
    SDL_FillRect(BackBuffer(), nullptr, Paper);
  }
  void TearDown() override { ReleaseDisplay(); }

  static Ink InkOf(Uint32 colour) {
    Ink ink;
    SDL_Surface* back = BackBuffer();
    for (int y = 0; y < ScreenHeight; ++y) {
      for (int x = 0; x < ScreenWidth; ++x) {
        Uint32 pixel = static_cast<Uint32*>(back->pixels)[y * back->pitch / 4 + x];
        if (pixel == Paper) {
          continue;
        }
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
        ++ink.count;
        ink.exactColourSeen = ink.exactColourSeen || (pixel & 0xFFFFFF) == colour;
      }
    }
    return ink;
  }
};

TEST_F(GfxTextTest, GlyphsInColourOnATransparentBackground) {
  EXPECT_EQ(DrawLabel("Ｇａｍｅ Ｏｖｅｒ", 75, 200, 60, 255, 255, 255), 0);
  Ink ink = InkOf(0xFFFFFF);
  ASSERT_GT(ink.count, 0);
  EXPECT_TRUE(ink.exactColourSeen);
  EXPECT_GE(ink.left, 75);
  EXPECT_GE(ink.top, 200);
  EXPECT_LE(ink.bottom, 200 + 60);  // one cell, a glyph may reach one pixel below it
  // Between the glyphs the picture behind shows: far from every pixel of the box is inked.
  int box = (ink.right - ink.left + 1) * (ink.bottom - ink.top + 1);
  EXPECT_LT(ink.count, box * 2 / 3);
}

TEST_F(GfxTextTest, LongTextWrapsAtTheRightEdgeBackToItsX) {
  EXPECT_EQ(DrawLabel("one two three four five six seven", 400, 100, 30, 250, 250, 0), 0);
  Ink ink = InkOf(0xFAFA00);
  ASSERT_GT(ink.count, 0);
  EXPECT_GE(ink.left, 400);
  EXPECT_LT(ink.left, 410);
  EXPECT_GT(ink.bottom, 100 + 2 * 30);  // three lines at least
  EXPECT_LE(ink.right, ScreenWidth - 1);

  // The same text with room to spare stays on one line.
  SDL_FillRect(BackBuffer(), nullptr, Paper);
  DrawLabel("one two three four five six seven", 0, 100, 30, 250, 250, 0);
  EXPECT_LE(InkOf(0xFAFA00).bottom, 100 + 30);
}

TEST_F(GfxTextTest, ALabelDrawnAgainIsTheSamePictureAndAnyChangeOfItIsSeen) {
  auto picture = [] {
    SDL_Surface* back = BackBuffer();
    const auto* pixels = static_cast<const Uint32*>(back->pixels);
    return std::vector<Uint32>(pixels, pixels + back->h * back->pitch / 4);
  };
  auto drawn = [&](const char* text, int height, int red) {
    SDL_FillRect(BackBuffer(), nullptr, Paper);
    DrawLabel(text, 100, 100, height, red, 255, 255);
    return picture();
  };
  const std::vector<Uint32> first = drawn("40.00 fps", 15, 255);
  EXPECT_EQ(drawn("40.00 fps", 15, 255), first);
  EXPECT_NE(drawn("39.99 fps", 15, 255), first);
  EXPECT_NE(drawn("40.00 fps", 16, 255), first);
  drawn("40.00 fps", 15, 0);
  EXPECT_TRUE(InkOf(0x00FFFF).exactColourSeen);
  // Many different labels (a running score) and a display released and opened again between two
  // frames leave the same label drawing the same picture.
  for (int score = 0; score < 100; ++score) {
    drawn(std::to_string(score).c_str(), 15, 255);
  }
  EXPECT_EQ(drawn("40.00 fps", 15, 255), first);
  ReleaseDisplay();
  ASSERT_EQ(InitHeadlessDisplay(), 1);
  EXPECT_EQ(drawn("40.00 fps", 15, 255), first);
}

}  // namespace
