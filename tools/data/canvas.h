// Anti-aliased drawing with cairo, and the step that turns it into hard-edged keyed pixels.
#pragma once
#include <cairo.h>

#include <functional>

#include "image.h"

namespace datagen {

// A colour with coverage, not premultiplied; every channel 0..1.
struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};
Rgba Colour(uint32_t rgb, double alpha = 1.0);
Rgba Mix(const Rgba& from, const Rgba& to, double t);
// `top` laid over `bottom`.
Rgba Over(const Rgba& top, const Rgba& bottom);

class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Paints the rectangle pixel by pixel over what is there: `shader` is sampled at n x n points
  // of each pixel (coordinates in canvas pixels, pixel centres at +0.5) and averaged.
  void Shade(int x, int y, int w, int h, int samples,
             const std::function<Rgba(double, double)>& shader);
  Rgba PixelAt(int x, int y) const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Lays the canvas over the picture at (dx, dy). Over visible pixels it blends smoothly; over the
// key it keeps edges hard: a pixel at least half covered is painted (blended over `backdrop`
// where only partly covered), the others stay transparent.
void Stamp(const Canvas& canvas, Image& image, int dx, int dy, uint32_t backdrop = Rgb(8, 8, 20));

void SetColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);

// Each font comes from one fixed file, so the pictures do not depend on a machine's font setup.
enum class Font { Bold, Regular, CondensedBold };
void UseFont(cairo_t* cr, Font font, double size);
// Adds the path of `text` centred on (x, y) (the middle of its ink box).
void CentredTextPath(cairo_t* cr, const char* text, double x, double y);
// Fills `text` centred on (x, y) in one colour.
void CentredText(cairo_t* cr, const char* text, Font font, double size, double x, double y,
                 uint32_t colour);

}  // namespace datagen
