// A frame clock that only moves when the frame driver waits on it: every frame lasts exactly
// 1/40 s of virtual time, however fast the machine runs it (headless runs, tests, benchmarks).
#pragma once

// Installs the clock at time 0 and restarts the frame driver's own timing.
void InstallVirtualClock();
