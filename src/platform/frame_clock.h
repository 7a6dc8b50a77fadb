// The frame clock on SDL's performance counter, and the two ways of waiting on it.
#pragma once
#include <cstdint>

// Ticks per second of the performance counter, read once. 0 means there is no usable counter and
// the game must not start: its wait would never end.
int64_t CounterFrequency();
// Seconds since an arbitrary origin; never goes backwards.
double NowSeconds();
// The CPU time this process has used, user and system, in seconds (for measurements).
double ProcessCpuSeconds();
// Sleeps to an absolute time about 100 us before the deadline, then spins on the counter until
// the deadline is reached. The first call sets the calling thread's timer slack to 1 ns.
void SleepThenSpinUntil(double deadline);
// Spins on the counter until the deadline, never yielding (for comparison in benchmarks).
void SpinUntil(double deadline);

// The windowed game's wait: SleepThenSpinUntil, or SpinUntil when the environment holds
// ASTORINE_BUSY_WAIT=1 at start-up (read once; for measuring the one beside the other).
using FrameWait = void (*)(double deadline);
FrameWait WindowedFrameWait();
