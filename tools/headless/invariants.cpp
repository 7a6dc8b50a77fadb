// Checking the state after a frame: the rules on the state alone, then those that compare it with
// the frame before (the frame and scene counts, the scene switches the game makes, thresholds that
// only rise, the falling pairs).
#include "invariants.h"

#include "invariant_rules.h"
#include "state/state_document.h"

namespace {

// The scenes each scene's handler may switch to.
bool SwitchAllowed(int32_t from, int32_t to) {
  switch (from) {
    case SceneTitle:
      return to == SceneStart || to == SceneSolo || to == SceneVersus || to == SceneQuit;
    case SceneStart:
      return to == SceneSolo || to == SceneVersus;
    case SceneSolo:
      return to == SceneSoloChain || to == SceneGameOver || to == SceneTitle;
    case SceneSoloChain:
      return to == SceneSolo || to == SceneGameOver;
    case SceneVersus:
      return to == SceneTitle || to == SceneGameOver;
    case SceneGameOver:
      return to == SceneTitle;
    default:
      return false;
  }
}

void CheckFrameCounts(const GameState& before, const GameState& after, RuleReport& report) {
  report.Expect(after.FrameCount == before.FrameCount + 1, "FrameCount went from %u to %u",
                before.FrameCount, after.FrameCount);
  if (after.CurrentScene == before.CurrentScene) {
    report.Expect(after.SceneFrame == before.SceneFrame + 1,
                  "SceneFrame went from %d to %d within one scene", before.SceneFrame,
                  after.SceneFrame);
    return;
  }
  report.Expect(SwitchAllowed(before.CurrentScene, after.CurrentScene),
                "the scene switched from %s to %s", SceneName(before.CurrentScene).c_str(),
                SceneName(after.CurrentScene).c_str());
  report.Expect(after.SceneFrame == 0, "SceneFrame %d in a scene just entered", after.SceneFrame);
}

// Once raised, a threshold keeps its value for the rest of the run.
void CheckThresholds(const Thresholds& before, const Thresholds& after, RuleReport& report) {
  struct Named {
    const char* name;
    int32_t Thresholds::*field;
  };
  static const Named fields[] = {{"blackHoleThreshold", &Thresholds::blackHoleThreshold},
                                 {"sunThreshold", &Thresholds::sunThreshold},
                                 {"colourThreshold", &Thresholds::colourThreshold},
                                 {"speedThreshold", &Thresholds::speedThreshold},
                                 {"movePeriodThreshold", &Thresholds::movePeriodThreshold},
                                 {"rotatePeriodThreshold", &Thresholds::rotatePeriodThreshold},
                                 {"versusColourThreshold", &Thresholds::versusColourThreshold},
                                 {"versusSpeedThreshold", &Thresholds::versusSpeedThreshold}};
  const Thresholds start{};
  for (const Named& named : fields) {
    const int32_t then = before.*named.field;
    const int32_t now = after.*named.field;
    report.Expect(now >= then && now >= start.*named.field, "%s went from %d to %d", named.name,
                  then, now);
  }
}

}  // namespace

void InvariantChecker::Begin(const GameState& state) {
  previous_ = state;
  pairs_.Begin(state);
}

std::string InvariantChecker::Check(const GameState& state) {
  RuleReport report;
  CheckFrameCounts(previous_, state, report);
  CheckWells(state, report);
  CheckCounters(state, report);
  CheckHazards(state, report);
  CheckThresholds(previous_.thresholds, state.thresholds, report);
  pairs_.Check(previous_, state, report);
  previous_ = state;
  return report.Text();
}
