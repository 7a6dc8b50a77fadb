// The versus match scene: two wells, shared next pair, both players' keys, progression, end.
#pragma once
#include <cstdint>

#include "solo/well.h"

int32_t VersusFrame();
void TakeNextPair(int side);
// Top-left screen pixel of a cell of the side's well in a match, by mirrored.
ScreenPoint VersusCellPosition(int side, int row, int column);
