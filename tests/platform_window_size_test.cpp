// The window's first size from the display's usable area, its borders and its pixel density.
#include <gtest/gtest.h>

#include "platform/window_size.h"

namespace {

constexpr WindowBorders NoBorders{};
constexpr WindowBorders TitleBar{24, 1, 1, 1};

TEST(PlatformWindowSize, TheLargestWholeMultipleThatFitsWithItsBorders) {
  EXPECT_EQ(InitialWindowSize({1920, 1080}, TitleBar, 1, 0), (WindowSize{1280, 960}));
  EXPECT_EQ(InitialWindowSize({1366, 768}, TitleBar, 1, 0), (WindowSize{640, 480}));
  EXPECT_EQ(InitialWindowSize({2560, 1440}, NoBorders, 1, 0), (WindowSize{1920, 1440}));
  // The same screen with a title bar (or a panel taking its share) holds only 2x.
  EXPECT_EQ(InitialWindowSize({2560, 1440}, TitleBar, 1, 0), (WindowSize{1280, 960}));
  // Every border counts, to the pixel.
  EXPECT_EQ(InitialWindowSize({1282, 985}, TitleBar, 1, 0), (WindowSize{1280, 960}));
  EXPECT_EQ(InitialWindowSize({1282, 984}, TitleBar, 1, 0), (WindowSize{640, 480}));
  EXPECT_EQ(InitialWindowSize({1281, 985}, TitleBar, 1, 0), (WindowSize{640, 480}));
  // A display smaller than the picture still opens it at 1x.
  EXPECT_EQ(InitialWindowSize({800, 600}, TitleBar, 1, 0), (WindowSize{640, 480}));
}

TEST(PlatformWindowSize, HiDpiDisplaysAreSizedInRealPixels) {
  // 3840 x 2160 pixels reported as 1920 x 1080 units: 4x fits (2560 x 1920 pixels).
  EXPECT_EQ(InitialWindowSize({1920, 1080}, TitleBar, 2, 0), (WindowSize{1280, 960}));
  EXPECT_EQ(InitialWindowSize({1920, 1080}, TitleBar, 2, 1), (WindowSize{320, 240}));
  EXPECT_EQ(InitialWindowSize({2560, 1440}, TitleBar, 1.5, 0), (WindowSize{1707, 1280}));
  // A density that could not be measured counts as 1.
  EXPECT_EQ(InitialWindowSize({1920, 1080}, TitleBar, 0, 0), (WindowSize{1280, 960}));
}

TEST(PlatformWindowSize, AScaleAskedForIsKeptEvenWhenItDoesNotFit) {
  EXPECT_EQ(InitialWindowSize({1920, 1080}, TitleBar, 1, 1), (WindowSize{640, 480}));
  EXPECT_EQ(InitialWindowSize({1920, 1080}, TitleBar, 1, 3), (WindowSize{1920, 1440}));
}

}  // namespace
