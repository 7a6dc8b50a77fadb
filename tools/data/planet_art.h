// The six planets, the sun piece and the black-hole piece, as shaders for a 32 x 32 cell; the
// planet sheet, the bursts, the icon and the title all draw them from here.
#pragma once
#include "canvas.h"

namespace datagen {

constexpr int kPlanetCount = 6;

// The main colour of the planet of colour index 0..5.
uint32_t PlanetColour(int index);
// Planet `index` (0..5) at (x, y) in cell coordinates (0..32 across the cell); lit from the
// upper left, each with its own marking: craters, bands, spots, a ring, a moon, a spiral storm.
Rgba PlanetShader(int index, double x, double y);
// The sun piece: a small sun with a crown of rays.
Rgba SunPieceShader(double x, double y);
// The black-hole piece: a dark core in a disc of two arms, turned a quarter of their period
// further in each of the four frames.
Rgba BlackHolePieceShader(int frame, double x, double y);

// Draws a cell-coordinate shader into the square (x, y, size, size) of the canvas.
void DrawCell(Canvas& canvas, int x, int y, int size,
              const std::function<Rgba(double, double)>& shader);

}  // namespace datagen
