// The review sheet: every picture enlarged 2x on a neutral background, labelled with its file name.
#pragma once
#include <string>
#include <vector>

#include "image.h"

namespace datagen {

// Key-coloured pixels show the background. False when the PNG cannot be written.
bool WriteContactSheet(const std::vector<Picture>& pictures, const std::string& path);

}  // namespace datagen
