// The title's reset, proved on a state where every field differs from both its program-start and
// its reset value. The fields come from the state schema, so a field added later is dirtied and
// checked too, and must be listed below as restored or kept before this test passes.
#include <string>
#include <string_view>
#include <vector>

#include "game_test_support.h"
#include "scenes/scene_machine.h"
#include "state_leaves.h"

namespace {

// A value no field starts with or is reset to: byte flags 200 and up, other fields 100000 and
// up; the scene and side state take real names that the reset never sets.
void Dirty(const Leaf& leaf, int index) {
  if (leaf.path == "CurrentScene") {
    *static_cast<int32_t*>(leaf.at) = SceneGameOver;
  } else if (leaf.path.ends_with("sideState")) {
    *static_cast<int32_t*>(leaf.at) = SideLost;
  } else if (leaf.bytes == 1) {
    *static_cast<uint8_t*>(leaf.at) = static_cast<uint8_t>(200 + index % 50);
  } else {
    *static_cast<int32_t*>(leaf.at) = 100000 + index;
  }
}

bool Names(std::string_view path, std::string_view field) {
  return path == field ||
         (path.starts_with(field) && (path[field.size()] == '.' || path[field.size()] == '['));
}

bool Listed(const std::string& path, const std::vector<std::string>& fields) {
  for (const std::string& field : fields) {
    if (Names(path, field)) {
      return true;
    }
  }
  return false;
}

std::vector<std::string> OnBothSides(const std::vector<std::string>& fields) {
  std::vector<std::string> both;
  for (const std::string& field : fields) {
    both.push_back("side1." + field);
    both.push_back("side2." + field);
  }
  return both;
}

// Back to their program-start values: the designed reset, the scene switch itself, and the
// leftovers of a match that the reset also clears.
std::vector<std::string> RestoredFields() {
  std::vector<std::string> fields =
      OnBothSides({"Board", "FallingPair.orientation", "colourCount", "fallInterval",
                   "phaseCounter", "sideState", "chainCount", "removedCount", "RemovalMarks",
                   "ExplosionTable", "driftCounter", "CapturedPlanets"});
  fields.insert(fields.end(),
                {"CurrentScene", "SceneFrame", "title.TitleLogoY", "side1.FallingPair.pairActive",
                 "viewDirection", "mirrored", "moveGauge", "rotateGauge", "score",
                 "BlackHole.active", "Sun.active", "moveGaugePeriod", "rotateGaugePeriod",
                 "debugMode", "WhiteHole", "match.matchEndCounter", "computer.planNeeded"});
  return fields;
}

// Carried into the next game as the last one left them.
std::vector<std::string> KeptFields() {
  std::vector<std::string> fields = OnBothSides(
      {"FallingPair.row1", "FallingPair.col1", "FallingPair.row2", "FallingPair.col2",
       "FallingPair.code1", "FallingPair.code2", "fallCounter", "moveRepeat", "moveCounter",
       "linesFound", "rotateLatch", "blackHoleTick", "blackHoleSourceX"});
  fields.insert(fields.end(), {"FrameCount",
                               "pinchActive",
                               "side2.FallingPair.pairActive",
                               "gaugeTick",
                               "moveWarning",
                               "rotateWarning",
                               "moveBlink",
                               "rotateBlink",
                               "rotateLatch",
                               "scrollX",
                               "scrollY",
                               "BlackHole.x",
                               "BlackHole.y",
                               "BlackHole.dx",
                               "BlackHole.dy",
                               "BlackHole.widthFactor",
                               "BlackHole.heightFactor",
                               "BlackHole.frame",
                               "BlackHole.tick",
                               "BlackHole.sourceX",
                               "BlackHole.targetSide",
                               "Sun.size",
                               "Sun.endCounter",
                               "StarField",
                               "title.MenuChoice",
                               "title.PlayMode",
                               "title.versusMode",
                               "title.computerPlayer",
                               "title.ModeKeyLatch",
                               "title.StartZoom",
                               "thresholds",
                               "computer.targetColumn",
                               "computer.targetRow",
                               "computer.clockwiseTurns",
                               "computer.counterClockwiseTurns",
                               "computer.computerDropCounter",
                               "computer.computerMoveCounter",
                               "match.debugLatch",
                               "previewBlackHoleTick",
                               "previewBlackHoleSourceX",
                               "ScanSnapshot"});
  return fields;
}

class ScenesResetTest : public GameTest {};

TEST_F(ScenesResetTest, RestoresTheDesignedFieldsAndKeepsEveryOther) {
  std::vector<Leaf> live = LeavesOf(Game);
  for (size_t i = 0; i < live.size(); ++i) {
    Dirty(live[i], static_cast<int>(i));
  }
  GameState start;
  EXPECT_TRUE(start.NextPair.next1 == 0 && start.NextPair.next2 == 0);  // the first game's pair
  GameState dirty = Game;
  std::vector<Leaf> starting = LeavesOf(start);
  std::vector<Leaf> dirtied = LeavesOf(dirty);
  SeedRandom(7);
  const int32_t next1 = RandomRange(0, 2);
  const int32_t next2 = RandomRange(0, 2);
  SeedRandom(7);

  EnterScene(SceneTitle);

  const std::vector<std::string> restored = RestoredFields();
  const std::vector<std::string> kept = KeptFields();
  ASSERT_EQ(live.size(), starting.size());
  for (size_t i = 0; i < live.size(); ++i) {
    const std::string& path = live[i].path;
    ASSERT_NE(ValueOf(dirtied[i]), ValueOf(starting[i])) << path << " was not dirtied";
    if (Names(path, "NextPair")) {
      continue;  // drawn at random: checked below
    }
    bool isRestored = Listed(path, restored);
    if (isRestored == Listed(path, kept)) {
      ADD_FAILURE() << path << ": list it as restored by the reset or as kept";
    } else if (isRestored) {
      EXPECT_EQ(ValueOf(live[i]), ValueOf(starting[i])) << path << " was not restored";
    } else {
      EXPECT_EQ(ValueOf(live[i]), ValueOf(dirtied[i])) << path << " was not kept";
    }
  }
  // A new game's next pair is drawn from the first three colours, after the reset's first steps.
  EXPECT_EQ(Game.NextPair.next1, next1);
  EXPECT_EQ(Game.NextPair.next2, next2);
  // The play and pinch tunes stop; the title tune starts again from its beginning, looping.
  ASSERT_EQ(sounds().size(), 3u);
  EXPECT_TRUE(sounds()[0].id == SndPlayBgm && !sounds()[0].start);
  EXPECT_TRUE(sounds()[1].id == SndPinch && !sounds()[1].start);
  EXPECT_TRUE(sounds()[2].id == SndTitleBgm && sounds()[2].start && sounds()[2].loop);
}

}  // namespace
