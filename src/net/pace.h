// Pace: a peer that runs ahead of the other waits a little longer each frame until both agree.
#pragma once
#include <cstdint>

struct PaceReading {
  int32_t localFrame = 0;   // the frame about to run here
  int32_t remoteFrame = 0;  // the remote's latest frame, as its latest packet says
  double roundTripSeconds = 0.0;
};

constexpr double OnlineFramePeriod = 0.025;
// A peer this far behind its clock, in seconds, has been held up (a stall, a window dragged) and
// restarts the clock from now; less is caught up by running frames back to back.
constexpr double OnlineLongestCatchUp = 0.5;
// Never more than this fraction of a frame added to one frame's wait.
constexpr double MaxSlowdownPerFrame = 1.0 / 8.0;

// How far ahead of the remote this machine runs, in frames: the remote has gone on for half a
// round trip since it sent its frame number.
double FramesAhead(const PaceReading& reading);
// The extra wait before the next frame, in seconds: nothing within half a frame of the remote
// (the estimate's own error), then growing with the lead up to MaxSlowdownPerFrame of a frame.
double ExtraFrameWait(const PaceReading& reading);
