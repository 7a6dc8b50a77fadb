// The game's clock: a frame every 1/40 s, whatever presenting costs. A frame whose step ends past
// its mark is not presented, so the frames after it run at once and catch the clock up; at most
// MaxFramesPerPresent frames run per present, and a machine that cannot run them in time has its
// clock reset rather than owing ever more frames.
#pragma once

constexpr double FramePeriod = 0.025;
constexpr int MaxFramesPerPresent = 4;
// A frame this late follows a gap (a pause, a window dragged, a stall) rather than slow frames:
// the clock restarts at once instead of running frames to catch up with it.
constexpr double LongestCatchUp = 0.5;

class FrameSchedule {
 public:
  // The reading that starts the first frame's slot.
  void Start(double now);
  bool Started() const { return started_; }
  // The mark the running frame's slot ends on: the wait of a frame on time ends here.
  double Due() const { return slotEnd_ + FramePeriod; }
  // Closes the running frame, whose step ended at `stepEnd`; true when its picture is to be
  // presented. A frame on time (its step ended before Due) is presented after the wait and its
  // slot ends on the mark. A late one is not presented and its slot ends on the mark too, unless
  // it is the MaxFramesPerPresent-th frame in a row to end late or is LongestCatchUp late: then
  // it is presented and the clock restarts from `stepEnd`.
  bool CloseFrame(double stepEnd);
  // Where the last closed frame's slot ended.
  double SlotEnd() const { return slotEnd_; }
  // Whether the last closed frame restarted the clock.
  bool Restarted() const { return restarted_; }

 private:
  bool started_ = false;
  bool restarted_ = false;
  double slotEnd_ = 0.0;
  int unpresented_ = 0;
};
