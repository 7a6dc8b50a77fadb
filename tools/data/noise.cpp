// Hash-based lattice noise with cubic smoothing.
#include "noise.h"

#include <cmath>

namespace datagen {
namespace {

uint32_t Mix32(uint32_t h) {
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

uint32_t Hash(uint32_t x, uint32_t y, uint32_t z, uint32_t seed) {
  return Mix32(Mix32(Mix32(seed ^ 0x9E3779B9u) ^ x) + y) ^ Mix32(z + 0x632BE5ABu);
}

double Lattice(int x, int y, int z, uint32_t seed) {
  return Hash(uint32_t(x), uint32_t(y), uint32_t(z), seed) / 4294967295.0;
}

double Smooth(double t) {
  return t * t * (3 - 2 * t);
}

int Wrap(int value, int period) {
  return ((value % period) + period) % period;
}

}  // namespace

uint32_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return uint32_t((z ^ (z >> 31)) >> 32);
}

double Rng::Uniform(double low, double high) {
  return low + (high - low) * (Next() / 4294967296.0);
}

int Rng::Range(int low, int high) {
  return low + int(Next() % uint32_t(high - low + 1));
}

double PeriodicNoise(double x, double y, int periodX, int periodY, uint32_t seed) {
  const int x0 = int(std::floor(x));
  const int y0 = int(std::floor(y));
  const double tx = Smooth(x - x0);
  const double ty = Smooth(y - y0);
  auto at = [&](int dx, int dy) {
    return Lattice(Wrap(x0 + dx, periodX), Wrap(y0 + dy, periodY), 0, seed);
  };
  const double top = at(0, 0) + (at(1, 0) - at(0, 0)) * tx;
  const double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * tx;
  return top + (bottom - top) * ty;
}

double PeriodicFbm(double x, double y, int periodX, int periodY, int octaves, uint32_t seed) {
  double sum = 0, weight = 1, total = 0;
  for (int octave = 0; octave < octaves; ++octave) {
    const int scale = 1 << octave;
    sum += weight * PeriodicNoise(x * scale, y * scale, periodX * scale, periodY * scale,
                                  seed + uint32_t(octave) * 101u);
    total += weight;
    weight *= 0.5;
  }
  return sum / total;
}

double Noise3(double x, double y, double z, uint32_t seed) {
  const int x0 = int(std::floor(x));
  const int y0 = int(std::floor(y));
  const int z0 = int(std::floor(z));
  const double tx = Smooth(x - x0);
  const double ty = Smooth(y - y0);
  const double tz = Smooth(z - z0);
  auto plane = [&](int dz) {
    auto at = [&](int dx, int dy) { return Lattice(x0 + dx, y0 + dy, z0 + dz, seed); };
    const double top = at(0, 0) + (at(1, 0) - at(0, 0)) * tx;
    const double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * tx;
    return top + (bottom - top) * ty;
  };
  const double near = plane(0);
  return near + (plane(1) - near) * tz;
}

double Fbm3(double x, double y, double z, int octaves, uint32_t seed) {
  double sum = 0, weight = 1, total = 0, scale = 1;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += weight * Noise3(x * scale, y * scale, z * scale, seed + uint32_t(octave) * 101u);
    total += weight;
    weight *= 0.5;
    scale *= 2;
  }
  return sum / total;
}

}  // namespace datagen
