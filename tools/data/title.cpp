// title.bmp: the "Astorine" logo, 640 x 240, keyed so the moving universe shows around it.
#include <cmath>

#include "canvas.h"
#include "pictures.h"
#include "planet_art.h"

namespace datagen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCentreX = 320, kCentreY = 122;

// Half of the orbit that swings around the word: the far half (drawn behind the letters) or the
// near half (in front).
void OrbitHalf(cairo_t* cr, bool nearHalf) {
  cairo_save(cr);
  cairo_translate(cr, kCentreX, kCentreY + 8);
  cairo_rotate(cr, -0.07);
  cairo_scale(cr, 300, 50);
  if (nearHalf) {
    cairo_arc(cr, 0, 0, 1, 0.05, kPi - 0.05);
  } else {
    cairo_arc(cr, 0, 0, 1, kPi + 0.05, 2 * kPi - 0.05);
  }
  cairo_restore(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, Rgb(20, 14, 40));
  cairo_set_line_width(cr, 13);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* gold = cairo_pattern_create_linear(0, kCentreY - 50, 0, kCentreY + 60);
  cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.93, 0.6);
  cairo_pattern_add_color_stop_rgb(gold, 1, 0.95, 0.55, 0.15);
  cairo_set_source(cr, gold);
  cairo_set_line_width(cr, 6);
  cairo_stroke(cr);
  cairo_pattern_destroy(gold);
}

void Sparkle(cairo_t* cr, double x, double y, double size) {
  cairo_move_to(cr, x, y - size);
  cairo_curve_to(cr, x + size * 0.12, y - size * 0.12, x + size * 0.12, y - size * 0.12, x + size,
                 y);
  cairo_curve_to(cr, x + size * 0.12, y + size * 0.12, x + size * 0.12, y + size * 0.12, x,
                 y + size);
  cairo_curve_to(cr, x - size * 0.12, y + size * 0.12, x - size * 0.12, y + size * 0.12, x - size,
                 y);
  cairo_curve_to(cr, x - size * 0.12, y - size * 0.12, x - size * 0.12, y - size * 0.12, x,
                 y - size);
  cairo_close_path(cr);
  SetColour(cr, Rgb(255, 255, 255));
  cairo_fill(cr);
}

void Word(cairo_t* cr) {
  UseFont(cr, Font::Bold, 132);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, "Astorine", &extents);
  const double scale = 540.0 / extents.width;
  UseFont(cr, Font::Bold, 132 * scale);
  CentredTextPath(cr, "Astorine", kCentreX, kCentreY);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, Rgb(16, 18, 52));
  cairo_set_line_width(cr, 18);
  cairo_stroke_preserve(cr);
  SetColour(cr, Rgb(70, 110, 230));
  cairo_set_line_width(cr, 7);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, kCentreY - 60, 0, kCentreY + 45);
  cairo_pattern_add_color_stop_rgb(fill, 0.0, 1.0, 1.0, 1.0);
  cairo_pattern_add_color_stop_rgb(fill, 0.45, 0.62, 0.88, 1.0);
  cairo_pattern_add_color_stop_rgb(fill, 0.55, 0.35, 0.6, 1.0);
  cairo_pattern_add_color_stop_rgb(fill, 1.0, 0.55, 0.3, 0.9);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
}

}  // namespace

Picture MakeTitle() {
  Canvas canvas(640, 240);
  cairo_t* cr = canvas.cr();
  OrbitHalf(cr, false);
  Word(cr);
  OrbitHalf(cr, true);
  // A small planet riding the near side of the orbit.
  const int size = 44;
  const double angle = 0.5;
  const double px =
      kCentreX + 300 * std::cos(angle) * std::cos(-0.07) - 50 * std::sin(angle) * std::sin(-0.07);
  const double py = kCentreY + 8 + 300 * std::cos(angle) * std::sin(-0.07) +
                    50 * std::sin(angle) * std::cos(-0.07);
  DrawCell(canvas, int(px) - size / 2, int(py) - size / 2, size,
           [](double x, double y) { return PlanetShader(1, x, y); });
  Sparkle(cr, 92, 52, 13);
  Sparkle(cr, 548, 40, 9);
  Sparkle(cr, 470, 206, 7);
  Sparkle(cr, 140, 196, 6);
  Image image(640, 240);
  Stamp(canvas, image, 0, 0, Rgb(16, 18, 52));
  return {"title.bmp", image};
}

}  // namespace datagen
