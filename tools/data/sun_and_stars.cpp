// sun.bmp (the growing sun, seen enlarged up to nine times), fixed.bmp (the star sprites) and
// line.bmp (loaded by the game, never drawn).
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "noise.h"
#include "pictures.h"

namespace datagen {
namespace {

constexpr double kPi = 3.14159265358979323846;

Rgba SunShader(double x, double y) {
  const double u = x - 32, v = y - 32;
  const double r = std::sqrt(u * u + v * v);
  const double disc = 23.5;
  if (r < disc) {
    const double d = r / disc;
    const double z = std::sqrt(1 - d * d);
    const double granules = Fbm3(u * 0.3, v * 0.3, z * 6.0, 3, 41);
    Rgba c = Mix(Colour(Rgb(250, 120, 15)), Colour(Rgb(255, 238, 150)), std::pow(z, 0.6));
    c = Mix(c, Colour(Rgb(240, 110, 10)), std::clamp((granules - 0.5) * 1.2, 0.0, 0.3));
    // Two sunspots, one with a darker core.
    const double s1 = std::hypot(u + 8, v - 6), s2 = std::hypot(u - 10, v + 9);
    if (s1 < 2.6 || s2 < 1.8) {
      c = Colour(s1 < 1.5 ? Rgb(120, 45, 10) : Rgb(190, 85, 20));
    }
    return c;
  }
  // The corona: a ring of flame tongues whose length varies around the rim (it depends on the
  // angle only, so no flame floats loose).
  const double around = (std::atan2(v, u) + kPi) / (2 * kPi);
  const double flame = PeriodicFbm(around * 14, 0.5, 14, 1, 3, 43);
  const double reach = disc + 1.8 + 7.0 * std::clamp((flame - 0.3) * 2.2, 0.0, 1.0);
  if (r < std::min(reach, 31.5)) {
    const double t = (r - disc) / (reach - disc);
    return Mix(Colour(Rgb(255, 190, 40)), Colour(Rgb(215, 50, 15)), t);
  }
  return {};
}

void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner,
              double rotation) {
  for (int i = 0; i < points * 2; ++i) {
    const double angle = rotation + i * kPi / points;
    const double radius = (i % 2 == 0) ? outer : inner;
    const double px = cx + std::cos(angle) * radius, py = cy + std::sin(angle) * radius;
    if (i == 0) {
      cairo_move_to(cr, px, py);
    } else {
      cairo_line_to(cr, px, py);
    }
  }
  cairo_close_path(cr);
}

// A star with a solid core of radius 4 (shrunk to 5 pixels it still shows a dot) and rays.
void DrawStar(cairo_t* cr, double cx, double cy, int points, double outer, double inner,
              double rotation, uint32_t tint) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, outer);
  const Rgba t = Colour(tint);
  cairo_pattern_add_color_stop_rgb(glow, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(glow, 0.35, 1, 1, 0.95);
  cairo_pattern_add_color_stop_rgb(glow, 1, t.r, t.g, t.b);
  StarPath(cr, cx, cy, points, outer, inner, rotation);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 4.0, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
}

}  // namespace

Picture MakeSun() {
  Canvas canvas(64, 64);
  canvas.Shade(0, 0, 64, 64, 4, SunShader);
  Image image(64, 64);
  Stamp(canvas, image, 0, 0, Rgb(120, 30, 10));
  return {"sun.bmp", image};
}

// Four 16 x 16 stars at x 0, 16, 32, 48; the game draws them 5 to 12 pixels wide.
Picture MakeStars() {
  Canvas canvas(64, 16);
  cairo_t* cr = canvas.cr();
  DrawStar(cr, 8, 8, 4, 7.9, 2.6, -kPi / 2, Rgb(150, 190, 255));
  DrawStar(cr, 24, 8, 8, 6.6, 4.0, -kPi / 2, Rgb(255, 225, 120));
  DrawStar(cr, 40, 8, 6, 7.4, 3.4, -kPi / 2, Rgb(255, 160, 170));
  DrawStar(cr, 56, 8, 4, 7.6, 2.4, -kPi / 4, Rgb(170, 255, 230));
  Image image(64, 16);
  Stamp(canvas, image, 0, 0, Rgb(40, 40, 70));
  return {"fixed.bmp", image};
}

Picture MakeLine() {
  Image image(64, 4);
  for (int x = 1; x < 63; ++x) {
    const double t = std::sin(kPi * x / 63.0);
    const int level = int(120 + 135 * t);
    image.Paint(x, 1, Rgb(level / 2, level, 255));
    image.Paint(x, 2, Rgb(level / 3, level * 3 / 4, 220));
  }
  return {"line.bmp", image};
}

}  // namespace datagen
