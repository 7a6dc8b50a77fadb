// Blits on pixels: colour keys, nearest-neighbour stretching, clipping at the screen edges, 1 x 1
// bars and refused rectangles. Synthetic pictures, headless back buffer, no SDL_Init.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "gfx/back_buffer.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surface_table.h"
#include "gfx_test_colours.h"
#include "platform/display_device.h"

namespace {

// A distinct colour per picture pixel, so every sampled position can be told apart.
Uint32 Distinct(int x, int y) {
  return 0x00400000u | static_cast<Uint32>(y) << 8 | x;
}

class GfxBlitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(InitHeadlessDisplay(), 1);
    SDL_FillRect(BackBuffer(), nullptr, Background);
  }
  void TearDown() override {
    ReleaseSurfaceTable();
    ReleaseDisplay();
  }

  // Installs a w x h picture of Distinct colours with `corner` at (0, 0).
  static void Install(SurfaceId entry, int w, int h, Uint32 corner) {
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_XRGB8888);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        SetPixel(picture, x, y, Distinct(x, y));
      }
    }
    SetPixel(picture, 0, 0, corner);
    ASSERT_EQ(SetTableSurface(entry, picture), 1);
    SDL_FreeSurface(picture);
  }
  static void SetPixel(SDL_Surface* s, int x, int y, Uint32 value) {
    static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x] = value;
  }
  static Uint32 Pixel(int x, int y) {
    SDL_Surface* s = BackBuffer();
    return static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x];
  }
  static std::vector<Uint32> Screen() {
    std::vector<Uint32> all;
    for (int y = 0; y < ScreenHeight; ++y) {
      for (int x = 0; x < ScreenWidth; ++x) {
        all.push_back(Pixel(x, y));
      }
    }
    return all;
  }
  static bool Untouched() {
    for (Uint32 pixel : Screen()) {
      if (pixel != Background) {
        return false;
      }
    }
    return true;
  }
};

TEST_F(GfxBlitTest, CornerColourIsTransparentWhereverItAppears) {
  Install(SurfPlanet, 4, 3, Magenta);
  SetPixel(TableSurface(SurfPlanet), 2, 1, Magenta);
  // The unused top byte of XRGB8888 must not make a key-coloured pixel opaque.
  SetPixel(TableSurface(SurfPlanet), 3, 2, 0xAA000000 | Magenta);
  ASSERT_EQ(SetColourKeyFromCorner(SurfPlanet), 1);
  EXPECT_EQ(BlitRect(SurfPlanet, 0, 0, 4, 3, 10, 20), 0);
  EXPECT_EQ(Pixel(10, 20), Background);
  EXPECT_EQ(Pixel(12, 21), Background);
  EXPECT_EQ(Pixel(13, 22), Background);
  EXPECT_EQ(Pixel(11, 20), Distinct(1, 0));
  EXPECT_EQ(Pixel(13, 21), Distinct(3, 1));

  // Without a key (the universe) the same picture is opaque.
  Install(SurfUniverse, 4, 3, Magenta);
  EXPECT_EQ(BlitRect(SurfUniverse, 0, 0, 4, 3, 10, 20), 0);
  EXPECT_EQ(Pixel(10, 20), Magenta);
}

// Where nothing is clipped, the stretch matches SDL's own scaled blit pixel for pixel.
TEST_F(GfxBlitTest, UnclippedStretchMatchesSdl) {
  constexpr int sx = 2, sy = 1, sw = 11, sh = 5;
  Install(SurfBaku, 16, 8, Distinct(0, 0));
  const int sizes[][2] = {{23, 17}, {22, 10}, {7, 3}, {64, 37}, {11, 5}, {352, 480}, {12, 1}};
  for (const auto& size : sizes) {
    SDL_Surface* reference =
        SDL_CreateRGBSurfaceWithFormat(0, size[0], size[1], 32, SDL_PIXELFORMAT_XRGB8888);
    SDL_Rect from = {sx, sy, sw, sh};
    SDL_Rect to = {0, 0, size[0], size[1]};
    ASSERT_EQ(SDL_BlitScaled(TableSurface(SurfBaku), &from, reference, &to), 0);
    ASSERT_EQ(BlitScaled(SurfBaku, sx, sy, sw, sh, 0, 0, size[0], size[1]), 0);
    for (int y = 0; y < size[1]; ++y) {
      for (int x = 0; x < size[0]; ++x) {
        ASSERT_EQ(Pixel(x, y),
                  static_cast<Uint32*>(reference->pixels)[y * reference->pitch / 4 + x])
            << size[0] << "x" << size[1] << " at " << x << "," << y;
      }
    }
    SDL_FreeSurface(reference);
  }
}

