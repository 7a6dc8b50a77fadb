// --bench: frames per second of the run the options describe, with and without drawing.
#pragma once

// Runs `frames` frames from the current state twice: once drawing as usual, once with the
// display released, so that every blit and label returns at its first check (the no-op draw
// path). Prints both rates; returns the exit code.
int RunBench(long frames);
