// The game's clock against screens and machines of every speed, on simulated time: frames keep
// their pace whatever presenting costs, and a machine too slow for them never owes more.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "program/frame_schedule.h"

namespace {

// Runs frames whose step takes `step` seconds and whose present takes `present`, as the frame
// driver does: a frame to be presented first waits for its mark.
struct Simulation {
  double now = 100.0;
  FrameSchedule schedule;
  int run = 0;
  int presented = 0;
  int unpresentedInARow = 0;
  int mostUnpresentedInARow = 0;

  Simulation() { schedule.Start(now); }

  void Frame(double step, double present) {
    now += step;
    const double due = schedule.Due();
    ++run;
    if (!schedule.CloseFrame(now)) {
      mostUnpresentedInARow = std::max(mostUnpresentedInARow, ++unpresentedInARow);
      return;
    }
    unpresentedInARow = 0;
    now = std::max(now, due) + present;
    ++presented;
  }

  // Frames for `seconds` of simulated time; returns how many ran.
  int RunFor(double seconds, double step, double present) {
    const int before = run;
    const double end = now + seconds;
    while (now < end) {
      Frame(step, present);
    }
    return run - before;
  }
};

TEST(FrameSchedule, FramesKeepTheirPaceWhateverPresentingCosts) {
  for (const double present : {0.0, 0.005, 0.024, 0.026, 0.040, 0.060, 0.090}) {
    Simulation game;
    const int run = game.RunFor(10.0, 0.002, present);
    EXPECT_NEAR(run, 400, 400 * 0.02) << "present " << present;
    // As many presents as the screen can take: one for each mark a step and a present span.
    const int marksPerPresent = static_cast<int>(std::ceil((0.002 + present) / FramePeriod));
    EXPECT_GE(game.presented, run / std::max(marksPerPresent, 1) - 1) << "present " << present;
    EXPECT_LT(game.mostUnpresentedInARow, MaxFramesPerPresent) << "present " << present;
  }
}

TEST(FrameSchedule, AFastScreenShowsEveryFrameOnItsMark) {
  Simulation game;
  for (int frame = 1; frame <= 100; ++frame) {
    game.Frame(0.003, 0.004);
    ASSERT_NEAR(game.schedule.SlotEnd(), 100.0 + frame * FramePeriod, 1e-9) << frame;
  }
  EXPECT_EQ(game.presented, 100);
}

TEST(FrameSchedule, AMachineTooSlowForTheFramesSlowsWithoutOwingMore) {
  // Each step takes longer than a frame: the game slows to what the machine can run, presenting
  // one frame in four, and the clock restarts rather than falling ever further behind.
  Simulation game;
  const int run = game.RunFor(10.0, 0.040, 0.005);
  EXPECT_NEAR(run, 10.0 / (0.040 + 0.005 / MaxFramesPerPresent), 3);
  EXPECT_EQ(game.mostUnpresentedInARow, MaxFramesPerPresent - 1);
  EXPECT_NEAR(game.presented, run / MaxFramesPerPresent, 1);
  EXPECT_LT(game.now - game.schedule.Due(), MaxFramesPerPresent * FramePeriod);
}

TEST(FrameSchedule, AScreenSlowerThanFourFramesGetsFourFramesAPresent) {
  Simulation game;
  const int run = game.RunFor(10.0, 0.002, 0.150);
  EXPECT_NEAR(run, 10.0 / (0.150 + 4 * 0.002) * MaxFramesPerPresent, 4);
  EXPECT_NEAR(game.presented, run / MaxFramesPerPresent, 1);
}

TEST(FrameSchedule, AGapRestartsTheClockAtOnce) {
  // After a pause or a stall the next frame is shown at once and the one after waits a whole
  // frame: nothing of the gap is caught up.
  Simulation game;
  game.Frame(0.001, 0.001);
  game.now += 1.0;
  game.Frame(0.001, 0.001);
  EXPECT_TRUE(game.schedule.Restarted());
  EXPECT_EQ(game.presented, 2);
  const double restart = game.schedule.SlotEnd();
  game.Frame(0.001, 0.001);
  EXPECT_FALSE(game.schedule.Restarted());
  EXPECT_DOUBLE_EQ(game.schedule.SlotEnd(), restart + FramePeriod);
  // A late frame short of the limit is caught up instead, on its mark.
  game.now += 0.030;
  game.Frame(0.001, 0.001);
  EXPECT_FALSE(game.schedule.Restarted());
  EXPECT_EQ(game.presented, 3);
  EXPECT_DOUBLE_EQ(game.schedule.SlotEnd(), restart + 2 * FramePeriod);
}

}  // namespace
