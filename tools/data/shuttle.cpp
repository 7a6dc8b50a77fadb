// spaceshuttle.bmp: the shuttle on its pad (the well's floor) turned four ways, the same four
// mirrored below them, and the gauge bar's colour.
#include <cmath>

#include "canvas.h"
#include "pictures.h"

namespace datagen {
namespace {

constexpr uint32_t kGaugeBar = Rgb(96, 220, 255);

// A part of a cylinder seen from the side: lit on its left third, in shade on the right.
void FillCylinder(cairo_t* cr, double left, double right, uint32_t colour) {
  cairo_pattern_t* shading = cairo_pattern_create_linear(left, 0, right, 0);
  const Rgba c = Colour(colour);
  cairo_pattern_add_color_stop_rgb(shading, 0, c.r * 0.75, c.g * 0.75, c.b * 0.75);
  cairo_pattern_add_color_stop_rgb(shading, 0.3, std::min(1.0, c.r * 1.1), std::min(1.0, c.g * 1.1),
                                   std::min(1.0, c.b * 1.1));
  cairo_pattern_add_color_stop_rgb(shading, 1, c.r * 0.5, c.g * 0.5, c.b * 0.55);
  cairo_set_source(cr, shading);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shading);
  SetColour(cr, Rgb(16, 16, 30));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

// The whole scene in a 42 x 64 box, nose up, the pad along the bottom: the booster on the left,
// the tank in the middle, the orbiter on the right (so a mirrored picture reads mirrored).
void DrawScene(cairo_t* cr) {
  // Pad: the well's floor.
  cairo_rectangle(cr, 0, 57, 42, 7);
  SetColour(cr, Rgb(70, 78, 100));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 57, 42, 2);
  SetColour(cr, Rgb(170, 180, 205));
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) {
    cairo_move_to(cr, i * 8.0, 64);
    cairo_line_to(cr, i * 8.0 + 4, 59);
    cairo_line_to(cr, i * 8.0 + 8, 59);
    cairo_line_to(cr, i * 8.0 + 4, 64);
    cairo_close_path(cr);
  }
  SetColour(cr, Rgb(240, 200, 40));
  cairo_fill(cr);

  // Booster.
  cairo_move_to(cr, 6, 52);
  cairo_line_to(cr, 6, 18);
  cairo_curve_to(cr, 6, 14, 8, 11, 9, 10);
  cairo_curve_to(cr, 10, 11, 12, 14, 12, 18);
  cairo_line_to(cr, 12, 52);
  cairo_close_path(cr);
  FillCylinder(cr, 6, 12, Rgb(240, 242, 248));
  cairo_move_to(cr, 6.5, 52);
  cairo_line_to(cr, 5, 57);
  cairo_line_to(cr, 13, 57);
  cairo_line_to(cr, 11.5, 52);
  cairo_close_path(cr);
  SetColour(cr, Rgb(60, 60, 72));
  cairo_fill(cr);

  // Tank.
  cairo_move_to(cr, 12, 53);
  cairo_line_to(cr, 12, 17);
  cairo_curve_to(cr, 12, 11, 15, 6, 17.5, 4);
  cairo_curve_to(cr, 20, 6, 23, 11, 23, 17);
  cairo_line_to(cr, 23, 53);
  cairo_close_path(cr);
  FillCylinder(cr, 12, 23, Rgb(235, 125, 45));

