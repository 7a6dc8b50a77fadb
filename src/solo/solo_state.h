// The records of one well: its cells, its falling pair, its counters and explosions. The solo game
// plays side 1; a match plays side 1 (right well) against side 2 (left well).
#pragma once
#include <array>
#include <cstdint>

constexpr int WellRows = 13;    // row 0 hidden entry row, 1..11 visible, 12 floor
constexpr int WellColumns = 8;  // 0 and 7 walls, 1..6 visible
constexpr int WellCells = WellRows * WellColumns;

enum CellCode : int32_t {
  CellWall = -1,
  CellEmpty = 0,
  CellSun = 7,        // versus only: clears the 3 x 3 block around it when removed
  CellBlackHole = 8,  // versus only: launches the black hole when removed
};

using WellGrid = std::array<int32_t, WellCells>;  // row-major, index row * 8 + column

// An empty well: walls in row 12 and columns 0 and 7, empty elsewhere.
constexpr WellGrid EmptyWellGrid() {
  WellGrid grid{};
  for (int row = 0; row < WellRows; ++row) {
    for (int column = 0; column < WellColumns; ++column) {
      bool wall = row == WellRows - 1 || column == 0 || column == WellColumns - 1;
      grid[row * WellColumns + column] = wall ? CellWall : CellEmpty;
    }
  }
  return grid;
}

struct FallingPairRecord {
  int32_t row1 = 1;  // first half, the pivot of turns
  int32_t col1 = 3;
  int32_t row2 = 0;  // second half
  int32_t col2 = 3;
  int32_t code1 = 0;
  int32_t code2 = 0;
  int32_t orientation = 't';  // side of the first half the second half is on: 't' 'b' 'l' 'r'
  uint8_t pairActive = 0;     // solo only: a pair is in play
};

struct NextPairRecord {
  int32_t next1 = 0;  // colour index of the next first half (6: a sun, versus only)
  int32_t next2 = 0;  // colour index of the next second half (7: a black hole, versus only)
};

struct ExplosionRecord {
  int32_t sourceX = 0;  // frame x 32 in SurfBaku
  int32_t x = 0;        // screen position of the removed cell
  int32_t y = 0;
  int32_t frame = 0;        // 0..15
  int32_t colourIndex = 0;  // code - 1
};
constexpr int ExplosionCapacity = 30;

enum SideState : int32_t {
  SideFalling = 0,
  SideChain = 1,
  SideNewPair = 2,
  SideLost = 3,
  SideWon = 4,
};

constexpr int CapturedCapacity = 30;
struct CapturedList {
  std::array<int32_t, CapturedCapacity> codes{};
  int32_t count = 0;
};

// One well and everything that belongs to it.
struct VersusSide {
  WellGrid Board = EmptyWellGrid();
  FallingPairRecord FallingPair;
  int32_t sideState = SideNewPair;
  int32_t colourCount = 3;
  int32_t fallInterval = 25;
  int32_t fallCounter = 0;
  int32_t moveRepeat = 16;
  int32_t moveCounter = 16;
  int32_t phaseCounter = 0;
  int32_t chainCount = 0;
  int32_t removedCount = 0;
  uint8_t linesFound = 0;
  WellGrid RemovalMarks{};
  std::array<ExplosionRecord, ExplosionCapacity> ExplosionTable{};
  uint8_t rotateLatch = 0;                // the versus scene's turn latch for this side
  std::array<int32_t, 2> driftCounter{};  // [0] drifts toward higher columns, [1] toward lower
  CapturedList CapturedPlanets;           // planets the black hole took from this well
  int32_t blackHoleTick = 0;              // animation of this well's black-hole pieces
  int32_t blackHoleSourceX = 0;
};

struct BlackHoleRecord {
  uint8_t active = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t dx = 0;
  int32_t dy = 0;
  int32_t widthFactor = 0;  // size in units of 48 pixels
  int32_t heightFactor = 0;
  int32_t frame = 0;
  int32_t tick = 0;
  int32_t sourceX = 0;
  int32_t targetSide = 0;  // versus: the side the white hole will open over
};

struct SunRecord {
  uint8_t active = 0;
  int32_t size = 0;
  int32_t endCounter = 0;  // never reset
};

// Score thresholds; a game raises them and they stay raised for the rest of the run.
struct Thresholds {
  int32_t blackHoleThreshold = 5000;
  int32_t sunThreshold = 3000;
  int32_t colourThreshold = 10000;
  int32_t speedThreshold = 3000;
  int32_t movePeriodThreshold = 5000;
  int32_t rotatePeriodThreshold = 5000;
  int32_t versusColourThreshold = 5000;
  int32_t versusSpeedThreshold = 3000;
};

constexpr int32_t pointsPerPlanet = 30;
constexpr int32_t pinchThreshold = 22;
