// A picture being made: 24-bit colours in memory, where the key colour marks transparent pixels.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

// The transparent colour of every keyed picture (magenta); it sits in each top-left pixel.
constexpr uint32_t kKey = 0xFF00FF;

constexpr uint32_t Rgb(int r, int g, int b) {
  return (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
}
// A visible colour that happens to equal the key is nudged one step off it.
constexpr uint32_t Visible(uint32_t colour) {
  return colour == kKey ? Rgb(254, 0, 254) : colour;
}

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB, row 0 at the top

  Image() = default;
  Image(int w, int h, uint32_t fill = kKey);
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  // Paints a visible pixel; writes outside the picture are dropped.
  void Paint(int x, int y, uint32_t colour);
  void MakeTransparent(int x, int y, int w, int h);
  void FillRect(int x, int y, int w, int h, uint32_t colour);
  // Copies a rectangle of `from` to (dx, dy), mirrored left to right when asked.
  void Copy(const Image& from, int sx, int sy, int w, int h, int dx, int dy, bool mirror = false);
};

// A finished file of the Data folder.
struct Picture {
  std::string fileName;
  Image image;
};

}  // namespace datagen
