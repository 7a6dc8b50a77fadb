// Parsing the headless runner's options.
#include "options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>

#include "net/room_code.h"
#include "replay/replay.h"

const char* const RunnerUsage =
    "usage: astorine-headless [--seed N] [--frames N] [--keys FILE] [--state-in FILE]\n"
    "                         [--state-out FILE|-] [--png N:FILE]... [--events FILE|-]\n"
    "                         [--data DIR] [--bench] [--check]\n"
    "                         [--random-keys SEED [--random-mode MODE]]\n"
    "                         [--record FILE] [--replay FILE [--verify]]\n"
    "                         [--host PORT | --join HOST:PORT] [--speed N]\n"
    "                         [--lobby HOST:PORT [--host PORT | --join CODE]]\n"
    "                         [--language ja|en]\n"
    "MODE: solo, two or computer, alone or with -hard or -test (solo-hard, two-test...), or any\n"
    "exit: 0 done, 1 output not written, 2 bad input, 3 a state rule broke under --check,\n"
    "      4 a replayed state differs from the replay's under --verify,\n"
    "      5 an online match ended before its end (the opponent left, went silent, refused),\n"
    "      6 an online match went out of step (desync)\n";

namespace {

bool ParseNumber(const char* text, unsigned long long limit, unsigned long long& value) {
  if (text == nullptr || *text < '0' || *text > '9') {
    return false;
  }
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(text, &end, 10);
  return errno == 0 && *end == '\0' && value <= limit;
}

// --join's value: a room code with a lobby, HOST:PORT without.
bool ReadJoin(RunnerOptions& options, std::string& error) {
  if (!options.lobbyHost.empty()) {
    options.joinCode = CanonicalRoomCode(options.joinText);
    if (options.joinCode.empty()) {
      error = "--join with --lobby takes a room code, as in K7QF2M";
      return false;
    }
    return true;
  }
  const size_t colon = options.joinText.rfind(':');
  unsigned long long number = 0;
  if (colon == 0 || colon == std::string::npos ||
      !ParseNumber(options.joinText.c_str() + colon + 1, 65535, number)) {
    error = "--join takes HOST:PORT, as in 127.0.0.1:7491";
    return false;
  }
  options.joinHost = options.joinText.substr(0, colon);
  options.port = static_cast<uint16_t>(number);
  return true;
}

// Options that cannot work together.
bool CheckCombination(const RunnerOptions& options, std::string& error) {
  if (!options.lobbyHost.empty() && !options.online) {
    error = "--lobby needs --host or --join";
    return false;
  }
  if (options.randomKeys && !options.keys.empty()) {
    error = "--keys and --random-keys exclude each other";
    return false;
  }
  if (options.randomStartGiven && !options.randomKeys) {
    error = "--random-mode needs --random-keys";
    return false;
  }
  if (options.bench && (options.check || options.randomKeys)) {
    error = "--bench takes neither --check nor --random-keys";
    return false;
  }
  if (!options.replay.empty() &&
      (!options.keys.empty() || options.randomKeys || !options.stateIn.empty() || options.bench)) {
    error = "--replay takes neither --keys, --random-keys, --state-in nor --bench";
    return false;
  }
  if (!options.record.empty() && (!options.replay.empty() || options.bench)) {
    error = "--record takes neither --replay nor --bench";
    return false;
  }
  if (!options.record.empty() && options.frames > static_cast<long>(MaxReplayFrames)) {
    error = "--record keeps at most " + std::to_string(MaxReplayFrames) + " frames (ten hours)";
    return false;
  }
  if (options.verify && options.replay.empty()) {
    error = "--verify needs --replay";
    return false;
  }
  if (options.online && (!options.replay.empty() || !options.stateIn.empty() || options.bench ||
                         !options.pictures.empty() || options.check)) {
    error = "--host and --join take neither --replay, --state-in, --bench, --png nor --check";
    return false;
  }
  if (options.speedGiven && options.bench) {
    error = "--speed and --bench exclude each other";
    return false;
  }
  return true;
}

}  // namespace

