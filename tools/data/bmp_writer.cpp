// The BITMAPFILEHEADER + BITMAPINFOHEADER layout, little-endian, no palette.
#include "bmp_writer.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace datagen {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

bool WriteBmp(const std::string& path, const Image& image) {
  const uint32_t rowBytes = (uint32_t(image.width) * 3 + 3) & ~3u;
  const uint32_t pixelBytes = rowBytes * uint32_t(image.height);
  const uint32_t headerBytes = 14 + 40;
  std::vector<uint8_t> out;
  out.reserve(headerBytes + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, headerBytes + pixelBytes);
  Put32(out, 0);
  Put32(out, headerBytes);
  Put32(out, 40);
  Put32(out, uint32_t(image.width));
  Put32(out, uint32_t(image.height));  // positive: the bottom row comes first
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, pixelBytes);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const uint32_t colour = image.At(x, y);
      out.push_back(uint8_t(colour));
      out.push_back(uint8_t(colour >> 8));
      out.push_back(uint8_t(colour >> 16));
    }
    for (uint32_t pad = uint32_t(image.width) * 3; pad < rowBytes; ++pad) {
      out.push_back(0);
    }
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  return bool(file);
}

}  // namespace datagen
