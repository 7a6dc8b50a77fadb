// A side's chain phase in a match, with the special pieces and the chain attack.
#pragma once
#include <cstdint>

// One frame of the side's chain phase; returns its next sideState.
int32_t VersusChainStep(int side);
// The versus rules for a removed cell (suns, black holes, planets).
void RemoveCellVersus(int side, int row, int column);
