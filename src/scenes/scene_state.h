// State of the scene machine, the title menu and the star field behind every scene.
#pragma once
#include <cstdint>

enum GameScene : int32_t {
  SceneTitle = 0,
  SceneStart = 1,
  SceneSolo = 2,
  SceneVersus = 3,
  SceneSoloChain = 4,
  SceneGameOver = 5,
  SceneQuit = 6,
};

struct Star {
  int32_t imageX = 0;  // left edge of the 16 x 16 picture in SurfFixed: 0, 16, 32 or 48
  int32_t imageY = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t stepX = 0;
  int32_t stepY = 0;
  int32_t size = 0;  // drawn size in pixels, both ways
};
constexpr int StarCount = 70;

// The title menu's choices carry over from game to game; only TitleLogoY is reset.
struct TitleMenu {
  int32_t TitleLogoY = -501;
  int32_t MenuChoice = 's';  // 's' start, 'e' exit
  int32_t PlayMode = 's';    // 's' solo, 'p' two players, 'c' against the computer
  uint8_t versusMode = 0;
  uint8_t computerPlayer = 0;
  uint8_t ModeKeyLatch = 0;
  int32_t StartZoom = 0;  // pixels added to the start screen's shuttle, both ways
};
