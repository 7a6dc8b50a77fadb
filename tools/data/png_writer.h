// Opaque pictures as PNG files, for the desktop's icons.
#pragma once
#include <string>

#include "image.h"

namespace datagen {

// False when the file cannot be written.
bool WritePng(const std::string& path, const Image& image);

}  // namespace datagen
