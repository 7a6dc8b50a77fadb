// Loading pictures into the SurfaceTable: converted once to the back buffer's format, keyed from
// the corner, and absent (blits fail) when the file cannot be read.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "gfx/surface_table.h"
#include "platform/display_device.h"
#include "services/data_path.h"

namespace {

class GfxSurfacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per case: ctest runs the cases of a suite side by side.
    folder = ::testing::TempDir() + "gfx_surfaces_test-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::create_directories(folder);
    SetDataFolder(folder);
    ASSERT_EQ(InitHeadlessDisplay(), 1);
  }
  void TearDown() override {
    ReleaseSurfaceTable();
    ReleaseDisplay();
    SetDataFolder("");
    std::filesystem::remove_all(folder);
  }
  // Saves a 24-bit 3 x 2 picture: magenta corner, then red, green, blue, white, grey.
  void SaveBmp(const char* name) {
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 24, SDL_PIXELFORMAT_RGB24);
    const Uint32 colours[] = {0xFF00FF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080};
    for (int i = 0; i < 6; ++i) {
      SDL_Rect pixel = {i % 3, i / 3, 1, 1};
      SDL_FillRect(picture, &pixel,
                   SDL_MapRGB(picture->format, colours[i] >> 16, colours[i] >> 8, colours[i]));
    }
    ASSERT_EQ(SDL_SaveBMP(picture, (folder + "/" + name).c_str()), 0);
    SDL_FreeSurface(picture);
  }
  // Saves a valid 24-bit picture 3 pixels wide and |height| tall, top-down when height < 0.
  void SaveTallBmp(const char* name, int32_t height) {
    const uint32_t rows = height < 0 ? -height : height;
    const uint32_t pixelBytes = rows * 12;  // 9 bytes a row, padded to 12
    std::vector<uint8_t> file;
    auto put = [&file](uint32_t value, int bytes) {
      for (int i = 0; i < bytes; ++i) {
        file.push_back(static_cast<uint8_t>(value >> (8 * i)));
      }
    };
    file.push_back('B');
    file.push_back('M');
    for (uint32_t field : {54 + pixelBytes, 0u, 54u, 40u, 3u, static_cast<uint32_t>(height)}) {
      put(field, 4);
    }
    put(1, 2);   // planes
    put(24, 2);  // bits per pixel
    for (uint32_t field : {0u, pixelBytes, 2835u, 2835u, 0u, 0u}) {
      put(field, 4);
    }
    file.resize(file.size() + pixelBytes, 0x40);
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
  }
  static Uint32 Pixel(int x, int y) {
    SDL_Surface* back = BackBuffer();
    return static_cast<Uint32*>(back->pixels)[y * back->pitch / 4 + x];
  }
  std::string folder;
};

TEST_F(GfxSurfacesTest, PictureLoadsIntoTheBackBufferFormatKeyedFromItsCorner) {
  SaveBmp("planet.bmp");
  ASSERT_EQ(LoadBitmapSurface(SurfPlanet, "planet.bmp"), 1);
  ASSERT_NE(TableSurface(SurfPlanet), nullptr);
  EXPECT_EQ(TableSurface(SurfPlanet)->format->format, BackBuffer()->format->format);
  ASSERT_EQ(SetColourKeyFromCorner(SurfPlanet), 1);
  SDL_FillRect(BackBuffer(), nullptr, 0x123456);
  EXPECT_EQ(BlitRect(SurfPlanet, 0, 0, 3, 2, 0, 0), 0);
  EXPECT_EQ(Pixel(0, 0), 0x123456u) << "the magenta corner is transparent";
  EXPECT_EQ(Pixel(1, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(Pixel(2, 1) & 0xFFFFFF, 0x808080u);
}

TEST_F(GfxSurfacesTest, UnreadableFileLeavesTheEntryAbsent) {
  SaveBmp("title.bmp");
  ASSERT_EQ(LoadBitmapSurface(SurfTitle, "title.bmp"), 1);
  // Reloading from a missing file empties the entry rather than keeping a stale picture.
  EXPECT_EQ(LoadBitmapSurface(SurfTitle, "missing.bmp"), 0);
  EXPECT_EQ(TableSurface(SurfTitle), nullptr);
  EXPECT_EQ(SetColourKeyFromCorner(SurfTitle), 0);
  EXPECT_EQ(BlitRect(SurfTitle, 0, 0, 3, 2, 0, 0), ErrorFail);
  EXPECT_EQ(ReleaseSurfaceTable(), 1);
  EXPECT_EQ(ReleaseSurfaceTable(), 1);
}

// No picture of the game is taller than 4096 rows: a taller one is refused before SDL reads it,
// whichever way its rows are stored, even when its file really holds all of them.
TEST_F(GfxSurfacesTest, PicturesTallerThan4096RowsAreRefusedEitherWayUp) {
  for (int32_t height : {4096, -4096, 4097, -4097}) {
    SaveTallBmp("back.bmp", height);
    EXPECT_EQ(LoadBitmapSurface(SurfBack, "back.bmp"), height == 4096 || height == -4096 ? 1 : 0)
        << height;
  }
}

}  // namespace