bool ParseRunnerOptions(int argc, char* argv[], RunnerOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--bench" || option == "--check" || option == "--verify") {
      (option == "--bench"   ? options.bench
       : option == "--check" ? options.check
                             : options.verify) = true;
      continue;
    }
    static const std::set<std::string> valueOptions = {
        "--seed",   "--frames", "--png",         "--keys",        "--state-in", "--state-out",
        "--events", "--data",   "--random-keys", "--random-mode", "--record",   "--replay",
        "--host",   "--join",   "--speed",       "--language",    "--lobby"};
    if (valueOptions.count(option) == 0) {
      error = "unknown option " + option;
      return false;
    }
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (value == nullptr) {
      error = option + " needs a value";
      return false;
    }
    ++i;
    unsigned long long number = 0;
    if (option == "--seed") {
      if (!ParseNumber(value, 0xFFFFFFFFull, number)) {
        error = "--seed takes a number from 0 to 4294967295";
        return false;
      }
      options.seed = static_cast<uint32_t>(number);
    } else if (option == "--frames") {
      if (!ParseNumber(value, 1000000000ull, number)) {
        error = "--frames takes a number from 0 to 1000000000";
        return false;
      }
      options.frames = static_cast<long>(number);
      options.framesGiven = true;
    } else if (option == "--png") {
      const char* colon = std::strchr(value, ':');
      std::string frame = colon != nullptr ? std::string(value, colon) : "";
      if (!ParseNumber(frame.c_str(), 1000000000ull, number) || colon[1] == '\0') {
        error = "--png takes FRAME:FILE, as in 99:title.png";
        return false;
      }
      options.pictures.push_back({static_cast<long>(number), colon + 1});
    } else if (option == "--random-keys") {
      if (!ParseNumber(value, 0xFFFFFFFFull, number)) {
        error = "--random-keys takes a seed from 0 to 4294967295";
        return false;
      }
      options.randomKeys = true;
      options.randomKeySeed = static_cast<uint32_t>(number);
    } else if (option == "--random-mode") {
      if (!ParseStartChoice(value, options.randomStart)) {
        error = std::string("--random-mode does not know \"") + value + "\"";
        return false;
      }
      options.randomStartGiven = true;
    } else if (option == "--host" || option == "--join") {
      const bool hosting = option == "--host";
      if (options.online || (hosting && !ParseNumber(value, 65535, number))) {
        error = options.online ? "--host and --join exclude each other"
                               : "--host takes a port from 0 to 65535 (0: any free one)";
        return false;
      }
      options.online = true;
      options.hosting = hosting;
      options.port = hosting ? static_cast<uint16_t>(number) : 0;
      options.joinText = hosting ? "" : value;
    } else if (option == "--lobby") {
      const std::string text = value;
      const size_t colon = text.rfind(':');
      if (colon == 0 || colon == std::string::npos ||
          !ParseNumber(text.c_str() + colon + 1, 65535, number) || number == 0) {
        error = "--lobby takes HOST:PORT, as in 127.0.0.1:7490";
        return false;
      }
      options.lobbyHost = text.substr(0, colon);
      options.lobbyPort = static_cast<uint16_t>(number);
    } else if (option == "--speed") {
      if (!ParseNumber(value, 100, number) || number == 0) {
        error = "--speed takes a number from 1 to 100";
        return false;
      }
      options.speed = static_cast<uint32_t>(number);
      options.speedGiven = true;
    } else if (option == "--keys") {
      options.keys = value;
    } else if (option == "--state-in") {
      options.stateIn = value;
    } else if (option == "--state-out") {
      options.stateOut = value;
    } else if (option == "--record") {
      options.record = value;
    } else if (option == "--replay") {
      options.replay = value;
    } else if (option == "--events") {
      options.events = value;
    } else if (option == "--language") {
      options.language = value;
      if (options.language != "ja" && options.language != "en") {
        error = "--language takes ja or en";
        return false;
      }
    } else {  // --data
      options.data = value;
    }
  }
  if (options.online && !options.hosting && !ReadJoin(options, error)) {
    return false;
  }
  return CheckCombination(options, error);
}
