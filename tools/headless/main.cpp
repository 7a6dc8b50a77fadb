// astorine-headless: the game library without a window, driven by a key script, random keys or a
// replay, with pictures, an events log, the state document and a replay as its outputs.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "bench.h"
#include "event_log.h"
#include "frame_loop.h"
#include "invariants.h"
#include "key_script.h"
#include "online_run.h"
#include "options.h"
#include "platform/data_folder.h"
#include "platform/display_device.h"
#include "platform/frame_clock.h"
#include "platform/message_catalog.h"
#include "program/frame_driver.h"
#include "program/headless_session.h"
#include "random_keys.h"
#include "replay_session.h"
#include "scenes/game_state.h"
#include "services/input_frame.h"
#include "services/random.h"
#include "state/state_document.h"
#include "state_out.h"

namespace {

constexpr int ExitRunFailed = 1;
constexpr int ExitBadInput = 2;
constexpr int ExitRuleBroken = 3;
constexpr int ExitReplayDiffers = 4;
constexpr long BenchFrames = 4000;

// --speed without a match: the real clock, N times the game's pace, as a window paces it.
uint32_t paceSpeed = 1;
double PacedNow() {
  return NowSeconds() * paceSpeed;
}
void PacedWaitUntil(double deadline) {
  SleepThenSpinUntil(deadline / paceSpeed);
}

int Refuse(const std::string& error) {
  std::fprintf(stderr, "astorine-headless: %s\n", error.c_str());
  return ExitBadInput;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  text = contents.str();
  return static_cast<bool>(file);
}

struct RunOutcome {
  bool picturesWritten = true;
  bool ruleBroken = false;
  bool replayDiffers = false;
};

// The keys of the frame about to run: the replay's, the random keys chosen from the state it
// starts with, or the script's.
InputFrame KeysOfFrame(long frame, RandomKeys* randomKeys, ReplaySession& replay) {
  if (replay.Playing()) {
    return replay.NextFrame();
  }
  if (randomKeys != nullptr) {
    randomKeys->ChooseKeys(Game);
    return randomKeys->Frame();
  }
  return ScriptedFrame(frame);
}

// Runs the frames, saving the pictures asked for. Under --check the run stops after the first
// frame whose state breaks a rule, under --verify after the first whose state differs from the
// replay's; either is named on stderr. A replay's frames all run unless --frames says fewer.
RunOutcome RunFrames(const RunnerOptions& options, RandomKeys* randomKeys, ReplaySession& replay) {
  RunOutcome outcome;
  InvariantChecker checker;
  checker.Begin(Game);
  long ran = 0;
  bool quit = false;
  long frames = replay.Playing() && !options.framesGiven ? MaxReplayFrames : options.frames;
  while (ran < frames && !replay.Ended() && !quit && !outcome.ruleBroken &&
         !outcome.replayDiffers) {
    InputFrame keys = KeysOfFrame(ran, randomKeys, replay);
    replay.Record(keys);
    quit = RunNumberedFrame(ran, keys);
    outcome.replayDiffers = !replay.FrameRan();
    for (const PictureRequest& picture : options.pictures) {
      if (picture.frame == ran && SaveBackBufferPng(picture.path.c_str()) == 0) {
        std::fprintf(stderr, "astorine-headless: %s could not be written\n", picture.path.c_str());
        outcome.picturesWritten = false;
      }
    }
    if (options.check) {
      std::string broken = checker.Check(Game);
      if (!broken.empty()) {
        std::fprintf(stderr, "astorine-headless: frame %ld: %s\n", ran, broken.c_str());
        outcome.ruleBroken = true;
      }
    }
    ++ran;
  }
  if (!outcome.ruleBroken && !outcome.replayDiffers) {
    outcome.replayDiffers = !replay.PlayedToTheEnd(ran);
  }
  for (const PictureRequest& picture : options.pictures) {
    if (picture.frame >= ran && !outcome.ruleBroken && !outcome.replayDiffers) {
      std::fprintf(stderr, "astorine-headless: frame %ld never ran, %s not written\n",
                   picture.frame, picture.path.c_str());
      outcome.picturesWritten = false;
    }
  }
  return outcome;
}

}  // namespace

int main(int argc, char* argv[]) {
  RunnerOptions options;
  std::string error;
  if (!ParseRunnerOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "astorine-headless: %s\n%s", error.c_str(), RunnerUsage);
    return ExitBadInput;
  }
  // Japanese is the game's own text and needs no catalog.
  if (options.language == "en") {
    UseLanguage(Language::English, ExecutableFolder(argv[0]));
  }
  KeyScript keys;
  if (!options.keys.empty() && !keys.Load(options.keys, error)) {
    return Refuse(error);
  }
  std::string stateIn;
  if (!options.stateIn.empty()) {
    if (!ReadWholeFile(options.stateIn, stateIn)) {
      return Refuse(options.stateIn + ": cannot be read");
    }
    // Checked before start-up, so that a bad document is the only thing said.
    GameState scratch;
    RandomState scratchRandom;
    if (!ReadStateDocument(stateIn, scratch, scratchRandom, error)) {
      return Refuse(options.stateIn + ": " + error);
    }
  }
  ReplaySession replay(options);
  if (!replay.Load(error)) {
    return Refuse(error);
  }
  if (!options.events.empty() && !OpenEventLog(options.events)) {
    return Refuse(options.events + ": cannot be written");
  }
  UseKeyScript(keys);
  RandomKeys randomKeys(options.randomKeySeed, options.randomStart);
  if (!StartHeadlessGame(argv[0], options.data, options.seed)) {
    return ExitRunFailed;
  }
  if (!options.stateIn.empty()) {
    ReadStateDocument(stateIn, Game, Random, error);
  }
  replay.Start();
  if (options.speedGiven && !options.online) {
    paceSpeed = options.speed;
    SetFrameClock({PacedNow, PacedWaitUntil});
    ResetFrameDriver();
  }
  int status = 0;
  if (options.online) {
    status = RunOnlineMatch(options, options.randomKeys ? &randomKeys : nullptr);
  } else if (options.bench) {
    status = RunBench(options.framesGiven ? options.frames : BenchFrames);
  } else {
    RunOutcome outcome = RunFrames(options, options.randomKeys ? &randomKeys : nullptr, replay);
    status = outcome.ruleBroken        ? ExitRuleBroken
             : outcome.replayDiffers   ? ExitReplayDiffers
             : outcome.picturesWritten ? 0
                                       : ExitRunFailed;
    bool written = replay.SaveRecording();
    if (!options.stateOut.empty() && !WriteStateOut(options.stateOut)) {
      std::fprintf(stderr, "astorine-headless: %s could not be written\n",
                   options.stateOut.c_str());
      written = false;
    }
    status = status == 0 && !written ? ExitRunFailed : status;
  }
  CloseEventLog();
  StopHeadlessGame();
  return status;
}
