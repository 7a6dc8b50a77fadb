// planet.bmp (the cells of the wells) and icon.bmp (the window's icon).
#include <algorithm>
#include <cmath>

#include "pictures.h"
#include "planet_art.h"

namespace datagen {

// Row y 0: colour indices 0..5 at x = index x 32 and the sun piece at x 192; row y 32: the same
// seven mirrored left to right; row y 64: the four frames of the black-hole piece.
Picture MakePlanetSheet() {
  Canvas canvas(224, 96);
  for (int index = 0; index < kPlanetCount; ++index) {
    DrawCell(canvas, index * 32, 0, 32,
             [index](double x, double y) { return PlanetShader(index, x, y); });
  }
  DrawCell(canvas, 192, 0, 32, SunPieceShader);
  for (int frame = 0; frame < 4; ++frame) {
    DrawCell(canvas, frame * 32, 64, 32,
             [frame](double x, double y) { return BlackHolePieceShader(frame, x, y); });
  }
  Image image(224, 96);
  Stamp(canvas, image, 0, 0);
  for (int cell = 0; cell < 7; ++cell) {
    image.Copy(image, cell * 32, 0, 32, 32, cell * 32, 32, true);
  }
  return {"planet.bmp", image};
}

// 32 x 32, 24-bit and opaque (a ringed planet on a square of night sky), so it looks right
// whether or not the loader keys it.
Picture MakeIcon() {
  Canvas canvas(32, 32);
  canvas.Shade(0, 0, 32, 32, 1, [](double x, double y) {
    const double d = std::hypot(x - 16, y - 16) / 22.6;
    return Mix(Colour(Rgb(40, 36, 96)), Colour(Rgb(8, 8, 26)), std::min(d, 1.0));
  });
  DrawCell(canvas, 0, 0, 32, [](double x, double y) { return PlanetShader(3, x, y); });
  Image image(32, 32);
  Stamp(canvas, image, 0, 0);
  for (const auto& [x, y] : {std::pair{4, 5}, {27, 3}, {25, 27}, {6, 26}}) {
    image.Paint(x, y, Rgb(230, 235, 255));
  }
  return {"icon.bmp", image};
}

}  // namespace datagen
