// The window's first size, from the display's usable area, the borders and the pixel density.
#include "platform/window_size.h"

#include <algorithm>
#include <cmath>

#include "gfx/display.h"

namespace {

int InUnits(int pixels, double pixelsPerUnit) {
  return static_cast<int>(std::lround(pixels / pixelsPerUnit));
}

WindowSize ClientArea(int scale, double pixelsPerUnit) {
  return {InUnits(ScreenWidth * scale, pixelsPerUnit),
          InUnits(ScreenHeight * scale, pixelsPerUnit)};
}

bool Fits(WindowSize client, WindowSize usable, WindowBorders borders) {
  return client.width + borders.left + borders.right <= usable.width &&
         client.height + borders.top + borders.bottom <= usable.height;
}

}  // namespace

WindowSize InitialWindowSize(WindowSize usable, WindowBorders borders, double pixelsPerUnit,
                             int scale) {
  if (!(pixelsPerUnit > 0)) {
    pixelsPerUnit = 1;
  }
  if (scale > 0) {
    return ClientArea(scale, pixelsPerUnit);
  }
  int fitting = 1;
  while (Fits(ClientArea(fitting + 1, pixelsPerUnit), usable, borders)) {
    ++fitting;
  }
  return ClientArea(fitting, pixelsPerUnit);
}
