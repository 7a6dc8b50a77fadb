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

namespace {

// A star of the icon: a round dot `diameter` pixels across at (x, y), its edge blended; a dot of
// one pixel is that pixel alone.
void PaintStar(Image& image, int x, int y, int diameter) {
  const uint32_t star = Rgb(230, 235, 255);
  const double radius = diameter / 2.0, cx = x + radius, cy = y + radius;
  for (int py = y - 1; py <= y + diameter; ++py) {
    for (int px = x - 1; px <= x + diameter; ++px) {
      const double cover =
          std::clamp(radius + 0.5 - std::hypot(px + 0.5 - cx, py + 0.5 - cy), 0.0, 1.0);
      if (cover >= 1.0) {
        image.Paint(px, py, star);
      } else if (cover > 0.0 && px >= 0 && py >= 0 && px < image.width && py < image.height) {
        const Rgba mixed = Mix(Colour(image.At(px, py)), Colour(star), cover);
        image.Paint(
            px, py,
            Rgb(int(mixed.r * 255 + 0.5), int(mixed.g * 255 + 0.5), int(mixed.b * 255 + 0.5)));
      }
    }
  }
}

}  // namespace

// 24-bit and opaque (a ringed planet on a square of night sky), so it looks right whether or not
// the loader keys it. The art is laid out on 32 units and drawn afresh at each size; the stars
// grow one pixel across for every 32.
Image DrawIcon(int size) {
  const double unit = 32.0 / size;
  Canvas canvas(size, size);
  canvas.Shade(0, 0, size, size, 1, [unit](double x, double y) {
    const double d = std::hypot(x * unit - 16, y * unit - 16) / 22.6;
    return Mix(Colour(Rgb(40, 36, 96)), Colour(Rgb(8, 8, 26)), std::min(d, 1.0));
  });
  DrawCell(canvas, 0, 0, size, [](double x, double y) { return PlanetShader(3, x, y); });
  Image image(size, size);
  Stamp(canvas, image, 0, 0);
  for (const auto& [x, y] : {std::pair{4, 5}, {27, 3}, {25, 27}, {6, 26}}) {
    PaintStar(image, x * size / 32, y * size / 32, std::max(1, size / 32));
  }
  return image;
}

Picture MakeIcon() {
  return {"icon.bmp", DrawIcon(32)};
}

}  // namespace datagen
