// Pixel access for pictures being made.
#include "image.h"

namespace datagen {

Image::Image(int w, int h, uint32_t fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}

void Image::Paint(int x, int y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= width || y >= height) {
    return;
  }
  pixels[size_t(y) * width + x] = Visible(colour);
}

void Image::MakeTransparent(int x, int y, int w, int h) {
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) {
      if (col >= 0 && row >= 0 && col < width && row < height) {
        pixels[size_t(row) * width + col] = kKey;
      }
    }
  }
}

void Image::FillRect(int x, int y, int w, int h, uint32_t colour) {
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) {
      Paint(col, row, colour);
    }
  }
}

void Image::Copy(const Image& from, int sx, int sy, int w, int h, int dx, int dy, bool mirror) {
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      const uint32_t colour = from.At(sx + (mirror ? w - 1 - col : col), sy + row);
      const int x = dx + col;
      const int y = dy + row;
      if (x >= 0 && y >= 0 && x < width && y < height) {
        pixels[size_t(y) * width + x] = colour;
      }
    }
  }
}

}  // namespace datagen
