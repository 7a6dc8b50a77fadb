// The virtual frame clock.
#include "program/virtual_clock.h"

#include <cmath>
#include <limits>

#include "program/frame_driver.h"

namespace {

double virtualNow = 0.0;

double VirtualNow() {
  return virtualNow;
}

// A deadline already reached still moves the clock by the smallest step: the driver computes its
// deadline as last + 0.025, and the rounding of that sum can leave it a hair short of 0.025
// after the last reading. The clock must never stand still while the driver waits.
void VirtualWaitUntil(double deadline) {
  virtualNow = deadline > virtualNow
                   ? deadline
                   : std::nextafter(virtualNow, std::numeric_limits<double>::infinity());
}

}  // namespace

void InstallVirtualClock() {
  virtualNow = 0.0;
  SetFrameClock({VirtualNow, VirtualWaitUntil});
  ResetFrameDriver();
}
