// The headless runner's command line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PictureRequest {
  long frame;
  std::string path;
};

struct RunnerOptions {
  uint32_t seed = 1;
  long frames = 1;
  bool framesGiven = false;
  std::string keys;
  std::string stateIn;
  std::string stateOut;
  std::vector<PictureRequest> pictures;
  std::string events;
  std::string data;
  bool bench = false;
};

extern const char* const RunnerUsage;

// False with a one-line reason in `error` for a command line that cannot be run.
bool ParseRunnerOptions(int argc, char* argv[], RunnerOptions& options, std::string& error);
