// Where the picture lies in a window and in full screen, and the factor a fractional one is drawn
// at.
#include <gtest/gtest.h>

#include "gfx/picture_fit.h"

namespace {

TEST(GfxPictureFit, AWindowShowsTheLargestWholeFactorCentred) {
  EXPECT_EQ(WindowPicture(640, 480), (PictureRect{0, 0, 640, 480}));
  // Just short of 2x in one direction stays at 1x, the rest black on both sides.
  EXPECT_EQ(WindowPicture(1279, 1000), (PictureRect{319, 260, 640, 480}));
  EXPECT_EQ(WindowPicture(1500, 1000), (PictureRect{110, 20, 1280, 960}));
  EXPECT_EQ(WindowPicture(1920, 1440), (PictureRect{0, 0, 1920, 1440}));
  // A tall narrow window is limited by its width.
  EXPECT_EQ(WindowPicture(1300, 2000), (PictureRect{10, 520, 1280, 960}));
  // Smaller than the picture: the largest 4:3 picture that fits, never nothing.
  EXPECT_EQ(WindowPicture(320, 480), (PictureRect{0, 120, 320, 240}));
}

TEST(GfxPictureFit, FullScreenShowsTheLargest43PictureThatFits) {
  EXPECT_EQ(FullScreenPicture(1366, 768), (PictureRect{171, 0, 1024, 768}));
  EXPECT_EQ(FullScreenPicture(1920, 1080), (PictureRect{240, 0, 1440, 1080}));
  EXPECT_EQ(FullScreenPicture(3840, 2160), (PictureRect{480, 0, 2880, 2160}));
  EXPECT_EQ(FullScreenPicture(2560, 1440), (PictureRect{320, 0, 1920, 1440}));
  EXPECT_EQ(FullScreenPicture(1024, 768), (PictureRect{0, 0, 1024, 768}));
  // A 5:4 screen is limited by its width.
  EXPECT_EQ(FullScreenPicture(1280, 1024), (PictureRect{0, 32, 1280, 960}));
}

TEST(GfxPictureFit, FractionalPicturesAreEnlargedToTheWholeFactorAbove) {
  EXPECT_EQ(EnlargementFactor(480), 1);
  EXPECT_EQ(EnlargementFactor(768), 2);
  EXPECT_EQ(EnlargementFactor(960), 2);
  EXPECT_EQ(EnlargementFactor(1080), 3);
  EXPECT_EQ(EnlargementFactor(2160), 5);
  EXPECT_EQ(EnlargementFactor(240), 1);
}

}  // namespace
