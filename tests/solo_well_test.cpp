// The well's edges and where each cell lands on screen in every view.
#include "game_test_support.h"
#include "solo/well.h"

namespace {

class SoloWellTest : public GameTest {};

TEST_F(SoloWellTest, EachViewPutsTheFloorOnItsSideAndMirroringSwapsTheWalls) {
  struct Case {
    int view, mirrored;
    ScreenPoint floorLeft, topRight;  // cells (11, 1) and (1, 6)
  } cases[] = {{'b', 0, {128, 384}, {288, 64}}, {'b', 1, {288, 384}, {128, 64}},
               {'t', 0, {288, 64}, {128, 384}}, {'t', 1, {128, 64}, {288, 384}},
               {'l', 0, {32, 160}, {352, 320}}, {'l', 1, {32, 320}, {352, 160}},
               {'r', 0, {352, 320}, {32, 160}}, {'r', 1, {352, 160}, {32, 320}}};
  for (const Case& c : cases) {
    Game.viewDirection = c.view;
    Game.mirrored = c.mirrored;
    ScreenPoint a = CellScreenPosition(11, 1), b = CellScreenPosition(1, 6);
    EXPECT_TRUE(a.x == c.floorLeft.x && a.y == c.floorLeft.y && b.x == c.topRight.x &&
                b.y == c.topRight.y)
        << char(c.view) << c.mirrored;
    std::set<std::pair<int, int>> seen;  // the 66 cells tile the well's area
    for (int r = 1; r <= 11; ++r) {
      for (int col = 1; col <= 6; ++col) {
        ScreenPoint p = CellScreenPosition(r, col);
        EXPECT_TRUE(p.x >= 32 && p.x <= 352 && p.y >= 64 && p.y <= 384);
        seen.insert({p.x, p.y});
      }
    }
    EXPECT_EQ(seen.size(), 66u);
  }
}

}  // namespace
