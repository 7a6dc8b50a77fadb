#include "program/window_replay.h"

#include <cstdio>
#include <optional>

#include "program/frame_driver.h"
#include "program/window_trace.h"
#include "replay/replay_file.h"
#include "replay/replay_player.h"
#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "scenes/scene_state.h"
#include "services/keyboard.h"
#include "services/random.h"
#include "sound/sound.h"

namespace {

constexpr int FastForwardFrames = 4;

std::string replayPath;
Replay replay;
std::optional<ReplayPlayer> player;
bool mismatchReported = false;
// Where the game returns when the replay is over: the title, as the program started.
GameState programStart;
RandomState programStartRandom;

void CheckFrame() {
  HashMismatch mismatch;
  if (!player->FrameRan(Game, Random, mismatch) && !mismatchReported) {
    mismatchReported = true;
    std::fprintf(stderr, "astorine: %s: %s\n", replayPath.c_str(),
                 DescribeMismatch(mismatch).c_str());
  }
}

void BackToTitle() {
  player.reset();
  TraceStep(mismatchReported ? "replay over, a recorded state differed"
                             : "replay over, every recorded state matched");
  for (int id = 0; id < SoundCount; ++id) {
    StopSound(static_cast<SoundId>(id));
  }
  Game = programStart;
  Random = programStartRandom;
  StartSound(SndTitleBgm, 1);
}

}  // namespace

bool LoadWindowReplay(const std::string& path) {
  std::string error;
  if (!ReadReplayFile(path, replay, error)) {
    std::fprintf(stderr, "astorine: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  replayPath = path;
  return true;
}

void StartWindowReplay() {
  if (replayPath.empty()) {
    return;
  }
  programStart = Game;
  programStartRandom = Random;
  player.emplace(replay);
  player->Start(Game, Random);
  // A replay begun in play (a headless recording from a state document) plays to the play tune.
  if (Game.CurrentScene == SceneSolo || Game.CurrentScene == SceneSoloChain ||
      Game.CurrentScene == SceneVersus) {
    StopSound(SndTitleBgm);
    StartSound(SndPlayBgm, 1);
  }
  if (player->Done()) {
    BackToTitle();
  }
}

bool ShowingReplay() {
  return player.has_value();
}

void RunReplayFrames(const InputFrame& local) {
  const int frames = local.Held(KeyRight) ? FastForwardFrames : 1;
  for (int i = 0; i < frames && player.has_value(); ++i) {
    const InputFrame& keys = player->NextFrame();
    SetFrameInput(keys);
    TraceKeysHeld(keys);
    const int32_t scene = Game.CurrentScene;
    // Only the last of a fast-forwarded group is paced and shown.
    if (i + 1 < frames && !player->Done()) {
      StepFrame();
    } else {
      RunFrame();
    }
    TraceSceneChange(scene, Game.CurrentScene);
    CheckFrame();
    if (player->Done()) {
      BackToTitle();
    }
  }
}
