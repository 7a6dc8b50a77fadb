// One frame of the game on the game's clock: scene step, wait to the 1/40 s mark, frame-rate text,
// present; a frame that ends past its mark is not presented and the next one follows at once.
#pragma once
#include <cstdint>

// Called by the main loop (windowed or headless) once per frame; returns 1.
int RunFrame();
// The frame-rate text over the picture. `frameEnd` is where this frame's time ended, in seconds;
// every 20th frame the rate becomes the frames run since the last refresh over the time they
// took, so frames that caught the clock up count at the rate they kept.
void DrawFrameRate(double frameEnd);
// Presents the back buffer and counts it.
void PresentAndCount();
// Frames run (their frame rate drawn) and presented since the driver was last reset, for the
// trace and the benchmarks.
uint64_t FramesRun();
uint64_t PresentedFrames();

// The clock the wait reads, in seconds. Defaults to the performance counter; the headless runner
// installs a virtual clock that advances exactly 0.025 s per frame.
struct FrameClock {
  double (*now)() = nullptr;            // nullptr: the performance counter
  void (*waitUntil)(double) = nullptr;  // nullptr: sleep to ~100 us before, then spin
};
void SetFrameClock(FrameClock clock);

// Restores the driver's private state (the clock, the frame rate, the count of presents) for a new
// run in-process.
void ResetFrameDriver();
