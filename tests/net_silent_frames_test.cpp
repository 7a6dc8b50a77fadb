// Frames run again after a rollback: nothing drawn, no sound started twice for one frame.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/draw_silence.h"
#include "gfx/draw_trace.h"
#include "gfx/text.h"
#include "sound/frame_sounds.h"
#include "sound/sound.h"

namespace {

std::vector<SoundId>& StartsHeard() {
  static std::vector<SoundId> starts;
  return starts;
}
std::vector<SoundId>& StopsHeard() {
  static std::vector<SoundId> stops;
  return stops;
}
void HearSound(SoundId id, bool start, bool) {
  (start ? StartsHeard() : StopsHeard()).push_back(id);
}

class SilentFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    StartsHeard().clear();
    StopsHeard().clear();
    SetSoundEventHook(HearSound);
    SetDrawTrace(&calls);
  }
  void TearDown() override {
    SetSoundEventHook(nullptr);
    SetDrawTrace(nullptr);
    SilenceDrawing(false);
    BeginSoundFrame(0, FrameRun::Untracked);
  }
  std::vector<DrawCall> calls;
};

void DrawOneOfEach() {
  BlitRect(SurfPlanet, 0, 0, 10, 10, 5, 5);
  BlitScaled(SurfPlanet, 0, 0, 10, 10, 5, 5, 20, 20);
  DrawLabel("text", 0, 0, 15, 255, 255, 255);
  ClearToColour(0, 0, 0);
}

TEST_F(SilentFrames, SilencedDrawingCallsDoNothing) {
  SilenceDrawing(true);
  DrawOneOfEach();
  EXPECT_TRUE(calls.empty());
  SilenceDrawing(false);
  DrawOneOfEach();
  EXPECT_EQ(calls.size(), 4u);
}

TEST_F(SilentFrames, RerunSkipsOnlyTheStartsItsFirstRunMade) {
  BeginSoundFrame(40, FrameRun::First);
  StartSound(SndBom, 0);
  StartSound(SndPlayBgm, 1);
  BeginSoundFrame(41, FrameRun::First);
  StartSound(SndGage, 0);
  EXPECT_EQ(StartsHeard(), (std::vector<SoundId>{SndBom, SndPlayBgm, SndGage}));

  StartsHeard().clear();
  BeginSoundFrame(40, FrameRun::Again);
  StartSound(SndPlayBgm, 1);
  StartSound(SndGage, 0);  // frame 41 started it, not frame 40
  StopSound(SndBom);
  BeginSoundFrame(41, FrameRun::Again);
  StartSound(SndGage, 0);
  StartSound(SndSun, 0);
  EXPECT_EQ(StartsHeard(), (std::vector<SoundId>{SndGage, SndSun}));
  EXPECT_EQ(StopsHeard(), (std::vector<SoundId>{SndBom}));

  // A second rerun knows what the first rerun started as well.
  StartsHeard().clear();
  BeginSoundFrame(40, FrameRun::Again);
  StartSound(SndGage, 0);
  BeginSoundFrame(41, FrameRun::Again);
  StartSound(SndSun, 0);
  EXPECT_TRUE(StartsHeard().empty());
}

TEST_F(SilentFrames, NewFirstRunsAndUntrackedFramesForgetOlderRecords) {
  BeginSoundFrame(7, FrameRun::First);
  StartSound(SndChain2, 0);
  // Frame 39 shares frame 7's record; its first run starts afresh.
  BeginSoundFrame(39, FrameRun::First);
  BeginSoundFrame(7, FrameRun::Again);
  StartSound(SndChain2, 0);
  BeginSoundFrame(7, FrameRun::Untracked);
  StartSound(SndChain2, 0);
  EXPECT_EQ(StartsHeard(), (std::vector<SoundId>{SndChain2, SndChain2, SndChain2}));
}

}  // namespace
