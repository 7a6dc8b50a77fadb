// The versus screen: two well frames, the preview box between them, both wells' cells with the
// animated black-hole pieces, and the shared next pair.
#include "versus/versus_drawing.h"

#include <cstdint>

#include "gfx/surfaces.h"
#include "scenes/game_state.h"
#include "versus/match.h"

namespace {

constexpr int32_t CellSize = 32;
constexpr int32_t BlackHolePieceRow = 64;  // the piece's animation row in SurfPlanet
constexpr int32_t PieceAnimationEnd = 96;
constexpr int32_t PreviewX = 305;

int32_t PlanetRow() {
  return Game.mirrored ? CellSize : 0;
}

// Advances one black-hole piece animation by a tick and draws its picture; the picture changes
// every `ticksPerPicture` ticks and the cycle restarts after the last one has been shown once.
void DrawBlackHolePiece(int32_t& tick, int32_t& sourceX, int32_t ticksPerPicture, int32_t x,
                        int32_t y) {
  tick += 1;
  if (tick % ticksPerPicture == 0) {
    sourceX += CellSize;
  }
  BlitRect(SurfPlanet, sourceX, BlackHolePieceRow, CellSize, CellSize, x, y);
  if (sourceX == PieceAnimationEnd) {
    tick = 0;
    sourceX = 0;
  }
}

void DrawCell(int side, int row, int column) {
  VersusSide& s = Side(side);
  int32_t code = s.Board[row * WellColumns + column];
  if (code < 1) {
    return;
  }
  ScreenPoint at = VersusCellPosition(side, row, column);
  // Every piece drawn advances the well's one animation, so two pieces animate twice as fast.
  if (code == CellBlackHole) {
    DrawBlackHolePiece(s.blackHoleTick, s.blackHoleSourceX, 8, at.x, at.y);
    return;
  }
  BlitRect(SurfPlanet, (code - 1) * CellSize, PlanetRow(), CellSize, CellSize, at.x, at.y);
}

}  // namespace

void DrawVersusFrame() {
  BlitRect(SurfBack, 31, 372, 35, 77, 303, 352);
  BlitScaled(SurfWakuTate, 0, 0, 88, 120, -64, 0, 352, 480);
  BlitScaled(SurfWakuTate, 0, 0, 88, 120, 256, 0, 352, 480);
}

void DrawVersusWells() {
  for (int row = 1; row <= 11; ++row) {
    for (int column = 1; column <= 6; ++column) {
      DrawCell(1, row, column);
      DrawCell(2, row, column);
    }
  }
  // The next pair upright as it will enter: the second half above the first.
  const NextPairRecord& next = Game.NextPair;
  if (next.next2 == CellBlackHole - 1) {
    DrawBlackHolePiece(Game.previewBlackHoleTick, Game.previewBlackHoleSourceX, 6, PreviewX, 364);
  } else {
    BlitRect(SurfPlanet, next.next2 * CellSize, PlanetRow(), CellSize, CellSize, PreviewX, 364);
  }
  BlitRect(SurfPlanet, next.next1 * CellSize, PlanetRow(), CellSize, CellSize, PreviewX, 395);
}
