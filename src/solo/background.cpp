// The universe picture scrolling toward the well's floor, and the stars drifting the same way.
#include "solo/background.h"

#include "gfx/surfaces.h"
#include "scenes/game_state.h"
#include "services/random.h"

namespace {

constexpr int UniverseWidth = 640;  // the universe picture, as large as the screen
constexpr int UniverseHeight = 480;

}  // namespace

void ScrollUniverse() {
  switch (Game.viewDirection) {
    case 'b':
      Game.scrollY += 2;
      if (Game.scrollY >= UniverseHeight) {
        Game.scrollY = 0;
      }
      break;
    case 't':
      Game.scrollY -= 2;
      if (Game.scrollY <= 0) {
        Game.scrollY = UniverseHeight;
      }
      break;
    case 'l':
      Game.scrollX -= 2;
      if (Game.scrollX <= 0) {
        Game.scrollX = UniverseWidth;
      }
      break;
    case 'r':
      Game.scrollX += 2;
      if (Game.scrollX >= UniverseWidth) {
        Game.scrollX = 0;
      }
      break;
    default:
      break;
  }
}

// Four pieces tile the picture shifted by (scrollX, scrollY) with wrap-around. A piece of zero
// width or height is still passed on: BlitRect refuses it and draws nothing.
void DrawUniverse() {
  const int x = Game.scrollX;
  const int y = Game.scrollY;
  const int w = UniverseWidth;
  const int h = UniverseHeight;
  BlitRect(SurfUniverse, 0, 0, w - x, h - y, x, y);
  BlitRect(SurfUniverse, w - x, 0, x, h - y, 0, y);
  BlitRect(SurfUniverse, 0, h - y, w - x, y, x, 0);
  BlitRect(SurfUniverse, w - x, h - y, x, y, 0, 0);
}

void MoveStars() {
  for (Star& star : Game.StarField) {
    switch (Game.viewDirection) {
      case 'b':
        star.y += star.stepY;
        break;
      case 't':
        star.y -= star.stepY;
        break;
      case 'l':
        star.x -= star.stepX;
        break;
      case 'r':
        star.x += star.stepX;
        break;
      default:
        break;
    }
    bool wrapped = false;
    if (star.x > 640) {
      star.x = -32;
      wrapped = true;
    } else if (star.x < -32) {
      star.x = 640;
      wrapped = true;
    }
    if (star.y > 480) {
      star.y = -32;
      wrapped = true;
    } else if (star.y < -32) {
      star.y = 480;
      wrapped = true;
    }
    if (wrapped) {
      // A star coming back is a new one, drawn from 6..12 pixels (start-up stars are 5..10).
      star.imageX = RandomRange(0, 3) * 16;
      star.stepX = RandomRange(2, 6);
      star.stepY = RandomRange(2, 6);
      star.size = RandomRange(6, 12);
    }
  }
}

void DrawStars() {
  for (const Star& star : Game.StarField) {
    BlitScaled(SurfFixed, star.imageX, star.imageY, 16, 16, star.x, star.y, star.size, star.size);
  }
}
