// The row copies beneath the blits, on pixels: keyed rows of every width (four pixels at a time
// and the rest one by one), stretched rows sampled once and repeated, shrunk ones, and clipping.
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

Uint32& At(SDL_Surface* surface, int x, int y) {
  return static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x];
}

class GfxBlitRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(InitHeadlessDisplay(), 1);
    // Distinct colours with the key scattered through them, and a top byte the key ignores.
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, 37, 23, 32, SDL_PIXELFORMAT_XRGB8888);
    for (int y = 0; y < picture->h; ++y) {
      for (int x = 0; x < picture->w; ++x) {
        bool hole = (x * 7 + y * 3) % 5 == 0 || (x == 0 && y == 0);
        At(picture, x, y) = hole ? (y % 2 == 0 ? Magenta : 0xAB000000 | Magenta)
                                 : 0x00400000u | static_cast<Uint32>(y) << 8 | x;
      }
    }
    ASSERT_EQ(SetTableSurface(SurfBaku, picture), 1);
    SDL_FreeSurface(picture);
    ASSERT_EQ(SetColourKeyFromCorner(SurfBaku), 1);
  }
  void TearDown() override {
    ReleaseSurfaceTable();
    ReleaseDisplay();
  }
};

TEST_F(GfxBlitRowsTest, KeyedRowsSampleTheWholePictureAndCropAtEveryEdge) {
  // {sx, sy, sw, sh, dw, dh}: unstretched widths 1 to 9 and 37, stretched, shrunk, bars.
  const int cases[][6] = {{0, 0, 1, 3, 1, 3},      {2, 1, 2, 5, 2, 5},     {1, 0, 3, 4, 3, 4},
                          {0, 2, 4, 4, 4, 4},      {3, 3, 5, 6, 5, 6},     {0, 0, 7, 9, 7, 9},
                          {4, 1, 9, 8, 9, 8},      {0, 0, 37, 23, 37, 23}, {2, 1, 9, 5, 36, 20},
                          {0, 0, 37, 23, 148, 92}, {5, 2, 11, 13, 7, 6},   {1, 1, 9, 1, 23, 30},
                          {3, 4, 1, 1, 30, 7}};
  SDL_Surface* picture = TableSurface(SurfBaku);
  for (const auto& c : cases) {
    const int dw = c[4], dh = c[5];
    // The whole picture, sampled from the unclipped geometry as the blits promise.
    std::vector<Uint32> whole;
    const int64_t incX = (int64_t{c[2]} << 16) / dw, incY = (int64_t{c[3]} << 16) / dh;
    for (int y = 0; y < dh; ++y) {
      for (int x = 0; x < dw; ++x) {
        Uint32 pixel = At(picture, c[0] + static_cast<int>((incX / 2 + x * incX) >> 16),
                          c[1] + static_cast<int>((incY / 2 + y * incY) >> 16));
        whole.push_back((pixel & 0x00FFFFFF) == Magenta ? Background : pixel);
      }
    }
    const int places[][2] = {{100, 100},        {-dw / 2, 40},      {640 - dw / 2 - 1, 40},
                             {40, -dh / 2},     {40, 480 - dh / 3}, {-dw + 1, -dh + 1},
                             {640 - 1, 480 - 1}};
    for (const auto& place : places) {
      const int dx = place[0], dy = place[1];
      SDL_FillRect(BackBuffer(), nullptr, Background);
      ASSERT_EQ(BlitScaled(SurfBaku, c[0], c[1], c[2], c[3], dx, dy, dw, dh), 0);
      for (int y = 0; y < ScreenHeight; ++y) {
        for (int x = 0; x < ScreenWidth; ++x) {
          bool inside = x >= dx && x < dx + dw && y >= dy && y < dy + dh;
          Uint32 expected = inside ? whole[(y - dy) * dw + x - dx] : Background;
          ASSERT_EQ(At(BackBuffer(), x, y), expected)
              << c[2] << "x" << c[3] << " to " << dw << "x" << dh << " at " << dx << "," << dy
              << ", pixel " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
