// What changes the well around the player: gauges, view turns, score thresholds, black hole, sun.
#pragma once
#include <cstdint>

void UpdateGauges();
void TurnViewClockwise();
void TurnViewCounterClockwise();
// The threshold step of every solo play frame.
void ApplyScoreThresholds();
// [x, x + w) x [y, y + h) rectangles have a non-empty intersection.
bool RectsOverlap(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2,
                  int32_t w2, int32_t h2);
void StartBlackHole();
void MoveBlackHole();
void DrawBlackHole();
void SwallowCells();
void StartSun();
void GrowSun();
void DrawSun();
void RecolourPlanets();
