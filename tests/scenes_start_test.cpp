// The start screen's shuttle and tune switch, and the game-over screen's timing.
#include "game_test_support.h"
#include "scenes/scene_machine.h"

namespace {

class ScenesStartTest : public GameTest {
 protected:
  // Runs frames of the current scene until it switches; returns how many ran.
  int RunUntilSwitch(int limit) {
    const int32_t scene = Game.CurrentScene;
    for (int n = 1; n <= limit; ++n) {
      drawCalls.clear();
      UpdateScene();
      if (Game.CurrentScene != scene) {
        return n;
      }
    }
    return -1;
  }
  static bool IsShuttle(const DrawCall& c) { return c.surface == SurfSpaceShuttle && c.sx == 0; }
};

TEST_F(ScenesStartTest, ShuttleStaysStillForTwentyFramesThenGrowsAroundItsCentre) {
  Game.CurrentScene = SceneStart;
  std::vector<DrawCall> shuttles;
  for (int f = 0; f < 150; ++f) {
    drawCalls.clear();
    UpdateScene();
    ASSERT_TRUE(IsShuttle(drawCalls.back())) << "frame " << f;
    shuttles.push_back(drawCalls.back());
  }
  const DrawCall& still = shuttles[19];
  EXPECT_TRUE(still.dx == 384 && still.dy == 192 && still.dw == 84 && still.dh == 144);
  const DrawCall& grown = shuttles[20];
  EXPECT_TRUE(grown.dx == 364 && grown.dy == 172 && grown.dw == 124 && grown.dh == 184);
  EXPECT_EQ(shuttles[149].dw, 5284);
  EXPECT_EQ(shuttles[149].dh, 5344);
}

TEST_F(ScenesStartTest, VersusStartSwitchesTunesAfter151FramesAndResetsTheZoom) {
  Game.CurrentScene = SceneStart;
  Game.title.versusMode = 1;
  EXPECT_EQ(RunUntilSwitch(400), 151);
  EXPECT_EQ(Game.CurrentScene, SceneVersus);
  EXPECT_EQ(Game.title.StartZoom, 0);
  EXPECT_FALSE(std::any_of(drawCalls.begin(), drawCalls.end(), IsShuttle));  // background only
  ASSERT_EQ(sounds().size(), 2u);
  EXPECT_TRUE(sounds()[0].id == SndTitleBgm && !sounds()[0].start);
  EXPECT_TRUE(sounds()[1].id == SndPlayBgm && sounds()[1].start && sounds()[1].loop);
}

TEST_F(ScenesStartTest, SoloStartShowsThePanelAndStartForFiftyOneFrames) {
  Game.CurrentScene = SceneStart;
  EXPECT_EQ(RunUntilSwitch(400), 201);
  EXPECT_EQ(Game.CurrentScene, SceneSolo);
  const DrawCall& label = drawCalls.back();
  EXPECT_TRUE(label.text == "start" && label.dx == 160 && label.dy == 192 && label.dh == 50);
  EXPECT_TRUE(label.red == 255 && label.green == 125 && label.blue == 0);
  ASSERT_EQ(sounds().size(), 2u);
  EXPECT_EQ(sounds()[1].id, SndPlayBgm);
}

TEST_F(ScenesStartTest, GameOverShowsTextThenBlackThenTheTitle) {
  Game.CurrentScene = SceneGameOver;
  int textFrames = 0;
  int blackFrames = 0;
  int32_t scrollWhenBlack = -1;
  for (int f = 0; f < 92; ++f) {
    drawCalls.clear();
    UpdateScene();
    if (drawCalls.back().kind == DrawCall::Label) {
      EXPECT_EQ(drawCalls.back().text, "Ｇａｍｅ Ｏｖｅｒ");
      ++textFrames;
    } else if (drawCalls.size() == 1 && drawCalls[0].kind == DrawCall::Clear) {
      // The background stands still under the black frames.
      EXPECT_TRUE(scrollWhenBlack < 0 || scrollWhenBlack == Game.scrollY);
      scrollWhenBlack = Game.scrollY;
      ++blackFrames;
    }
    EXPECT_EQ(Game.CurrentScene, f < 91 ? SceneGameOver : SceneTitle) << "frame " << f;
  }
  EXPECT_EQ(textFrames, 61);
  EXPECT_EQ(blackFrames, 31);
}

}  // namespace
