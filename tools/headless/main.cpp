// astorine-headless: the game library without a window, driven by a key script and a seed, with
// pictures, an events log and the state document as its outputs.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/headless_session.h"
#include "app/state_document.h"
#include "bench.h"
#include "event_log.h"
#include "frame_loop.h"
#include "gfx/display_device.h"
#include "invariants.h"
#include "key_script.h"
#include "options.h"
#include "random_keys.h"
#include "scenes/game_state.h"

namespace {

constexpr int ExitRunFailed = 1;
constexpr int ExitBadInput = 2;
constexpr int ExitRuleBroken = 3;
constexpr long BenchFrames = 4000;

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

bool WriteStateOut(const std::string& path) {
  std::string document = WriteStateDocument(Game);
  if (path == "-") {
    std::cout << document << std::flush;
    return true;
  }
  std::ofstream file(path, std::ios::binary);
  file << document;
  return static_cast<bool>(file.flush());
}

struct RunOutcome {
  bool picturesWritten = true;
  bool ruleBroken = false;
};

// Runs the frames, saving the pictures asked for. Under --check the run stops after the first
// frame whose state breaks a rule, which is named on stderr; random keys are chosen before each
// frame from the state it starts with.
RunOutcome RunFrames(const RunnerOptions& options, RandomKeys* randomKeys) {
  RunOutcome outcome;
  InvariantChecker checker;
  checker.Begin(Game);
  long ran = 0;
  bool quit = false;
  while (ran < options.frames && !quit && !outcome.ruleBroken) {
    if (randomKeys != nullptr) {
      randomKeys->ChooseKeys(Game);
    }
    quit = RunNumberedFrame(ran);
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
  for (const PictureRequest& picture : options.pictures) {
    if (picture.frame >= ran && !outcome.ruleBroken) {
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
    if (!ReadStateDocument(stateIn, scratch, error)) {
      return Refuse(options.stateIn + ": " + error);
    }
  }
  if (!options.events.empty() && !OpenEventLog(options.events)) {
    return Refuse(options.events + ": cannot be written");
  }
  UseKeyScript(keys);
  RandomKeys randomKeys(options.randomKeySeed, options.randomStart);
  if (options.randomKeys) {
    UseRandomKeys(randomKeys);
  }
  if (!StartHeadlessGame(argv[0], options.data, options.seed)) {
    return ExitRunFailed;
  }
  if (!options.stateIn.empty()) {
    ReadStateDocument(stateIn, Game, error);
  }
  int status = 0;
  if (options.bench) {
    status = RunBench(options.framesGiven ? options.frames : BenchFrames);
  } else {
    RunOutcome outcome = RunFrames(options, options.randomKeys ? &randomKeys : nullptr);
    status = outcome.ruleBroken ? ExitRuleBroken : outcome.picturesWritten ? 0 : ExitRunFailed;
    if (!options.stateOut.empty() && !WriteStateOut(options.stateOut)) {
      std::fprintf(stderr, "astorine-headless: %s could not be written\n",
                   options.stateOut.c_str());
      status = status == ExitRuleBroken ? status : ExitRunFailed;
    }
  }
  CloseEventLog();
  StopHeadlessGame();
  return status;
}
