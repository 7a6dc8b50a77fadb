// RunFrame: the scene's step, the wait to the 1/40 s mark, the frame-rate text and the present.
#include "program/frame_driver.h"

#include <cstdio>

#include "gfx/text.h"
#include "platform/display_device.h"
#include "platform/frame_clock.h"
#include "program/frame_schedule.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"

namespace {

FrameClock installedClock;
FrameSchedule schedule;
double FrameRate = 0.0;
// The frames counted towards the next refresh of the rate, since rateSince (< 0: none yet).
int rateFrames = 0;
double rateSince = -1.0;
uint64_t framesRun = 0;
uint64_t presented = 0;

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
  if (!schedule.Started()) {
    schedule.Start(ClockNow());
  }
  StepFrame();
  const double due = schedule.Due();
  const bool present = schedule.CloseFrame(ClockNow());
  if (present) {
    // Ends on the first reading at or past the mark; a late frame does not wait at all.
    while (ClockNow() < due) {
      ClockWaitUntil(due);
    }
  }
  DrawFrameRate(schedule.SlotEnd());
  if (present) {
    PresentAndCount();
  }
  return 1;
}

void DrawFrameRate(double frameEnd) {
  ++framesRun;
  if (rateSince < 0.0) {
    rateSince = frameEnd;
  } else {
    ++rateFrames;
  }
  if (Game.FrameCount % 20 == 0 && rateFrames > 0 && frameEnd > rateSince) {
    FrameRate = rateFrames / (frameEnd - rateSince);
    rateFrames = 0;
    rateSince = frameEnd;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%-5.2f fps", FrameRate);
  DrawLabel(text, 560, 0, 15, 255, 255, 255);
}

void PresentAndCount() {
  if (PresentFrame(0) != 0) {
    ++presented;
  }
}

uint64_t FramesRun() {
  return framesRun;
}

uint64_t PresentedFrames() {
  return presented;
}

void SetFrameClock(FrameClock clock) {
  installedClock = clock;
}

void ResetFrameDriver() {
  schedule = FrameSchedule{};
  FrameRate = 0.0;
  rateFrames = 0;
  rateSince = -1.0;
  framesRun = 0;
  presented = 0;
}
