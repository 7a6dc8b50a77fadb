// State that only the versus match uses: the white hole, the computer player, the match end.
#pragma once
#include <cstdint>

struct WhiteHoleRecord {
  uint8_t active = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t startX = 0;
  int32_t speed = 0;
  int32_t widthFactor = 0;
  int32_t heightFactor = 0;
  int32_t frame = 0;
  int32_t tick = 0;
  int32_t sourceX = 0;
  uint8_t firstFrame = 1;
};

// The computer player's plan; it carries over from pair to pair and from match to match.
struct ComputerPlayer {
  int32_t targetColumn = 0;
  int32_t targetRow = 0;  // 12: the plan found nothing
  int32_t clockwiseTurns = 0;
  int32_t counterClockwiseTurns = 0;
  int32_t computerDropCounter = 0;
  int32_t computerMoveCounter = 0;
  uint8_t planNeeded = 1;
};

struct MatchState {
  int32_t matchEndCounter = 0;
  uint8_t debugLatch = 0;
};
