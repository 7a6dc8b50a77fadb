// Gravity, line removal, chain scoring, explosions and the pinch tune.
#pragma once
#include <cstdint>

#include "solo/well.h"

void SettleStep(int side);
void ScanAndRemoveLines(int side);
// Removes one cell of a found line (solo or versus rules by the current scene).
void RemoveCell(int side, int row, int column);
// Appends an explosion record unless the side's table is full; removedCount counts it either way.
void AddExplosion(int side, int32_t colourIndex, ScreenPoint at);
void DrawExplosions(int side);
void UpdatePinchMusic();
int32_t SoloChainFrame();
