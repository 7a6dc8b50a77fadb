// The falling pair: placing, dropping, stepping, turning and landing. Every operation takes the
// side whose well and pair it works on; the solo game is side 1.
#pragma once

// Places the next pair at the top of the solo well (side 1).
void SpawnPair();
// Automatic drop, soft drop and sideways steps with key repeat, on the side's own keys
// (side 1: arrows; side 2: 'E' left, 'T' right, 'R' drop).
void ControlPair(int side);
// Checks the pair's already-moved coordinates ('d', 'l' or 'r'); undoes a blocked move.
bool TryPairMove(int side, int direction);
void RotatePairClockwise(int side);
void RotatePairCounterClockwise(int side);
bool PairLanded(int side);
// The cell writes after a one-row drop (also after an undone one).
void WritePairAfterDrop(int side);
// The cell writes after a free sideways step of +1 or -1 columns.
void WritePairAfterStep(int side, int step);
// The Home key of a test start: side 1's well emptied (rows 0..11), the view upright and
// unmirrored, the pair back at the top with its codes kept; its next move writes it into the well
// again.
void RestartWellForTest();
