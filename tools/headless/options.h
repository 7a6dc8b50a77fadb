// The headless runner's command line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "random_keys.h"

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
  bool check = false;       // test the state after every frame
  bool randomKeys = false;  // keys from the runner's own generator instead of a script
  uint32_t randomKeySeed = 0;
  StartChoice randomStart;  // how the title starts each game under random keys
  bool randomStartGiven = false;
  std::string record;   // the replay of this run is written here
  std::string replay;   // the replay this run plays
  bool verify = false;  // compare the replay's state hashes
  // One online match: hosting on hostPort, or joining joinHost:joinPort; `speed` times the pace.
  // With a lobby, the host asks it for a room and the guest joins the room of joinCode.
  bool online = false;
  bool hosting = false;
  uint16_t port = 0;
  std::string joinHost;
  std::string joinText;  // --join's value, read once the whole line is known
  std::string lobbyHost;
  uint16_t lobbyPort = 0;
  std::string joinCode;
  uint32_t speed = 1;
  bool speedGiven = false;
  // The texts the game draws: the game's own Japanese (ja, the default, whatever the locale) or a
  // catalog's translation (en).
  std::string language = "ja";
};

extern const char* const RunnerUsage;

// False with a one-line reason in `error` for a command line that cannot be run.
bool ParseRunnerOptions(int argc, char* argv[], RunnerOptions& options, std::string& error);
