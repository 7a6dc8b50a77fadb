// One paced frame of the game: scene step, wait out 1/40 s, frame-rate text, present.
#pragma once

// Called by the main loop (windowed or headless) once per frame; returns 1.
int RunFrame();
// The frame-rate text over the picture, from this frame's length in seconds every 20th frame,
// then the present. RunFrame ends with it; a loop that paces frames itself calls it after each.
void ShowFrame(double frameSeconds);

// The clock the wait reads, in seconds. Defaults to the performance counter; the headless runner
// installs a virtual clock that advances exactly 0.025 s per frame.
struct FrameClock {
  double (*now)() = nullptr;            // nullptr: the performance counter
  void (*waitUntil)(double) = nullptr;  // nullptr: sleep to ~100 us before, then spin
};
void SetFrameClock(FrameClock clock);

// Restores the driver's private state (first-frame flag, frame rate) for a new run in-process.
void ResetFrameDriver();
