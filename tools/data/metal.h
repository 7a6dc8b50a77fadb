// Bevelled metal borders and plates, drawn pixel by pixel: the well frames and the side panel.
#pragma once
#include <vector>

#include "image.h"

namespace datagen {

// `colour` made lighter (k > 0, towards white) or darker (k < 0, towards black).
uint32_t Tint(uint32_t colour, double k);

// A rectangular border whose rings, from the outside in, take the colours of `rings`; top and
// left sides lit, bottom and right sides in shade.
void Border(Image& image, int x, int y, int w, int h, const std::vector<uint32_t>& rings);
// A filled plate with a lit top-left rim and a shaded bottom-right one.
void Plate(Image& image, int x, int y, int w, int h, uint32_t face);
// A sunken well of `inside` colour with a dark top-left rim and a lit bottom-right one.
void Inset(Image& image, int x, int y, int w, int h, uint32_t inside);
// A row of n little lamps of two pixels, `step` apart, alternating the two colours.
void Lamps(Image& image, int x, int y, int n, int step, uint32_t on, uint32_t off);

}  // namespace datagen
