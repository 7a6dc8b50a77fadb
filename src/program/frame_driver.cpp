// RunFrame: the scene's step, the wait to the 1/40 s mark, the frame-rate text and the present.
#include "program/frame_driver.h"

#include <cstdio>

#include "gfx/text.h"
#include "platform/display_device.h"
#include "platform/frame_clock.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"

namespace {

constexpr double FramePeriod = 0.025;

FrameClock installedClock;
bool firstFrameDone = false;
double LastFrameTime = 0.0;
double FrameRate = 0.0;

double ClockNow() {
  return installedClock.now != nullptr ? installedClock.now() : NowSeconds();
}

void ClockWaitUntil(double deadline) {
  if (installedClock.waitUntil != nullptr) {
    installedClock.waitUntil(deadline);
  } else {
    SleepThenSpinUntil(deadline);
  }
}

}  // namespace

int RunFrame() {
  if (!firstFrameDone) {
    LastFrameTime = ClockNow();
    firstFrameDone = true;
  }
  StepFrame();
  // Ends on the first reading at or past the mark; a late frame does not wait at all, and the
  // next one is measured from this reading, so nothing is ever caught up.
  double now = ClockNow();
  double elapsed = now - LastFrameTime;
  while (elapsed < FramePeriod) {
    ClockWaitUntil(LastFrameTime + FramePeriod);
    now = ClockNow();
    elapsed = now - LastFrameTime;
  }
  LastFrameTime = now;
  ShowFrame(elapsed);
  return 1;
}

void ShowFrame(double frameSeconds) {
  if (Game.FrameCount % 20 == 0 && frameSeconds > 0.0) {
    FrameRate = 1.0 / frameSeconds;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%-5.2f fps", FrameRate);
  DrawLabel(text, 560, 0, 15, 255, 255, 255);
  PresentFrame(0);
}

void SetFrameClock(FrameClock clock) {
  installedClock = clock;
}

void ResetFrameDriver() {
  firstFrameDone = false;
  LastFrameTime = 0.0;
  FrameRate = 0.0;
}