// A clipped picture must be exactly the unclipped one, cropped, at every edge and corner.
TEST_F(GfxBlitTest, ClippedPictureIsTheUnclippedOneCropped) {
  constexpr int sw = 9, sh = 7, dw = 23, dh = 17;
  Install(SurfWakuTate, sw, sh, Distinct(0, 0));
  ASSERT_EQ(BlitScaled(SurfWakuTate, 0, 0, sw, sh, 100, 100, dw, dh), 0);
  std::vector<Uint32> whole;
  for (int y = 0; y < dh; ++y) {
    for (int x = 0; x < dw; ++x) {
      whole.push_back(Pixel(100 + x, 100 + y));
    }
  }
  const int places[][2] = {{-11, 50}, {-dw + 1, 50}, {640 - 7, 50},  {640 - 1, 50},
                           {50, -9},  {50, -dh + 1}, {50, 480 - 4},  {50, 480 - 1},
                           {-5, -6},  {640 - 3, -2}, {-13, 480 - 5}, {640 - 20, 480 - 16}};
  for (const auto& place : places) {
    SDL_FillRect(BackBuffer(), nullptr, Background);
    int dx = place[0], dy = place[1];
    EXPECT_EQ(BlitScaled(SurfWakuTate, 0, 0, sw, sh, dx, dy, dw, dh), 0);
    for (int y = 0; y < ScreenHeight; ++y) {
      for (int x = 0; x < ScreenWidth; ++x) {
        bool inside = x >= dx && x < dx + dw && y >= dy && y < dy + dh;
        Uint32 expected = inside ? whole[(y - dy) * dw + (x - dx)] : Background;
        ASSERT_EQ(Pixel(x, y), expected) << "at " << dx << "," << dy << " pixel " << x << "," << y;
      }
    }
  }
  // Wholly off screen: nothing drawn, nothing wrong.
  SDL_FillRect(BackBuffer(), nullptr, Background);
  EXPECT_EQ(BlitScaled(SurfWakuTate, 0, 0, sw, sh, 640, 10, dw, dh), 0);
  EXPECT_EQ(BlitScaled(SurfWakuTate, 0, 0, sw, sh, 10, -dh, dw, dh), 0);
  EXPECT_TRUE(Untouched());
}

TEST_F(GfxBlitTest, OnePixelSourceFillsABarUnlessItIsTheKey) {
  Install(SurfSpaceShuttle, 4, 4, Magenta);
  SetPixel(TableSurface(SurfSpaceShuttle), 3, 0, Magenta);
  ASSERT_EQ(SetColourKeyFromCorner(SurfSpaceShuttle), 1);
  // Even with less than a source pixel's worth visible, the visible rows are filled.
  EXPECT_EQ(BlitScaled(SurfSpaceShuttle, 2, 1, 1, 1, 10, 470, 64, 37), 0);
  for (int y = 0; y < ScreenHeight; ++y) {
    for (int x = 0; x < 80; ++x) {
      bool inBar = x >= 10 && x < 74 && y >= 470;
      ASSERT_EQ(Pixel(x, y), inBar ? Distinct(2, 1) : Background) << x << "," << y;
    }
  }
  SDL_FillRect(BackBuffer(), nullptr, Background);
  EXPECT_EQ(BlitScaled(SurfSpaceShuttle, 3, 0, 1, 1, 10, 10, 64, 8), 0);
  EXPECT_TRUE(Untouched());
}

TEST_F(GfxBlitTest, BadRectanglesAndAbsentPicturesDrawNothingAndFail) {
  Install(SurfMenu, 8, 8, Distinct(0, 0));
  EXPECT_NE(BlitRect(SurfMenu, 0, 0, 0, 4, 10, 10), 0);           // empty
  EXPECT_NE(BlitRect(SurfMenu, 0, 0, 4, 0, 10, 10), 0);           // empty
  EXPECT_NE(BlitRect(SurfMenu, -1, 0, 4, 4, 10, 10), 0);          // left of the picture
  EXPECT_NE(BlitRect(SurfMenu, 5, 0, 4, 4, 10, 10), 0);           // past its right edge
  EXPECT_NE(BlitRect(SurfMenu, 0, 6, 4, 4, 10, 10), 0);           // past its bottom
  EXPECT_NE(BlitRect(SurfMenu, 0, 0, -4, 4, 10, 10), 0);          // inverted
  EXPECT_NE(BlitScaled(SurfMenu, 0, 0, 4, 4, 10, 10, 0, 8), 0);   // empty destination
  EXPECT_EQ(BlitRect(SurfTitle, 0, 0, 4, 4, 10, 10), ErrorFail);  // never loaded
  EXPECT_TRUE(Untouched());
  EXPECT_EQ(BlitRect(SurfMenu, 0, 0, 8, 8, 10, 10), 0);
  EXPECT_FALSE(Untouched());
}

}  // namespace