  // Orbiter: body, black nose and belly edge, windows, engines, wing and tail fin.
  cairo_move_to(cr, 31, 42);
  cairo_line_to(cr, 39, 52);
  cairo_line_to(cr, 31, 52);
  cairo_close_path(cr);
  cairo_move_to(cr, 23, 45);
  cairo_line_to(cr, 23, 26);
  cairo_curve_to(cr, 23, 19, 25, 15, 27.5, 13);
  cairo_curve_to(cr, 30, 15, 32, 19, 32, 26);
  cairo_line_to(cr, 32, 51);
  cairo_line_to(cr, 23, 51);
  cairo_close_path(cr);
  FillCylinder(cr, 23, 39, Rgb(245, 246, 250));
  cairo_move_to(cr, 23.5, 24);
  cairo_curve_to(cr, 24, 18, 25.5, 15, 27.5, 13.5);
  cairo_curve_to(cr, 29.5, 15, 31, 18, 31.5, 24);
  cairo_curve_to(cr, 29, 21.5, 26, 21.5, 23.5, 24);
  SetColour(cr, Rgb(30, 32, 44));
  cairo_fill(cr);
  cairo_rectangle(cr, 23, 24, 1.6, 27);
  cairo_fill(cr);
  cairo_rectangle(cr, 26, 25, 4, 2);
  SetColour(cr, Rgb(60, 140, 220));
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 24.5 + i * 2.6, 51);
    cairo_line_to(cr, 23.8 + i * 2.6, 55);
    cairo_line_to(cr, 27.2 + i * 2.6, 55);
    cairo_line_to(cr, 26.5 + i * 2.6, 51);
    cairo_close_path(cr);
  }
  SetColour(cr, Rgb(80, 82, 96));
  cairo_fill(cr);
  cairo_move_to(cr, 32, 36);
  cairo_line_to(cr, 40, 44);
  cairo_line_to(cr, 40, 49);
  cairo_line_to(cr, 32, 47);
  cairo_close_path(cr);
  FillCylinder(cr, 32, 40, Rgb(225, 228, 236));
  // A red stripe on the tail: a mark that tells the mirrored picture at a glance.
  cairo_move_to(cr, 34, 39.5);
  cairo_line_to(cr, 38.5, 44);
  cairo_line_to(cr, 38.5, 46);
  cairo_line_to(cr, 34, 41.5);
  cairo_close_path(cr);
  SetColour(cr, Rgb(220, 50, 50));
  cairo_fill(cr);
}

// Draws the scene into the slot at (x, y), turned so the pad lies on the given side.
void DrawTurned(Canvas& canvas, char floorSide, int x, int y) {
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_matrix_t m;
  const double s = 56.0 / 64.0;  // sideways slots are 56 wide for the 64 of the upright length
  switch (floorSide) {
    case 'b':
      cairo_matrix_init(&m, 1, 0, 0, 1, x, y);
      break;
    case 't':
      cairo_matrix_init(&m, -1, 0, 0, -1, x + 42, y + 64);
      break;
    case 'l':
      cairo_matrix_init(&m, 0, 1, -s, 0, x + 64 * s, y);
      break;
    default:
      cairo_matrix_init(&m, 0, -1, s, 0, x, y + 42);
      break;
  }
  const bool upright = floorSide == 'b' || floorSide == 't';
  cairo_rectangle(cr, x, y, upright ? 42 : 56, upright ? 64 : 42);
  cairo_clip(cr);
  cairo_set_matrix(cr, &m);
  DrawScene(cr);
  cairo_restore(cr);
}

}  // namespace

// The pad below (0, 0, 42, 64), above (42, 0, 42, 64), to the left (84, 0, 56, 42) and to the
// right (140, 0, 56, 42); row y 64 the same four mirrored. Pixel (100, 50), never drawn as a
// picture, is the gauge bar's colour.
Picture MakeShuttle() {
  Canvas canvas(196, 128);
  DrawTurned(canvas, 'b', 0, 0);
  DrawTurned(canvas, 't', 42, 0);
  DrawTurned(canvas, 'l', 84, 0);
  DrawTurned(canvas, 'r', 140, 0);
  Image image(196, 128);
  Stamp(canvas, image, 0, 0);
  image.Copy(image, 0, 0, 42, 64, 0, 64, true);
  image.Copy(image, 42, 0, 42, 64, 42, 64, true);
  image.Copy(image, 84, 0, 56, 42, 84, 64, true);
  image.Copy(image, 140, 0, 56, 42, 140, 64, true);
  image.FillRect(98, 48, 5, 5, kGaugeBar);
  return {"spaceshuttle.bmp", image};
}

}  // namespace datagen
