// The drift and mirror that the players' own steps and turns switch on.
#pragma once

void DisturbanceStep();
void DriftPairs(int step);
