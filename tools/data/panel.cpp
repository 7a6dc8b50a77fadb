// back.bmp: the side panel right of the solo well, see-through over the preview, the gauges and
// the sideways well's last columns drawn before it, framing the shuttle emblem and the score; it
// also holds the versus preview box.
#include "canvas.h"
#include "metal.h"
#include "pictures.h"

namespace datagen {
namespace {

constexpr int kWidth = 288;
constexpr int kHeight = 480;
// The gauge square is filled with the colour of pixel (287, 350): the panel's outline.
constexpr uint32_t kGaugeBack = Rgb(12, 16, 38);
constexpr uint32_t kSteel = Rgb(92, 110, 160);
constexpr uint32_t kGlow = Rgb(90, 215, 255);
constexpr uint32_t kLabel = Rgb(150, 205, 245);

const std::vector<uint32_t>& WindowRings() {
  static const std::vector<uint32_t> rings = {kGaugeBack, Tint(kSteel, 0.25), kSteel,
                                              kSteel,     Tint(kSteel, -0.3), Tint(kSteel, -0.55),
                                              kGaugeBack, Tint(kGlow, -0.35)};
  return rings;
}

void PaintBody(Image& image) {
  for (int y = 0; y < kHeight; ++y) {
    const double t = y / double(kHeight);
    const int brushed = int((y * 7919) % 5) - 2;  // faint horizontal brushing
    const uint32_t colour =
        Rgb(int(40 - 12 * t) + brushed, int(47 - 15 * t) + brushed, int(80 - 24 * t) + brushed);
    image.FillRect(0, y, kWidth, 1, colour);
  }
  // Outline and a lit inner rim, with the corners cut off diagonally.
  image.FillRect(0, 0, kWidth, 1, kGaugeBack);
  image.FillRect(0, kHeight - 1, kWidth, 1, kGaugeBack);
  image.FillRect(0, 0, 1, kHeight, kGaugeBack);
  image.FillRect(kWidth - 1, 0, 1, kHeight, kGaugeBack);
  Border(image, 1, 1, kWidth - 2, kHeight - 2, {Rgb(66, 80, 126)});
  constexpr int kCut = 6;
  for (int i = 0; i < kCut; ++i) {
    for (int j = 0; i + j < kCut; ++j) {
      image.MakeTransparent(i, j, 1, 1);
      image.MakeTransparent(kWidth - 1 - i, j, 1, 1);
      image.MakeTransparent(i, kHeight - 1 - j, 1, 1);
      image.MakeTransparent(kWidth - 1 - i, kHeight - 1 - j, 1, 1);
    }
    const int j = kCut - i;
    image.Paint(i, j, kGaugeBack);
    image.Paint(kWidth - 1 - i, j, kGaugeBack);
    image.Paint(i, kHeight - 1 - j, kGaugeBack);
    image.Paint(kWidth - 1 - i, kHeight - 1 - j, kGaugeBack);
  }
}

void Vents(Image& image, int x, int y, int w, int count) {
  for (int i = 0; i < count; ++i) {
    Inset(image, x, y + i * 8, w, 4, Rgb(10, 12, 26));
  }
}

void Rivets(Image& image, int x, int y, int w, int h) {
  for (const auto& [px, py] :
       {std::pair{x, y}, {x + w - 3, y}, {x, y + h - 3}, {x + w - 3, y + h - 3}}) {
    image.FillRect(px, py, 3, 3, Tint(kSteel, -0.5));
    image.Paint(px, py, Tint(kSteel, 0.5));
  }
}

// The shuttle display: a dark screen with a faint grid behind the emblem.
void PaintDisplay(Image& image, int x, int y, int w, int h) {
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      const double dx = (col - w / 2.0) / w, dy = (row - h / 2.0) / h;
      const double glow = 1.0 - 1.6 * (dx * dx + dy * dy);
      uint32_t colour = Rgb(int(6 + 10 * glow), int(10 + 16 * glow), int(24 + 30 * glow));
      if ((col - w / 2) % 11 == 0 || (row - h / 2) % 11 == 0) {
        colour = Tint(colour, (col == w / 2 || row == h / 2) ? 0.16 : 0.07);
      }
      image.Paint(x + col, y + row, colour);
    }
  }
}

// The piece the versus screen draws on its own: outline, a "NEXT" header, and the window.
void PaintPreviewBox(Image& image) {
  image.FillRect(31, 372, 35, 77, Tint(kSteel, 0.3));
  image.FillRect(32, 373, 32, 11, Rgb(22, 28, 56));
  image.MakeTransparent(32, 384, 32, 64);
}

}  // namespace

// Drawn at screen x 320: transparent over the preview (32, 384, 32, 64), the gauge square
// (128, 62, 128, 130) and the sideways well's interior (0, 160, 64, 192), whose frame is drawn
// after the panel; the versus preview box is the piece (31, 372, 35, 77).
Picture MakePanel() {
  Image image(kWidth, kHeight);
  PaintBody(image);
  Inset(image, 14, 10, 260, 34, Rgb(10, 12, 28));

  // With the well upright this port shows the universe behind; turned sideways, the well.
  Border(image, -8, 152, 80, 208, WindowRings());
  image.MakeTransparent(0, 160, 64, 192);

  Vents(image, 80, 60, 32, 17);
  Border(image, 120, 54, 144, 146, WindowRings());
  image.MakeTransparent(128, 62, 128, 130);

  Vents(image, 80, 236, 32, 16);
  Border(image, 120, 228, 148, 164, WindowRings());
  PaintDisplay(image, 128, 236, 132, 148);

  Plate(image, 22, 362, 54, 98, Tint(kSteel, -0.35));
  Rivets(image, 24, 364, 50, 94);
  PaintPreviewBox(image);
  Inset(image, 154, 410, 132, 46, Rgb(6, 8, 20));

  Canvas text(kWidth, kHeight);
  cairo_t* cr = text.cr();
  UseFont(cr, Font::Bold, 21);
  CentredTextPath(cr, "A S T O R I N E", 144, 27);
  cairo_pattern_t* shine = cairo_pattern_create_linear(0, 17, 0, 37);
  cairo_pattern_add_color_stop_rgb(shine, 0, 0.9, 0.97, 1.0);
  cairo_pattern_add_color_stop_rgb(shine, 1, 0.35, 0.75, 1.0);
  cairo_set_source(cr, shine);
  cairo_fill(cr);
  cairo_pattern_destroy(shine);
  CentredText(cr, "MIRROR", Font::CondensedBold, 11, 160, 209, kLabel);
  CentredText(cr, "TURN", Font::CondensedBold, 11, 224, 209, kLabel);
  CentredText(cr, "NEXT", Font::Bold, 8, 48, 378.5, Rgb(235, 240, 255));
  UseFont(cr, Font::CondensedBold, 11);
  SetColour(cr, kLabel);
  cairo_move_to(cr, 158, 405);
  cairo_show_text(cr, "DISTANCE");
  Stamp(text, image, 0, 0);
  return {"back.bmp", image};
}

}  // namespace datagen
