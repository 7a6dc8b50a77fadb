// The well's edges and where each cell lands on screen in every view.
#include "game_test_support.h"
#include "solo/well.h"

namespace {

class SoloWellTest : public GameTest {};

TEST_F(SoloWellTest, AboveTheEntryRowAndOutsideTheGridReadAsWallAndIgnoreWrites) {
  const WellGrid before = Game.side1.Board;
  EXPECT_EQ(CellAt(1, -1, 3), CellWall);
  EXPECT_EQ(CellAt(1, 13, 3), CellWall);
  EXPECT_EQ(CellAt(1, 4, 8), CellWall);
  SetCell(1, -1, 3, 5);
  SetCell(1, 3, -1, 5);
  EXPECT_EQ(Game.side1.Board, before);
  SetCell(2, 4, 2, 5);  // side 2 is the second well
  EXPECT_EQ(Cell(2, 4, 2), 5);
  EXPECT_EQ(Cell(1, 4, 2), CellEmpty);
}

TEST_F(SoloWellTest, EachViewPutsTheFloorOnItsSideAndMirroringSwapsTheWalls) {
  struct Case {
    int view, mirrored;
    ScreenPoint floorLeft, topRight;  // cells (11, 1) and (1, 6)
    int left, top, width, height;     // area the 66 cells cover
  } cases[] = {
      {'b', 0, {128, 384}, {288, 64}, 128, 64, 192, 352},
      {'b', 1, {288, 384}, {128, 64}, 128, 64, 192, 352},
      {'t', 0, {288, 64}, {128, 384}, 128, 64, 192, 352},
      {'t', 1, {128, 64}, {288, 384}, 128, 64, 192, 352},
      {'l', 0, {32, 160}, {352, 320}, 32, 160, 352, 192},
      {'l', 1, {32, 320}, {352, 160}, 32, 160, 352, 192},
      {'r', 0, {352, 320}, {32, 160}, 32, 160, 352, 192},
      {'r', 1, {352, 160}, {32, 320}, 32, 160, 352, 192},
  };
  for (const Case& c : cases) {
    Game.viewDirection = c.view;
    Game.mirrored = c.mirrored;
    SCOPED_TRACE(testing::Message() << char(c.view) << c.mirrored);
    ScreenPoint a = CellScreenPosition(11, 1), b = CellScreenPosition(1, 6);
    EXPECT_TRUE(a.x == c.floorLeft.x && a.y == c.floorLeft.y) << a.x << "," << a.y;
    EXPECT_TRUE(b.x == c.topRight.x && b.y == c.topRight.y) << b.x << "," << b.y;
    std::set<std::pair<int, int>> seen;
    for (int r = 1; r <= 11; ++r) {
      for (int col = 1; col <= 6; ++col) {
        ScreenPoint p = CellScreenPosition(r, col);
        EXPECT_TRUE(p.x >= c.left && p.x + 32 <= c.left + c.width && p.y >= c.top &&
                    p.y + 32 <= c.top + c.height);
        seen.insert({p.x, p.y});
      }
    }
    EXPECT_EQ(seen.size(), 66u);  // no two cells share a place
  }
}

}  // namespace
