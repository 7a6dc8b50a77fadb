// baku.bmp: for each planet colour, 15 frames of the planet bursting (flash, shock ring, debris).
#include <cmath>

#include "noise.h"
#include "pictures.h"
#include "planet_art.h"

namespace datagen {
namespace {

constexpr int kFrames = 15;
constexpr double kPi = 3.14159265358979323846;

struct Shard {
  double angle, speed, size;
};

Rgba Brighter(const Rgba& c, double k) {
  return Mix(c, Colour(Rgb(255, 255, 255)), k);
}

// A small lit chunk of `colour` at (cx, cy), its bright side up and to the left.
Rgba Chunk(double x, double y, double cx, double cy, double radius, const Rgba& colour) {
  const double u = (x - cx) / radius, v = (y - cy) / radius;
  if (u * u + v * v >= 1) {
    return {};
  }
  const double light = -0.5 * (u + v);
  return light > 0 ? Brighter(colour, 0.6 * light)
                   : Mix(colour, Colour(Rgb(20, 10, 30)), -0.5 * light);
}

Rgba BurstShader(int index, int frame, const Shard* shards, int shardCount, double x, double y) {
  const Rgba colour = Colour(PlanetColour(index));
  const double u = x - 16, v = y - 16;
  const double r = std::sqrt(u * u + v * v);
  if (frame == 0) {
    // The planet swells and glows through radial cracks just before it goes.
    Rgba planet = PlanetShader(index, 16 + u / 1.06, 16 + v / 1.06);
    if (planet.a > 0) {
      const double crack = std::fabs(std::sin(std::atan2(v, u) * 3.5 + std::sin(r * 0.8)));
      planet = Brighter(planet, crack < 0.22 && r > 2.5 ? 0.9 : 0.3);
    }
    return planet;
  }
  const double t = (frame - 1) / double(kFrames - 2);  // 0 on frame 1, 1 on the last
  Rgba result;
  // The shock ring, thin and quickly gone.
  if (frame >= 2 && frame <= 8) {
    const double ringRadius = 6.0 + 9.5 * std::sqrt((frame - 2) / 6.0);
    if (std::fabs(r - ringRadius) < 1.2 - 0.08 * frame) {
      result = Brighter(colour, 0.75 - 0.06 * frame);
    }
  }
  // Sparks, faster than the shards.
  if (frame >= 2 && frame <= 10) {
    for (int i = 0; i < 12; ++i) {
      const double angle = (i + 0.5) * 2 * kPi / 12 + index;
      const double distance = 7.0 + 1.6 * (frame - 2) * (1.0 + 0.25 * (i % 3));
      const double cx = 16 + std::cos(angle) * distance, cy = 16 + std::sin(angle) * distance;
      if (std::fabs(x - cx) < 0.75 && std::fabs(y - cy) < 0.75) {
        result = Brighter(colour, 0.9 - 0.07 * frame);
      }
    }
  }
  // Shards of the planet fly outward, slowing and shrinking.
  const double travel = 1.0 - (1.0 - t) * (1.0 - t);
  for (int i = 0; i < shardCount && frame >= 2; ++i) {
    const Shard& shard = shards[i];
    const double distance = 4.0 + 10.5 * shard.speed * travel;
    const double size = shard.size * (frame < 9 ? 1.0 : 1.0 - (frame - 8) / 7.5);
    const double cx = 16 + std::cos(shard.angle) * distance;
    const double cy = 16 + std::sin(shard.angle) * distance;
    result = Over(Chunk(x, y, cx, cy, size, colour), result);
  }
  // The white-hot flash at the centre.
  if (frame <= 4) {
    const double flashRadius = 15.0 - 3.2 * frame;
    if (r < flashRadius) {
      result = Over(
          Mix(Colour(Rgb(255, 255, 245)), Brighter(colour, 0.45), std::pow(r / flashRadius, 2)),
          result);
    }
  }
  return result;
}

}  // namespace

// Row y = colour index x 32, frame k at x = k x 32.
Picture MakeBursts() {
  Canvas canvas(kFrames * 32, kPlanetCount * 32);
  for (int index = 0; index < kPlanetCount; ++index) {
    Rng rng(1000 + index);
    Shard shards[7];
    for (int i = 0; i < 7; ++i) {
      shards[i] = {(i + rng.Uniform(0.2, 0.8)) * 2 * kPi / 7, rng.Uniform(0.75, 1.0),
                   rng.Uniform(2.6, 3.8)};
    }
    for (int frame = 0; frame < kFrames; ++frame) {
      DrawCell(canvas, frame * 32, index * 32, 32,
               [&](double x, double y) { return BurstShader(index, frame, shards, 7, x, y); });
    }
  }
  Image image(canvas.width(), canvas.height());
  Stamp(canvas, image, 0, 0);
  return {"baku.bmp", image};
}

}  // namespace datagen
