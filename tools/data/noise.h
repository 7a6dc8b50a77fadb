// Deterministic random numbers and smooth noise: every picture comes out the same on every build.
#pragma once
#include <cstdint>

namespace datagen {

// SplitMix64: small, fast, and the same sequence everywhere for a given seed.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint32_t Next();
  double Uniform(double low, double high);
  int Range(int low, int high);  // both bounds included

 private:
  uint64_t state_;
};

// Smooth value noise in 0..1 on a lattice that repeats every periodX x periodY cells.
double PeriodicNoise(double x, double y, int periodX, int periodY, uint32_t seed);
// Octaves of PeriodicNoise, each of twice the frequency (and period) of the one before; 0..1.
double PeriodicFbm(double x, double y, int periodX, int periodY, int octaves, uint32_t seed);
// Smooth value noise in 0..1 in three dimensions (textures on spheres).
double Noise3(double x, double y, double z, uint32_t seed);
double Fbm3(double x, double y, double z, int octaves, uint32_t seed);

}  // namespace datagen
