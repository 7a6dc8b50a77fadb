// planet.bmp (the cells of the wells) and icon.bmp (the window's icon).
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

// 32 x 32, 24-bit, keyed like the game's pictures: the loader keys its top-left colour.
Picture MakeIcon() {
  Canvas canvas(32, 32);
  DrawCell(canvas, 0, 0, 32, [](double x, double y) { return PlanetShader(3, x, y); });
  Image image(32, 32);
  Stamp(canvas, image, 0, 0);
  return {"icon.bmp", image};
}

}  // namespace datagen
