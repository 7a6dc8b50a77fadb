// waku_tate.bmp and waku_yoko.bmp: the frame around the well, drawn stretched 4x; all outside the
// frame itself is transparent (beside a versus well the preview box shows through).
#include "metal.h"
#include "pictures.h"

namespace datagen {
namespace {

constexpr uint32_t kOutline = Rgb(14, 16, 34);
constexpr uint32_t kSteel = Rgb(92, 110, 160);
constexpr uint32_t kGlow = Rgb(90, 215, 255);

// The frame's rings from the outside in: dark edge, steel (two), shadow, and a glowing inner rim.
const std::vector<uint32_t>& Rings() {
  static const std::vector<uint32_t> rings = {kOutline, Tint(kSteel, 0.25), kSteel,
                                              Tint(kSteel, -0.45), kGlow};
  return rings;
}

// An end cap: a plate across one end of the frame with a row of lamps, long side along x when
// `across` is set, else along y.
void Cap(Image& image, int x, int y, int length, bool across) {
  const int w = across ? length : 5, h = across ? 5 : length;
  image.FillRect(x - 1, y - 1, w + 2, h + 2, kOutline);
  Plate(image, x, y, w, h, Tint(kSteel, -0.15));
  if (across) {
    Lamps(image, x + 3, y + 2, (length - 5) / 3, 3, kGlow, Tint(kSteel, -0.6));
  } else {
    for (int i = 0; i < (length - 5) / 3; ++i) {
      image.FillRect(x + 2, y + 3 + i * 3, 1, 2, i % 2 == 0 ? kGlow : Tint(kSteel, -0.6));
    }
  }
}

}  // namespace

// 88 x 120: the well shows through (32, 16, 48, 88).
Picture MakeUprightFrame() {
  Image image(88, 120);
  Cap(image, 36, 6, 40, true);
  Cap(image, 36, 109, 40, true);
  Border(image, 27, 11, 58, 98, Rings());
  image.MakeTransparent(32, 16, 48, 88);
  return {"waku_tate.bmp", image};
}

// 104 x 120: the well shows through (8, 40, 88, 48), and the next-pair preview below it through
// (88, 96, 8, 16).
Picture MakeSidewaysFrame() {
  Image image(104, 120);
  Cap(image, 0, 44, 40, false);
  Cap(image, 99, 44, 40, false);
  Border(image, 3, 35, 98, 58, Rings());
  image.MakeTransparent(8, 40, 88, 48);
  image.MakeTransparent(88, 96, 8, 16);
  return {"waku_yoko.bmp", image};
}

}  // namespace datagen
