// Writes pictures as Windows bitmaps: 24-bit, uncompressed, bottom-up, rows padded to 4 bytes.
#pragma once
#include <string>

#include "image.h"

namespace datagen {

// False when the file cannot be written.
bool WriteBmp(const std::string& path, const Image& image);

}  // namespace datagen
