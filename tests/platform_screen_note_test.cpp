// The program's note lies over the presented picture only: the back buffer, which the game's
// pictures, replays and headless runs read, never holds it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "platform/display_device.h"
#include "platform/screen_note.h"

namespace {

std::vector<uint8_t> Pixels(const SDL_Surface* surface) {
  const auto* bytes = static_cast<const uint8_t*>(surface->pixels);
  return {bytes, bytes + surface->pitch * surface->h};
}

uint32_t PixelAt(const SDL_Surface* surface, int x, int y) {
  uint32_t pixel = 0;
  std::memcpy(&pixel, static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * 4, 4);
  return pixel & 0xffffff;
}

}  // namespace

TEST(ScreenNote, ComposesACopyAndLeavesTheBackBufferAlone) {
  ASSERT_EQ(InitHeadlessDisplay(), 1);
  SDL_Surface* backBuffer = BackBuffer();
  ClearSurfaceToColour(backBuffer, 200, 200, 200);
  const std::vector<uint8_t> before = Pixels(backBuffer);

  SetScreenNote("Volume 60 %");
  const SDL_Surface* shown = PictureWithNote(backBuffer);
  ASSERT_NE(shown, nullptr);
  EXPECT_NE(shown, backBuffer);
  EXPECT_EQ(Pixels(backBuffer), before);
  // The band darkens the top of the picture; below it the picture is as drawn.
  EXPECT_LT(PixelAt(shown, ScreenWidth - 2, 2) & 0xff, 200u);
  EXPECT_EQ(PixelAt(shown, ScreenWidth / 2, ScreenHeight - 2), PixelAt(backBuffer, 0, 0));
  int lit = 0;
  for (int x = 0; x < 200; ++x) {
    lit += PixelAt(shown, x, 16) == 0xffffff ? 1 : 0;
  }
  EXPECT_GT(lit, 0) << "no white text in the note's band";

  SetScreenNote("");
  EXPECT_EQ(PictureWithNote(backBuffer), backBuffer);
  ReleaseDisplay();
}
