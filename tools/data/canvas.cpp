// Cairo surfaces, pixel shaders, fonts and the thresholding stamp.
#include "canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace datagen {
namespace {

uint8_t ToByte(double v) {
  return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

const char* FontFile(Font font) {
  switch (font) {
    case Font::Bold:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case Font::Regular:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case Font::CondensedBold:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
  }
  return "";
}

// Loaded once and kept for the life of the process.
cairo_font_face_t* FontFace(Font font) {
  static FT_Library library = nullptr;
  static cairo_font_face_t* faces[3] = {};
  const int index = int(font);
  if (faces[index] != nullptr) {
    return faces[index];
  }
  FT_Face face = nullptr;
  if ((library == nullptr && FT_Init_FreeType(&library) != 0) ||
      FT_New_Face(library, FontFile(font), 0, &face) != 0) {
    std::fprintf(stderr, "astorine-data: cannot open %s (Debian package fonts-dejavu-core)\n",
                 FontFile(font));
    std::exit(1);
  }
  faces[index] = cairo_ft_font_face_create_for_ft_face(face, 0);
  return faces[index];
}

}  // namespace

Rgba Colour(uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha};
}

Rgba Mix(const Rgba& from, const Rgba& to, double t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Rgba Over(const Rgba& top, const Rgba& bottom) {
  const double a = top.a + bottom.a * (1 - top.a);
  if (a <= 0) {
    return {};
  }
  auto channel = [&](double t, double b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
  return {channel(top.r, bottom.r), channel(top.g, bottom.g), channel(top.b, bottom.b), a};
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::Shade(int x, int y, int w, int h, int samples,
                   const std::function<Rgba(double, double)>& shader) {
  cairo_surface_flush(surface_);
  unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  const double step = 1.0 / samples;
  for (int py = std::max(y, 0); py < std::min(y + h, height_); ++py) {
    auto* row = reinterpret_cast<uint32_t*>(data + size_t(py) * stride);
    for (int px = std::max(x, 0); px < std::min(x + w, width_); ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          const Rgba c = shader(px + (sx + 0.5) * step, py + (sy + 0.5) * step);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      }
      const double n = samples * samples;
      const uint32_t old = row[px];
      const double keep = 1.0 - a / n;
      // Premultiplied "over" in 8-bit channels, as cairo stores them.
      auto mixChannel = [&](double value, int shift) {
        return uint32_t(ToByte(value / n + ((old >> shift) & 255) / 255.0 * keep)) << shift;
      };
      row[px] = mixChannel(a, 24) | mixChannel(r, 16) | mixChannel(g, 8) | mixChannel(b, 0);
    }
  }
  cairo_surface_mark_dirty(surface_);
}

Rgba Canvas::PixelAt(int x, int y) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  const uint32_t p = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride)[x];
  const double a = (p >> 24) / 255.0;
  if (a <= 0) {
    return {};
  }
  return {((p >> 16) & 255) / 255.0 / a, ((p >> 8) & 255) / 255.0 / a, (p & 255) / 255.0 / a, a};
}

void Stamp(const Canvas& canvas, Image& image, int dx, int dy, uint32_t backdrop) {
  const Rgba back = Colour(backdrop);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const int tx = dx + x, ty = dy + y;
      const Rgba c = canvas.PixelAt(x, y);
      if (c.a <= 0 || tx < 0 || ty < 0 || tx >= image.width || ty >= image.height) {
        continue;
      }
      const uint32_t under = image.At(tx, ty);
      if (under == kKey && c.a < 0.5) {
        continue;
      }
      const Rgba solid = Over(c, under == kKey ? back : Colour(under));
      image.Paint(tx, ty, Rgb(ToByte(solid.r), ToByte(solid.g), ToByte(solid.b)));
    }
  }
}

void SetColour(cairo_t* cr, uint32_t rgb, double alpha) {
  const Rgba c = Colour(rgb, alpha);
  cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void UseFont(cairo_t* cr, Font font, double size) {
  cairo_set_font_face(cr, FontFace(font));
  cairo_set_font_size(cr, size);
}

void CentredTextPath(cairo_t* cr, const char* text, double x, double y) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  cairo_move_to(cr, x - extents.x_bearing - extents.width / 2,
                y - extents.y_bearing - extents.height / 2);
  cairo_text_path(cr, text);
}

void CentredText(cairo_t* cr, const char* text, Font font, double size, double x, double y,
                 uint32_t colour) {
  UseFont(cr, font, size);
  CentredTextPath(cr, text, x, y);
  SetColour(cr, colour);
  cairo_fill(cr);
}

}  // namespace datagen
