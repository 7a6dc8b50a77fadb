// The windowed game's wait: never ends before its deadline, and leaves the waiting thread with the
// fine timer slack its short spin relies on.
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include "platform/frame_clock.h"

TEST(PlatformFrameClock, SleepThenSpinEndsAtOrPastEveryDeadlineAndSetsTheThreadsTimerSlack) {
  // Past, inside the spin margin, and far enough ahead to sleep first.
  for (double ahead : {-1.0, 0.0, 0.00005, 0.002, 0.02}) {
    const double deadline = NowSeconds() + ahead;
    SleepThenSpinUntil(deadline);
    EXPECT_GE(NowSeconds(), deadline) << "deadline " << ahead << " s ahead";
  }
  EXPECT_EQ(prctl(PR_GET_TIMERSLACK, 0UL, 0UL, 0UL, 0UL), 1);
}
