// Lays the pictures out in rows (a simple shelf packing) and writes one PNG with cairo.
#include "contact_sheet.h"

#include <algorithm>

#include "canvas.h"

namespace datagen {
namespace {

constexpr int kScale = 2;
constexpr int kMargin = 24;
constexpr int kLabelHeight = 22;
constexpr int kSheetWidth = 1600;

struct Placement {
  int x, y;
};

}  // namespace

bool WriteContactSheet(const std::vector<Picture>& pictures, const std::string& path) {
  std::vector<Placement> places;
  int x = kMargin, y = kMargin, rowHeight = 0;
  for (const Picture& picture : pictures) {
    const int w = picture.image.width * kScale;
    const int h = picture.image.height * kScale + kLabelHeight;
    if (x + w + kMargin > kSheetWidth && x > kMargin) {
      x = kMargin;
      y += rowHeight + kMargin;
      rowHeight = 0;
    }
    places.push_back({x, y});
    x += w + kMargin;
    rowHeight = std::max(rowHeight, h);
  }
  const int height = y + rowHeight + kMargin;

  Canvas canvas(kSheetWidth, height);
  cairo_t* cr = canvas.cr();
  SetColour(cr, Rgb(104, 106, 112));
  cairo_paint(cr);
  UseFont(cr, Font::Regular, 14);
  for (size_t i = 0; i < pictures.size(); ++i) {
    const Image& image = pictures[i].image;
    const Placement& at = places[i];
    SetColour(cr, Rgb(235, 235, 235));
    cairo_move_to(cr, at.x, at.y + 15);
    cairo_show_text(cr, pictures[i].fileName.c_str());
    const int top = at.y + kLabelHeight;
    canvas.Shade(
        at.x, top, image.width * kScale, image.height * kScale, 1, [&](double sx, double sy) {
          const uint32_t colour = image.At(int(sx - at.x) / kScale, int(sy - top) / kScale);
          return colour == kKey ? Rgba{} : Colour(colour);
        });
  }
  return cairo_surface_write_to_png(cairo_get_target(cr), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace datagen
