// The picture's rectangle in an output: pure arithmetic, shared by the display and its tests.
#include "gfx/picture_fit.h"

#include <algorithm>

#include "gfx/display.h"

namespace {

PictureRect Centred(int outputWidth, int outputHeight, int width, int height) {
  return {(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

}  // namespace

PictureRect FullScreenPicture(int outputWidth, int outputHeight) {
  // Height first, so that the common wide screens get an exact 4:3 width (768 -> 1024).
  const int height = std::min(outputHeight, outputWidth * ScreenHeight / ScreenWidth);
  const int width = height * ScreenWidth / ScreenHeight;
  return Centred(outputWidth, outputHeight, width, height);
}

PictureRect WindowPicture(int outputWidth, int outputHeight) {
  const int factor = std::min(outputWidth / ScreenWidth, outputHeight / ScreenHeight);
  if (factor < 1) {
    return FullScreenPicture(outputWidth, outputHeight);
  }
  return Centred(outputWidth, outputHeight, ScreenWidth * factor, ScreenHeight * factor);
}

int EnlargementFactor(int pictureHeight) {
  return std::max(1, (pictureHeight + ScreenHeight - 1) / ScreenHeight);
}
