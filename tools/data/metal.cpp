// Pixel-exact edges: these pictures are stretched 4x or drawn 1:1, so every pixel is placed.
#include "metal.h"

#include <algorithm>
#include <cmath>

namespace datagen {

uint32_t Tint(uint32_t colour, double k) {
  auto channel = [&](int shift) {
    const double v = (colour >> shift) & 255;
    return int(std::lround(k >= 0 ? v + (255 - v) * k : v * (1 + k)));
  };
  return Rgb(channel(16), channel(8), channel(0));
}

void Border(Image& image, int x, int y, int w, int h, const std::vector<uint32_t>& rings) {
  for (size_t i = 0; i < rings.size(); ++i) {
    const int left = x + int(i), top = y + int(i);
    const int right = x + w - 1 - int(i), bottom = y + h - 1 - int(i);
    const uint32_t lit = Tint(rings[i], 0.18), shaded = Tint(rings[i], -0.25);
    for (int col = left; col <= right; ++col) {
      image.Paint(col, top, lit);
      image.Paint(col, bottom, shaded);
    }
    for (int row = top + 1; row < bottom; ++row) {
      image.Paint(left, row, lit);
      image.Paint(right, row, shaded);
    }
  }
}

void Plate(Image& image, int x, int y, int w, int h, uint32_t face) {
  image.FillRect(x, y, w, h, face);
  image.FillRect(x, y, w, 1, Tint(face, 0.35));
  image.FillRect(x, y, 1, h, Tint(face, 0.25));
  image.FillRect(x, y + h - 1, w, 1, Tint(face, -0.45));
  image.FillRect(x + w - 1, y + 1, 1, h - 1, Tint(face, -0.35));
}

void Inset(Image& image, int x, int y, int w, int h, uint32_t inside) {
  image.FillRect(x, y, w, h, inside);
  image.FillRect(x, y, w, 1, Tint(inside, -0.6));
  image.FillRect(x, y, 1, h, Tint(inside, -0.5));
  image.FillRect(x, y + h - 1, w, 1, Tint(inside, 0.3));
  image.FillRect(x + w - 1, y + 1, 1, h - 1, Tint(inside, 0.2));
}

void Lamps(Image& image, int x, int y, int n, int step, uint32_t on, uint32_t off) {
  for (int i = 0; i < n; ++i) {
    image.FillRect(x + i * step, y, 2, 1, i % 2 == 0 ? on : off);
  }
}

}  // namespace datagen
