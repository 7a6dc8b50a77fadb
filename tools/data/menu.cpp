// menu.bmp: the title menu's items. Start and exit each in two looks, under the cursor (left
// column) and not (right column); below them the three play-mode panels with their arrows.
#include <cmath>

#include "canvas.h"
#include "pictures.h"

namespace datagen {
namespace {

constexpr double kPi = 3.14159265358979323846;

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void VerticalGradient(cairo_t* cr, double top, double bottom, uint32_t from, uint32_t to) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, top, 0, bottom);
  const Rgba a = Colour(from), b = Colour(to);
  cairo_pattern_add_color_stop_rgb(gradient, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(gradient, 1, b.r, b.g, b.b);
  cairo_set_source(cr, gradient);
  cairo_pattern_destroy(gradient);
}

// One 150 x 60 item at (x, y).
void Item(cairo_t* cr, double x, double y, const char* text, bool underCursor) {
  RoundedRect(cr, x + 5, y + 7, 140, 46, 14);
  if (underCursor) {
    VerticalGradient(cr, y + 7, y + 53, Rgb(255, 215, 110), Rgb(235, 115, 30));
  } else {
    VerticalGradient(cr, y + 7, y + 53, Rgb(44, 52, 92), Rgb(22, 26, 50));
  }
  cairo_fill_preserve(cr);
  SetColour(cr, underCursor ? Rgb(255, 245, 215) : Rgb(80, 95, 150));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  if (underCursor) {
    // A cursor mark on the left.
    cairo_move_to(cr, x + 16, y + 21);
    cairo_line_to(cr, x + 27, y + 30);
    cairo_line_to(cr, x + 16, y + 39);
    cairo_close_path(cr);
    SetColour(cr, Rgb(110, 30, 10));
    cairo_fill(cr);
  }
  CentredText(cr, text, Font::Bold, 24, x + (underCursor ? 82 : 75), y + 30,
              underCursor ? Rgb(40, 16, 10) : Rgb(150, 162, 205));
}

void Arrow(cairo_t* cr, double x, double y, int direction, bool available) {
  cairo_move_to(cr, x + 8 * direction, y);
  cairo_line_to(cr, x - 7 * direction, y - 11);
  cairo_line_to(cr, x - 7 * direction, y + 11);
  cairo_close_path(cr);
  SetColour(cr, available ? Rgb(255, 220, 100) : Rgb(60, 72, 120));
  cairo_fill(cr);
}

// One 300 x 60 play-mode panel at y; `position` 0, 1, 2 left to right along the row of modes.
void ModePanel(cairo_t* cr, double y, const char* text, int position) {
  RoundedRect(cr, 5, y + 7, 290, 46, 14);
  VerticalGradient(cr, y + 7, y + 53, Rgb(40, 70, 160), Rgb(18, 28, 80));
  cairo_fill_preserve(cr);
  SetColour(cr, Rgb(120, 200, 255));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  CentredText(cr, "PLAY MODE", Font::Bold, 9, 150, y + 16, Rgb(130, 190, 240));
  CentredText(cr, text, Font::Bold, 21, 150, y + 35, Rgb(255, 255, 255));
  Arrow(cr, 24, y + 30, -1, position > 0);
  Arrow(cr, 276, y + 30, 1, position < 2);
}

}  // namespace

Picture MakeMenu() {
  Canvas canvas(300, 300);
  cairo_t* cr = canvas.cr();
  Item(cr, 0, 0, "START", true);
  Item(cr, 150, 0, "START", false);
  Item(cr, 0, 60, "EXIT", true);
  Item(cr, 150, 60, "EXIT", false);
  ModePanel(cr, 120, "SOLO", 0);
  ModePanel(cr, 180, "2 PLAYERS", 1);
  ModePanel(cr, 240, "VS COMPUTER", 2);
  Image image(300, 300);
  Stamp(canvas, image, 0, 0, Rgb(20, 24, 48));
  return {"menu.bmp", image};
}

}  // namespace datagen
