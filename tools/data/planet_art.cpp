// Sphere shading with per-planet surface patterns, sampled several times per pixel.
#include "planet_art.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace datagen {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Vec3 {
  double x, y, z;
};
double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Normalised(Vec3 v) {
  const double length = std::sqrt(Dot(v, v));
  return {v.x / length, v.y / length, v.z / length};
}

double SmoothStep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

Rgba Scaled(const Rgba& c, double k) {
  return {c.r * k, c.g * k, c.b * k, c.a};
}

// Light from the upper left and a little in front: the highlight sits off-centre, so the
// mirrored set is visibly mirrored.
const Vec3 kLight = Normalised({-0.55, -0.65, 0.55});

// A sphere of radius `radius` at (cx, cy): the surface colour from `surface` (given the point on
// the unit sphere), lit, with an atmosphere rim of `rim` colour. Coverage 0 outside.
template <typename Surface>
Rgba Sphere(double x, double y, double cx, double cy, double radius, const Rgba& rim,
            Surface surface) {
  const double u = (x - cx) / radius;
  const double v = (y - cy) / radius;
  const double d2 = u * u + v * v;
  if (d2 >= 1.0) {
    return {};
  }
  const Vec3 n{u, v, std::sqrt(1.0 - d2)};
  const Rgba base = surface(n);
  const double diffuse = std::max(0.0, Dot(n, kLight));
  const Vec3 half = Normalised({kLight.x, kLight.y, kLight.z + 1.0});
  const double specular = std::pow(std::max(0.0, Dot(n, half)), 24.0) * 0.45;
  Rgba lit = Scaled(base, 0.2 + 0.95 * diffuse);
  const double edge = std::pow(1.0 - n.z, 3.0) * 0.8 * (0.3 + diffuse);
  lit = Mix(lit, rim, std::min(edge, 0.7));
  lit.r += specular;
  lit.g += specular;
  lit.b += specular;
  lit.a = 1;
  return lit;
}

// The angle between a point of the sphere and the direction of a marking's centre.
double AngleFrom(const Vec3& n, const Vec3& centre) {
  return std::acos(std::clamp(Dot(n, Normalised(centre)), -1.0, 1.0));
}

Rgba CrateredSurface(const Vec3& n) {
  static const Vec3 centres[] = {{-0.35, -0.25, 0.9}, {0.5, 0.3, 0.8},    {-0.15, 0.62, 0.75},
                                 {0.45, -0.5, 0.75},  {-0.8, 0.25, 0.55}, {0.05, 0.05, 1.0}};
  static const double sizes[] = {0.34, 0.3, 0.24, 0.2, 0.2, 0.14};
  const double grain = Fbm3(n.x * 3, n.y * 3, n.z * 3, 3, 11);
  Rgba c = Mix(Colour(Rgb(150, 45, 35)), Colour(Rgb(235, 95, 65)), grain);
  for (int i = 0; i < 6; ++i) {
    const double at = AngleFrom(n, centres[i]) / sizes[i];
    if (at < 0.8) {
      c = Scaled(c, 0.55 + 0.15 * at);
    } else if (at < 1.15) {
      c = Mix(c, Colour(Rgb(255, 190, 150)), 0.55);
    }
  }
  return c;
}

Rgba BandedSurface(const Vec3& n) {
  const double tilt = 0.28;
  const double latitude = n.y * std::cos(tilt) - n.x * std::sin(tilt);
  const double swirl = 0.18 * std::sin(n.x * 5.0 + latitude * 3.0);
  const double band = std::sin((latitude + swirl * 0.3) * 10.5);
  const double light = SmoothStep(-0.2, 0.2, band);
  Rgba c = Mix(Colour(Rgb(35, 70, 185)), Colour(Rgb(140, 195, 255)), light);
  if (std::fabs(latitude - 0.12) < 0.07) {
    c = Colour(Rgb(235, 245, 255));
  }
  return c;
}

Rgba SpottedSurface(const Vec3& n) {
  static const Vec3 centres[] = {{-0.3, -0.4, 0.87}, {0.42, -0.1, 0.9}, {-0.45, 0.35, 0.82},
                                 {0.2, 0.55, 0.8},   {0.85, 0.45, 0.3}, {-0.9, -0.1, 0.4}};
  static const double sizes[] = {0.3, 0.27, 0.25, 0.25, 0.25, 0.25};
  Rgba c = Mix(Colour(Rgb(25, 110, 45)), Colour(Rgb(60, 170, 70)),
               Fbm3(n.x * 4, n.y * 4, n.z * 4, 2, 5));
  for (int i = 0; i < 6; ++i) {
    if (AngleFrom(n, centres[i]) < sizes[i]) {
      c = Colour(Rgb(205, 245, 120));
    }
  }
  return c;
}

Rgba GoldSurface(const Vec3& n) {
  const double band = 0.5 + 0.5 * std::sin(n.y * 8.0 + 1.0);
  return Mix(Colour(Rgb(215, 150, 50)), Colour(Rgb(250, 210, 110)), band);
}

Rgba PurpleSurface(const Vec3& n) {
  const double swirl = Fbm3(n.x * 2.5 + 3, n.y * 5 + 3, n.z * 2.5, 3, 23);
  return Mix(Colour(Rgb(90, 40, 150)), Colour(Rgb(185, 110, 235)), SmoothStep(0.35, 0.65, swirl));
}

