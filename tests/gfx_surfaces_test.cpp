// Loading pictures into the SurfaceTable: converted once to the back buffer's format, keyed from
// the corner, and absent (blits fail) when the file cannot be read.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/data_folder.h"
#include "gfx/display.h"
#include "gfx/display_device.h"
#include "gfx/surface_table.h"

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

}  // namespace
