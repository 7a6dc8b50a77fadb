// The keys a match reads besides the step and drop keys: each side's turn keys, and the debug
// keys of the test start.
#pragma once
#include <cstdint>

// The side's turn keys, one turn per press (side 1: 'K', 'L'; side 2: 'A', 'S'); only while the
// side is falling.
void VersusTurnInput(int side);
// The debug keys when the test start enabled them; returns the scene the frame ends with.
int32_t VersusDebugKeys();
