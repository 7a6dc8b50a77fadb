// All state of the game in one record: `Game = GameState{}` restores program start, and the
// headless runner writes and reads it whole.
#pragma once
#include <array>
#include <cstdint>

#include "scenes/scene_state.h"
#include "solo/solo_state.h"
#include "versus/versus_state.h"

struct GameState {
  uint32_t FrameCount = 0;  // frames run since start; counted by the frame driver
  int32_t CurrentScene = SceneTitle;
  int32_t SceneFrame = 0;
  int32_t score = 0;
  uint8_t debugMode = 0;
  uint8_t pinchActive = 0;
  NextPairRecord NextPair;
  VersusSide side1;             // the solo well; the right-hand well of a match
  VersusSide side2;             // the left-hand well of a match
  int32_t viewDirection = 'b';  // solo: side of the screen the floor is on; versus: drift
  uint8_t mirrored = 0;
  int32_t moveGauge = 0;
  int32_t rotateGauge = 0;
  int32_t gaugeTick = 0;
  int32_t moveGaugePeriod = 10;
  int32_t rotateGaugePeriod = 20;
  uint8_t moveWarning = 0;
  uint8_t rotateWarning = 0;
  int32_t moveBlink = 0;
  int32_t rotateBlink = 0;
  uint8_t rotateLatch = 0;  // solo play's turn and debug-key latch
  int32_t scrollX = 0;
  int32_t scrollY = 0;
  BlackHoleRecord BlackHole;
  SunRecord Sun;
  WhiteHoleRecord WhiteHole;
  std::array<Star, StarCount> StarField{};
  TitleMenu title;
  Thresholds thresholds;
  ComputerPlayer computer;
  MatchState match;
  int32_t previewBlackHoleTick = 0;  // versus preview's black-hole animation
  int32_t previewBlackHoleSourceX = 0;
  WellGrid ScanSnapshot{};  // the well as the line scan sees it; shared by both sides
};

extern GameState Game;

// Side 1 or side 2 of the game; any other number is side 1.
inline VersusSide& Side(int side) {
  return side == 2 ? Game.side2 : Game.side1;
}
inline int OtherSide(int side) {
  return side == 2 ? 1 : 2;
}
