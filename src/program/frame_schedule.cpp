#include "program/frame_schedule.h"

void FrameSchedule::Start(double now) {
  *this = FrameSchedule{};
  started_ = true;
  slotEnd_ = now;
}

bool FrameSchedule::CloseFrame(double stepEnd) {
  const double due = Due();
  restarted_ = false;
  if (stepEnd < due) {
    slotEnd_ = due;
    unpresented_ = 0;
    return true;
  }
  if (stepEnd - due >= LongestCatchUp || unpresented_ + 1 >= MaxFramesPerPresent) {
    slotEnd_ = stepEnd;
    unpresented_ = 0;
    restarted_ = true;
    return true;
  }
  slotEnd_ = due;
  ++unpresented_;
  return false;
}
