// universe.bmp: the opaque space background, 640 x 480, tiling seamlessly both ways (the game
// scrolls it and wraps it around).
#include <algorithm>
#include <cmath>
#include <vector>

#include "noise.h"
#include "pictures.h"

namespace datagen {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Light {
  std::vector<double> r, g, b;
  Light() : r(kWidth * kHeight), g(kWidth * kHeight), b(kWidth * kHeight) {}
  // Adds light at (x, y) wrapped around the edges, so nothing breaks the tiling.
  void Add(int x, int y, double red, double green, double blue) {
    const size_t i =
        size_t((y % kHeight + kHeight) % kHeight) * kWidth + (x % kWidth + kWidth) % kWidth;
    r[i] += red;
    g[i] += green;
    b[i] += blue;
  }
};

void PaintNebula(Light& light) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      // Lattice periods of 4 x 3 cells over 640 x 480 keep the noise square and tileable.
      const double nx = x / 160.0, ny = y / 160.0;
      const double violet = std::clamp((PeriodicFbm(nx, ny, 4, 3, 4, 7) - 0.42) * 2.6, 0.0, 1.0);
      const double teal =
          std::clamp((PeriodicFbm(nx + 17, ny + 5, 4, 3, 4, 8) - 0.5) * 2.8, 0.0, 1.0);
      const double dust = PeriodicFbm(nx * 2, ny * 2, 8, 6, 3, 9);
      const double dim = 0.55 + 0.45 * std::clamp((dust - 0.3) * 2.5, 0.0, 1.0);
      light.Add(x, y, (6 + 52 * violet * violet + 4 * teal) * dim,
                (7 + 22 * violet * violet + 42 * teal * teal) * dim,
                (20 + 95 * violet * violet + 58 * teal * teal) * dim);
    }
  }
}

void PaintStars(Light& light) {
  Rng rng(640480);
  for (int i = 0; i < 900; ++i) {
    const int x = rng.Range(0, kWidth - 1), y = rng.Range(0, kHeight - 1);
    const double brightness = std::pow(rng.Uniform(0, 1), 3.0);
    const int kind = rng.Range(0, 2);
    const double red = kind == 0 ? 0.8 : 1.0, blue = kind == 2 ? 0.75 : 1.0;
    const double level = 40 + 190 * brightness;
    light.Add(x, y, level * red, level, level * blue);
    if (brightness > 0.35) {
      const double arm = level * 0.35;
      light.Add(x - 1, y, arm * red, arm, arm * blue);
      light.Add(x + 1, y, arm * red, arm, arm * blue);
      light.Add(x, y - 1, arm * red, arm, arm * blue);
      light.Add(x, y + 1, arm * red, arm, arm * blue);
    }
  }
}

// A few far galaxies: small tilted ellipses of soft light with a bright middle.
void PaintGalaxies(Light& light) {
  Rng rng(31337);
  for (int i = 0; i < 3; ++i) {
    const double cx = rng.Uniform(0, kWidth), cy = rng.Uniform(0, kHeight);
    const double angle = rng.Uniform(0, 3.14), size = rng.Uniform(7, 12);
    for (int dy = -16; dy <= 16; ++dy) {
      for (int dx = -16; dx <= 16; ++dx) {
        const double u = dx * std::cos(angle) + dy * std::sin(angle);
        const double v = (-dx * std::sin(angle) + dy * std::cos(angle)) * 2.8;
        const double d = std::sqrt(u * u + v * v) / size;
        if (d < 1.5) {
          const double level = 70 * std::exp(-d * d * 2.5);
          light.Add(int(cx) + dx, int(cy) + dy, level, level * 0.85, level * 0.95);
        }
      }
    }
  }
}

}  // namespace

Picture MakeUniverse() {
  Light light;
  PaintNebula(light);
  PaintGalaxies(light);
  PaintStars(light);
  Image image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const size_t i = size_t(y) * kWidth + x;
      auto level = [](double v) { return int(std::clamp(v, 0.0, 255.0)); };
      image.Paint(x, y, Rgb(level(light.r[i]), level(light.g[i]), level(light.b[i])));
    }
  }
  return {"universe.bmp", image};
}

}  // namespace datagen
