// The pace correction's arithmetic.
#include "net/pace.h"

#include <algorithm>

namespace {

constexpr double ToleratedLead = 0.5;
// A lead of this many frames beyond the tolerated one earns the full slowdown.
constexpr double FullSlowdownLead = 1.0;

}  // namespace

double FramesAhead(const PaceReading& reading) {
  const double remoteNow =
      reading.remoteFrame + std::max(reading.roundTripSeconds, 0.0) / 2.0 / OnlineFramePeriod;
  return reading.localFrame - remoteNow;
}

double ExtraFrameWait(const PaceReading& reading) {
  const double excess = FramesAhead(reading) - ToleratedLead;
  if (excess <= 0.0) {
    return 0.0;
  }
  const double fraction = std::min(excess / FullSlowdownLead, 1.0) * MaxSlowdownPerFrame;
  return fraction * OnlineFramePeriod;
}
