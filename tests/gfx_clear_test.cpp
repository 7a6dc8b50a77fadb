// ClearToColour's pixel values in the 32-bit and both 16-bit formats, and its refusal of others.
#include <SDL.h>
#include <gtest/gtest.h>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "platform/display_device.h"

namespace {

Uint32 ClearedPixel(Uint32 format, int red, int green, int blue, int32_t* result = nullptr) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 32, format);
  SDL_FillRect(surface, nullptr, 0x5A5A);
  int32_t got = ClearSurfaceToColour(surface, red, green, blue);
  if (result != nullptr) {
    *result = got;
  }
  Uint32 pixel = 0;
  SDL_memcpy(&pixel, surface->pixels, surface->format->BytesPerPixel);
  SDL_FreeSurface(surface);
  return pixel;
}

TEST(GfxClearTest, ThirtyTwoBitPacksTheLowByteOfEachChannel) {
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_XRGB8888, 0x12, 0x34, 0x56), 0x123456u);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_XRGB8888, 0x1FF, 0x100, 0), 0xFF0000u);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_XRGB8888, 0, 0, 0), 0u);
}

// 16-bit channels scale by 16 (and 32 for 5:6:5 green), so white sets only each field's top bit.
TEST(GfxClearTest, SixteenBitFormatsKeepTheirScales) {
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB555, 0, 0, 0), 0u);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB555, 255, 255, 255), 0x4210u);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB555, 128, 64, 300), 8u << 10 | 4u << 5 | 16u);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB565, 0, 0, 0), 0u);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB565, 255, 255, 255), 0x8410u);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB565, 15, 128, -5), 0u << 11 | 16u << 5 | 0u);
}

TEST(GfxClearTest, OtherFormatsFailAndFillNothing) {
  int32_t result = 0;
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB444, 0, 0, 0, &result), 0x5A5Au);
  EXPECT_EQ(result, ErrorFail);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB24, 0, 0, 0, &result), 0x5A5Au);
  EXPECT_EQ(result, ErrorFail);
  EXPECT_EQ(ClearedPixel(SDL_PIXELFORMAT_RGB332, 0, 0, 0, &result), 0x5Au);
  EXPECT_EQ(result, ErrorFail);
}

TEST(GfxClearTest, ClearsTheWholeBackBuffer) {
  EXPECT_EQ(ClearToColour(1, 2, 3), ErrorFail);  // no display open
  ASSERT_EQ(InitHeadlessDisplay(), 1);
  EXPECT_EQ(ClearToColour(1, 2, 3), 0);
  SDL_Surface* back = BackBuffer();
  const auto* pixels = static_cast<const Uint32*>(back->pixels);
  EXPECT_EQ(pixels[0], 0x010203u);
  EXPECT_EQ(pixels[(ScreenHeight - 1) * back->pitch / 4 + ScreenWidth - 1], 0x010203u);
  EXPECT_EQ(PresentFrame(0), 0);  // headless: nothing to show it in
  EXPECT_EQ(ReleaseDisplay(), 1);
  EXPECT_EQ(ReleaseDisplay(), 1);
}

}  // namespace
