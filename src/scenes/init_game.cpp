// Start-up of the game itself: pictures, the random seed, empty wells, the star field, the tune.
#include "gfx/surfaces.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "services/random.h"
#include "sound/sound.h"

namespace {

struct BitmapFile {
  SurfaceId entry;
  const char* fileName;
};

// Load order; every picture but the opaque universe is keyed on its top-left colour.
constexpr BitmapFile BitmapFiles[] = {
    {SurfPlanet, "planet.bmp"},
    {SurfBack, "back.bmp"},
    {SurfWakuTate, "waku_tate.bmp"},
    {SurfWakuYoko, "waku_yoko.bmp"},
    {SurfSpaceShuttle, "spaceshuttle.bmp"},
    {SurfTitle, "title.bmp"},
    {SurfMenu, "menu.bmp"},
    {SurfBaku, "baku.bmp"},
    {SurfBlackHole, "blackhole.bmp"},
    {SurfSun, "sun.bmp"},
    {SurfUniverse, "universe.bmp"},
    {SurfFixed, "fixed.bmp"},
    {SurfWhiteHole, "whitehole.bmp"},
    {SurfLine, "line.bmp"},
};

void FillStarField() {
  for (Star& star : Game.StarField) {
    star.x = RandomRange(-32, 640);
    star.y = RandomRange(-32, 480);
    star.imageX = RandomRange(0, 3) * 16;
    star.imageY = 0;
    star.stepX = RandomRange(2, 6);
    star.stepY = RandomRange(2, 6);
    star.size = RandomRange(5, 10);
  }
}

}  // namespace

int InitGame() {
  for (const BitmapFile& file : BitmapFiles) {
    LoadBitmapSurface(file.entry, file.fileName);
    if (file.entry != SurfUniverse) {
      SetColourKeyFromCorner(file.entry);
    }
  }
  SeedRandomFromClock();
  Game.side1.Board = EmptyWellGrid();
  Game.side2.Board = EmptyWellGrid();
  Game.side1.RemovalMarks = {};
  Game.side2.RemovalMarks = {};
  FillStarField();
  StartSound(SndTitleBgm, 1);
  return 1;
}
