// Rules for the hazards: the black hole (solo or versus launch), the sun (solo only), the white
// hole (a match only), the captured lists and the star field behind every scene.
#include "invariant_rules.h"

namespace {

bool IsHolePicture(int32_t sourceX) {
  return sourceX % 48 == 0 && Within(sourceX, 0, 3 * 48);
}

void CheckBlackHole(const GameState& state, RuleReport& report) {
  const BlackHoleRecord& hole = state.BlackHole;
  report.Expect(IsFlag(hole.active) && Within(hole.frame, 0, 3) && Within(hole.tick, 0, 15) &&
                    IsHolePicture(hole.sourceX) && Within(hole.targetSide, 0, 2),
                "black hole active %d, frame %d, tick %d, source x %d, targetSide %d", hole.active,
                hole.frame, hole.tick, hole.sourceX, hole.targetSide);
  if (!hole.active) {
    return;
  }
  // It ends once below the screen; it only ever moves down and away from its corner.
  const int32_t pace = hole.dx < 0 ? -hole.dx : hole.dx;
  report.Expect(Within(hole.y, 0, 480) && Within(hole.dy, 3, 5) && Within(pace, 2, 3),
                "black hole at y %d moving %d, %d", hole.y, hole.dx, hole.dy);
  const PlayKind kind = KindOf(state);
  if (kind == PlayKind::Solo) {
    report.Expect(hole.dx > 0 && Within(hole.widthFactor, 1, 3) && Within(hole.heightFactor, 1, 3),
                  "solo black hole of %d x %d units moving %d across", hole.widthFactor,
                  hole.heightFactor, hole.dx);
  } else if (kind == PlayKind::Versus) {
    const bool size = (hole.widthFactor == 1 && Within(hole.heightFactor, 1, 2)) ||
                      (hole.widthFactor == 2 && hole.heightFactor == 1);
    const bool course =
        (hole.targetSide == 1 && hole.dx > 0) || (hole.targetSide == 2 && hole.dx < 0);
    report.Expect(size && course, "match black hole of %d x %d units toward side %d moving %d",
                  hole.widthFactor, hole.heightFactor, hole.targetSide, hole.dx);
  } else {
    report.Expect(kind == PlayKind::Other, "a black hole is flying over the title");
  }
}

void CheckSun(const GameState& state, RuleReport& report) {
  const SunRecord& sun = state.Sun;
  report.Expect(IsFlag(sun.active) && sun.endCounter >= 0, "sun active %d, endCounter %d",
                sun.active, sun.endCounter);
  // From 96 it grows to 149, leaps by 100 to 553 and ends within five more frames.
  report.Expect(!sun.active || Within(sun.size, 96, 558), "sun of size %d", sun.size);
  const PlayKind kind = KindOf(state);
  report.Expect(!sun.active || kind == PlayKind::Solo || kind == PlayKind::Other,
                "the sun is shining outside solo play");
}

void CheckWhiteHole(const GameState& state, RuleReport& report) {
  const WhiteHoleRecord& hole = state.WhiteHole;
  report.Expect(IsFlag(hole.active) && IsFlag(hole.firstFrame) && Within(hole.frame, 0, 3) &&
                    Within(hole.tick, 0, 7) && IsHolePicture(hole.sourceX),
                "white hole active %d, firstFrame %d, frame %d, tick %d, source x %d", hole.active,
                hole.firstFrame, hole.frame, hole.tick, hole.sourceX);
  if (!hole.active) {
    report.Expect(hole.firstFrame == 1, "a white hole ended without readying its next start");
    return;
  }
  const PlayKind kind = KindOf(state);
  report.Expect(kind == PlayKind::Versus || kind == PlayKind::Other,
                "a white hole is sweeping outside a match");
  // Sweeps of 192 pixels, one cell row lower each time; it ends once below the last row.
  report.Expect(hole.speed == 4 && hole.widthFactor == 1 && hole.heightFactor == 1 &&
                    (hole.y - 56) % 32 == 0 && Within(hole.y, 56, 416 - 17),
                "white hole at y %d, speed %d, %d x %d units", hole.y, hole.speed, hole.widthFactor,
                hole.heightFactor);
  report.Expect(hole.firstFrame || ((hole.startX == 32 || hole.startX == 352) &&
                                    Within(hole.x - hole.startX, 0, 192)),
                "white hole at x %d on a sweep from %d", hole.x, hole.startX);
}

void CheckCaptured(const GameState& state, RuleReport& report) {
  const PlayKind kind = KindOf(state);
  for (int side : {1, 2}) {
    const CapturedList& list = SideOf(state, side).CapturedPlanets;
    // Only a match's black hole captures, and the reset before every game empties the lists.
    const int32_t most = kind == PlayKind::Versus || kind == PlayKind::Other ? CapturedCapacity : 0;
    if (!report.Expect(Within(list.count, 0, most), "side %d: %d captured planets, outside 0..%d",
                       side, list.count, most)) {
      return;
    }
    for (int i = 0; i < list.count; ++i) {
      report.Expect(Within(list.codes[i], 1, CellBlackHole),
                    "side %d: captured planet %d has code %d", side, i, list.codes[i]);
    }
  }
}

void CheckStars(const GameState& state, RuleReport& report) {
  for (int i = 0; i < StarCount; ++i) {
    const Star& star = state.StarField[i];
    if (!report.Expect(star.imageX % 16 == 0 && Within(star.imageX, 0, 48) && star.imageY == 0 &&
                           Within(star.x, -32, 640) && Within(star.y, -32, 480) &&
                           Within(star.stepX, 2, 6) && Within(star.stepY, 2, 6) &&
                           Within(star.size, 5, 12),
                       "star %d: picture %d, %d at %d, %d, steps %d, %d, size %d", i, star.imageX,
                       star.imageY, star.x, star.y, star.stepX, star.stepY, star.size)) {
      return;
    }
  }
}

}  // namespace

void CheckHazards(const GameState& state, RuleReport& report) {
  CheckBlackHole(state, report);
  CheckSun(state, report);
  CheckWhiteHole(state, report);
  CheckCaptured(state, report);
  report.Expect(Within(state.previewBlackHoleTick, 0, 17) &&
                    Within(state.previewBlackHoleSourceX, 0, 64) &&
                    state.previewBlackHoleSourceX % 32 == 0,
                "preview black-hole piece at tick %d, source x %d", state.previewBlackHoleTick,
                state.previewBlackHoleSourceX);
  CheckStars(state, report);
}
