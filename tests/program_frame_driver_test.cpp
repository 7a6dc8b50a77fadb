// The frame driver on a fake clock: the wait to each mark, the frame rate and its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "gfx/draw_trace.h"
#include "program/frame_driver.h"
#include "scenes/game_state.h"
#include "services/quit.h"

namespace {

double fakeNow = 0.0;
std::vector<double> deadlines;

class ProgramFrameDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    Game = GameState{};
    // The quit scene has no handler to draw, so the fps label is the only drawing.
    Game.CurrentScene = SceneQuit;
    fakeNow = 100.0;
    deadlines.clear();
    SetFrameClock({[] { return fakeNow; },
                   [](double deadline) {
                     // Rounding may bring the driver back for the same deadline: count it once,
                     // and move on by the smallest step so the wait always ends.
                     if (deadlines.empty() || deadlines.back() != deadline) {
                       deadlines.push_back(deadline);
                     }
                     fakeNow = std::max(deadline, std::nextafter(fakeNow, 1e300));
                   }});
    ResetFrameDriver();
    SetDrawTrace(&calls);
  }
  void TearDown() override {
    SetDrawTrace(nullptr);
    SetFrameClock({});
    ResetFrameDriver();
    ClearQuitRequest();
    Game = GameState{};
  }

  // Runs one frame whose scene step takes `work` seconds; returns the fps text it drew.
  std::string Frame(double work) {
    calls.clear();
    fakeNow += work;
    RunFrame();
    EXPECT_EQ(calls.size(), 1u);
    const DrawCall& label = calls.back();
    EXPECT_EQ(label.kind, DrawCall::Label);
    EXPECT_EQ(label.dx, 560);
    EXPECT_EQ(label.dy, 0);
    EXPECT_EQ(label.dh, 15);
    EXPECT_EQ(label.red + label.green + label.blue, 3 * 255);
    return label.text;
  }

  std::vector<DrawCall> calls;
};

TEST_F(ProgramFrameDriver, ShowsZeroUntilTheTwentiethFrameThenTheRateFramesRan) {
  for (int frame = 1; frame < 20; ++frame) {
    ASSERT_EQ(Frame(0.010), "0.00  fps") << "frame " << frame;
  }
  EXPECT_EQ(Frame(0.010), "40.00 fps");
  EXPECT_EQ(Game.FrameCount, 20u);
  // Every frame waited to its mark, exactly 0.025 s after the previous one.
  ASSERT_EQ(deadlines.size(), 20u);
  EXPECT_NEAR(deadlines[19] - deadlines[18], 0.025, 1e-9);
  // A slow frame is caught up by the next, so the game kept its pace.
  for (int frame = 21; frame < 40; ++frame) {
    Frame(frame == 30 ? 0.035 : 0.010);
  }
  EXPECT_EQ(Frame(0.010), "40.00 fps");
  EXPECT_NEAR(deadlines.back() - deadlines[19], 20 * 0.025, 1e-9);
  // A pause restarts the clock: the frames after it are not hurried, and the rate shows the gap.
  for (int frame = 41; frame <= 60; ++frame) {
    Frame(frame == 45 ? 1.0 : 0.010);
  }
  EXPECT_EQ(Game.FrameCount, 60u);
  EXPECT_EQ(PresentedFrames(), 0u);  // no window here: nothing could be shown
  EXPECT_EQ(FramesRun(), 60u);
  const double afterPause = deadlines.back();
  EXPECT_EQ(Frame(0.0), "13.56 fps");  // 20 frames in 0.475 s and the 1 s gap
  EXPECT_NEAR(deadlines.back() - afterPause, 0.025, 1e-9);
}

}  // namespace
