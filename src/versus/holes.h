// The black hole's versus launch and captures, and the white hole that gives the planets back.
#pragma once

void LaunchBlackHole(int targetSide);
void CaptureCells();
void StartWhiteHole();
void MoveWhiteHole();
void DrawWhiteHole();
void ReleaseCells();
