// The title menu: the slide, the cursor, the play-mode latch and what Return starts.
#include "game_test_support.h"
#include "scenes/scene_machine.h"
#include "scenes/title.h"

namespace {

class ScenesTitleTest : public GameTest {
 protected:
  void GoLive() { Game.title.TitleLogoY = 10; }
  int32_t Frame(std::initializer_list<int> keys) {
    Hold(keys);
    drawCalls.clear();
    return TitleFrame();
  }
  int CountSounds(SoundId id) {
    return static_cast<int>(std::count_if(sounds().begin(), sounds().end(),
                                          [id](const auto& e) { return e.id == id && e.start; }));
  }
};

TEST_F(ScenesTitleTest, SlidesInForSixtyOneFramesWithEveryKeyIgnored) {
  Hold({KeyDown_, KeyRight, KeyReturn, HardStartKey, TestStartKey});
  for (int k = 0; k <= 61; ++k) {
    drawCalls.clear();
    UpdateScene();
    const int32_t next = Game.CurrentScene;
    auto title = std::find_if(drawCalls.begin(), drawCalls.end(),
                              [](const DrawCall& c) { return c.surface == SurfTitle; });
    ASSERT_NE(title, drawCalls.end());
    const int expectedY = k <= 51 ? -501 + 10 * k : k <= 60 ? 19 - (k - 52) : 10;
    EXPECT_EQ(title->dy, expectedY) << "frame " << k;
    if (k < 61) {
      EXPECT_EQ(next, SceneTitle);
      EXPECT_EQ(title + 1, drawCalls.end());  // no menu while sliding
      EXPECT_TRUE(sounds().empty());
    } else {
      EXPECT_EQ(next, SceneQuit);  // Down and Return act on the first live frame
    }
  }
}

TEST_F(ScenesTitleTest, EachPressStepsThePlayModeOnceWithoutWrapping) {
  GoLive();
  Frame({KeyRight});
  Frame({KeyRight});
  EXPECT_EQ(Game.title.PlayMode, 'p');
  EXPECT_EQ(Game.title.versusMode, 1);
  Frame({});
  Frame({KeyRight, KeyLeft});  // Right counts first
  EXPECT_EQ(Game.title.PlayMode, 'c');
  EXPECT_EQ(Game.title.computerPlayer, 1);
  Frame({});
  Frame({KeyRight});  // the end of the row: no change, no sound
  EXPECT_EQ(Game.title.PlayMode, 'c');
  EXPECT_EQ(CountSounds(SndMode), 2);
  Frame({});
  Frame({KeyLeft});
  EXPECT_EQ(Game.title.PlayMode, 'p');
  EXPECT_EQ(Game.title.computerPlayer, 0);
  EXPECT_EQ(Game.title.versusMode, 1);
  EXPECT_EQ(CountSounds(SndMode), 3);
  EXPECT_EQ(drawCalls[drawCalls.size() - 3].sy, 180);  // the two-player panel
}

TEST_F(ScenesTitleTest, DownMovesToExitOnceAndSkipsTheModeKeys) {
  GoLive();
  Frame({KeyDown_, KeyRight});
  EXPECT_EQ(Game.title.MenuChoice, 'e');
  EXPECT_EQ(Game.title.PlayMode, 's');
  EXPECT_EQ(Game.title.ModeKeyLatch, 0);
  Frame({KeyDown_});
  Frame({KeyRight});  // the cursor is on exit: modes stay
  EXPECT_EQ(Game.title.PlayMode, 's');
  EXPECT_EQ(CountSounds(SndSelect), 1);
  // Exit in its cursor look below start in its other look; the panel stays.
  EXPECT_EQ(drawCalls.back().sy, 60);
  EXPECT_EQ(drawCalls.back().sx, 0);
  EXPECT_EQ(drawCalls[drawCalls.size() - 3].dx, 320);
  Frame({KeyUp});
  EXPECT_EQ(Game.title.MenuChoice, 's');
  EXPECT_EQ(CountSounds(SndSelect), 2);
  EXPECT_EQ(Frame({KeyDown_, KeyReturn}), SceneQuit);
  EXPECT_EQ(CountSounds(SndEnter), 1);
}

TEST_F(ScenesTitleTest, ReturnStartsTheChosenGame) {
  struct Case {
    int32_t mode;
    int extraKey;
    int32_t scene;
    uint8_t debug;
  };
  const Case cases[] = {
      {'s', 0, SceneStart, 0},
      {'s', HardStartKey, SceneStart, 0},
      {'s', TestStartKey, SceneSolo, 1},
      {'p', TestStartKey, SceneVersus, 1},
      {'c', TestStartKey, SceneVersus, 1},
      {'c', HardStartKey, SceneStart, 0},
  };
  for (const Case& c : cases) {
    Game = GameState{};
    GoLive();
    Game.title.PlayMode = c.mode;
    Game.title.versusMode = c.mode != 's';
    Game.title.computerPlayer = c.mode == 'c';
    EXPECT_EQ(Frame({KeyReturn, c.extraKey}), c.scene) << char(c.mode) << c.extraKey;
    EXPECT_EQ(Game.debugMode, c.debug);
    const bool hard = c.extraKey == HardStartKey;
    EXPECT_EQ(Game.side1.colourCount, hard ? 6 : 3);
    EXPECT_EQ(Game.side1.fallInterval, hard ? 1 : 25);
    EXPECT_EQ(Game.moveGaugePeriod, hard ? 2 : 10);
    EXPECT_EQ(Game.rotateGaugePeriod, hard ? 4 : 20);
  }
  EXPECT_EQ(CountSounds(SndEnter), 6);
  // The live menu's hint text.
  const DrawCall& hint = drawCalls[drawCalls.size() - 4];
  EXPECT_EQ(hint.kind, DrawCall::Label);
  EXPECT_EQ(hint.text, "矢印キーで選択　リターンキーで決定");
  EXPECT_TRUE(hint.dx == 190 && hint.dy == 260 && hint.dh == 15 && hint.red == 255);
}

}  // namespace