Rgba StormSurface(const Vec3& n) {
  const double u = n.x - 0.08;
  const double v = n.y + 0.05;
  const double r = std::sqrt(u * u + v * v);
  const double arm = std::sin(2.0 * std::atan2(v, u) + r * 9.0);
  Rgba c = Mix(Colour(Rgb(20, 130, 150)), Colour(Rgb(70, 205, 215)), n.z);
  if (r < 0.13 || (arm > 0.25 && r < 0.95)) {
    c = Colour(Rgb(235, 252, 255));
  }
  return c;
}

Rgba RingedPlanet(double x, double y) {
  const double cx = 16, cy = 16, radius = 10.0;
  // The ring, tilted down to the right, seen from a little above: its near half passes in front.
  const double tilt = 0.42;
  const double rx = (x - cx) * std::cos(tilt) + (y - cy) * std::sin(tilt);
  const double ry = -(x - cx) * std::sin(tilt) + (y - cy) * std::cos(tilt);
  const double e = std::sqrt(rx * rx + (ry / 0.34) * (ry / 0.34)) / radius;
  Rgba ring;
  if (e > 1.2 && e < 1.62) {
    const bool gap = e > 1.42 && e < 1.48;
    ring = Colour(gap ? Rgb(120, 95, 70) : Rgb(250, 230, 175));
    ring = Scaled(ring, 0.75 + 0.25 * std::clamp(-rx / (radius * 1.6), -1.0, 1.0));
  }
  const Rgba body = Sphere(x, y, cx, cy, radius, Colour(Rgb(255, 240, 200)), GoldSurface);
  if (ring.a > 0 && (ry > 0 || body.a == 0)) {
    return ring;
  }
  return body;
}

Rgba MoonPlanet(double x, double y) {
  const Rgba moon = Sphere(x, y, 26.0, 6.5, 4.0, Colour(Rgb(255, 255, 255)), [](const Vec3& n) {
    return Mix(Colour(Rgb(160, 150, 180)), Colour(Rgb(225, 215, 235)),
               Fbm3(n.x * 4, n.y * 4, n.z * 4, 2, 7));
  });
  if (moon.a > 0) {
    return moon;
  }
  return Sphere(x, y, 14.5, 17.5, 12.5, Colour(Rgb(230, 190, 255)), PurpleSurface);
}

}  // namespace

uint32_t PlanetColour(int index) {
  static const uint32_t colours[kPlanetCount] = {Rgb(225, 85, 60),  Rgb(90, 150, 245),
                                                 Rgb(70, 185, 80),  Rgb(240, 190, 80),
                                                 Rgb(165, 95, 225), Rgb(70, 205, 215)};
  return colours[index];
}

Rgba PlanetShader(int index, double x, double y) {
  switch (index) {
    case 0:
      return Sphere(x, y, 16, 16, 14, Colour(Rgb(255, 170, 130)), CrateredSurface);
    case 1:
      return Sphere(x, y, 16, 16, 14, Colour(Rgb(190, 225, 255)), BandedSurface);
    case 2:
      return Sphere(x, y, 16, 16, 14, Colour(Rgb(200, 255, 170)), SpottedSurface);
    case 3:
      return RingedPlanet(x, y);
    case 4:
      return MoonPlanet(x, y);
    default:
      return Sphere(x, y, 16, 16, 14, Colour(Rgb(200, 255, 255)), StormSurface);
  }
}

Rgba SunPieceShader(double x, double y) {
  const double u = x - 16, v = y - 16;
  const double r = std::sqrt(u * u + v * v);
  const double angle = std::atan2(v, u);
  const double ray = std::pow(0.5 + 0.5 * std::cos(angle * 10.0), 2.0);
  const double edge = 10.5 + 4.8 * ray;
  if (r > edge) {
    return {};
  }
  if (r < 9.5) {
    const double t = r / 9.5;
    Rgba c = Mix(Colour(Rgb(255, 255, 235)), Colour(Rgb(255, 200, 40)), t * t);
    const double spot = 0.5 + 0.5 * std::sin(u * 1.7 + 1) * std::sin(v * 1.9);
    return Mix(c, Colour(Rgb(255, 170, 30)), 0.25 * spot * t);
  }
  return Mix(Colour(Rgb(255, 160, 30)), Colour(Rgb(235, 70, 20)), (r - 9.5) / (edge - 9.5 + 0.01));
}

Rgba BlackHolePieceShader(int frame, double x, double y) {
  const double u = x - 16, v = y - 16;
  const double r = std::sqrt(u * u + v * v);
  if (r > 14.5) {
    return {};
  }
  if (r < 5.5) {
    return Colour(Rgb(6, 2, 14));
  }
  if (r < 7.0) {
    return Colour(Rgb(255, 225, 170));
  }
  const double phase = frame * kPi / 2;
  const double arm = std::pow(0.5 + 0.5 * std::cos(2.0 * std::atan2(v, u) - r * 0.45 + phase), 2.0);
  const double fade = 1.0 - (r - 7.0) / 7.5;
  const Rgba hot = Mix(Colour(Rgb(150, 70, 230)), Colour(Rgb(255, 170, 80)), fade);
  return Mix(Colour(Rgb(28, 12, 50)), hot, arm * (0.35 + 0.65 * fade));
}

void DrawCell(Canvas& canvas, int x, int y, int size,
              const std::function<Rgba(double, double)>& shader) {
  const double scale = 32.0 / size;
  canvas.Shade(x, y, size, size, 4,
               [&](double px, double py) { return shader((px - x) * scale, (py - y) * scale); });
}

}  // namespace datagen
