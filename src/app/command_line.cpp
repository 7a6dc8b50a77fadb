// Parsing of the game's options; pure, so that it can be tested without a window.
#include "app/command_line.h"

#include <charconv>

#include "app/version.h"

namespace {

LaunchOptions Refused(const std::string& why) {
  LaunchOptions refused;
  refused.action = LaunchAction::Refuse;
  refused.error = why;
  return refused;
}

// The scale's text as a number, or 0 when it is not a whole number from 1 to LargestScale.
int ScaleFrom(const std::string& text) {
  int scale = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, scale);
  if (error != std::errc() || stop != end || scale < 1 || scale > LargestScale) {
    return 0;
  }
  return scale;
}

// Applies one full-screen answer; a second, different one contradicts the first.
bool Answer(LaunchOptions& options, FullScreenAnswer answer) {
  if (options.fullScreen != FullScreenAnswer::Ask && options.fullScreen != answer) {
    return false;
  }
  options.fullScreen = answer;
  return true;
}

}  // namespace

LaunchOptions ParseCommandLine(const std::vector<std::string>& arguments) {
  LaunchOptions options;
  bool help = false, version = false, writeControls = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument == "--fullscreen" || argument == "--window") {
      const bool full = argument == "--fullscreen";
      if (!Answer(options, full ? FullScreenAnswer::Yes : FullScreenAnswer::No)) {
        return Refused("--fullscreen and --window cannot be given together");
      }
    } else if (argument == "--scale" || argument.starts_with("--scale=")) {
      const bool joined = argument != "--scale";
      if (!joined && i + 1 == arguments.size()) {
        return Refused("--scale needs a number");
      }
      const std::string value = joined ? argument.substr(8) : arguments[++i];
      options.scale = ScaleFrom(value);
      if (options.scale == 0) {
        return Refused("--scale takes a whole number from 1 to " + std::to_string(LargestScale) +
                       ", not '" + value + "'");
      }
    } else if (argument == "--replay" || argument.starts_with("--replay=")) {
      const bool joined = argument != "--replay";
      if (!joined && i + 1 == arguments.size()) {
        return Refused("--replay needs a replay file");
      }
      options.replay = joined ? argument.substr(9) : arguments[++i];
      if (options.replay.empty()) {
        return Refused("--replay needs a replay file");
      }
    } else if (argument == "--write-controls") {
      writeControls = true;
    } else if (argument == "--force") {
      options.force = true;
    } else if (argument.starts_with("-")) {
      return Refused("unknown option '" + argument + "'");
    } else {
      return Refused("unexpected argument '" + argument + "'");
    }
  }
  if (options.force && !writeControls) {
    return Refused("--force goes only with --write-controls");
  }
  // Writing the controls opens no window, so window options would be lost on it.
  if (writeControls && (options.fullScreen != FullScreenAnswer::Ask || options.scale != 0)) {
    return Refused("--write-controls cannot be given with --fullscreen, --window or --scale");
  }
  if (writeControls && !options.replay.empty()) {
    return Refused("--write-controls cannot be given with --replay");
  }
  // A replay is watched in the window unless full screen is asked for.
  if (!options.replay.empty() && options.fullScreen == FullScreenAnswer::Ask) {
    options.fullScreen = FullScreenAnswer::No;
  }
  // Any mistake above refuses the whole line; --help, listing --version too, wins over it.
  if (help || version) {
    options.action = help ? LaunchAction::ShowHelp : LaunchAction::ShowVersion;
  } else if (writeControls) {
    options.action = LaunchAction::WriteControls;
  }
  return options;
}

std::string UsageText() {
  return "usage: astorine [--fullscreen | --window] [--scale N] [--replay FILE]\n"
         "       astorine --write-controls [--force]\n"
         "       astorine --help | --version\n"
         "\n"
         "  --fullscreen      play full screen, without asking first\n"
         "  --window          play in a window, without asking first\n"
         "  --scale N         open the window at N times 640 x 480 (N from 1 to " +
         std::to_string(LargestScale) +
         ")\n"
         "  --replay FILE     show a replay (Pause pauses, Right held plays it four times as "
         "fast,\n"
         "                    F12 ends), then go on to the title\n"
         "  --write-controls  write the keys in use to the controls file and exit\n"
         "  --force           with --write-controls: replace an existing file, keeping its keys\n"
         "  -h, --help        show this help and exit\n"
         "  --version         show the version and exit\n"
         "\n"
         "With no option the game asks whether to play full screen. The controls file is\n"
         "$XDG_CONFIG_HOME/astorine/controls.conf (default ~/.config/astorine/controls.conf).\n"
         "Every game is recorded in $XDG_STATE_HOME/astorine/replays (default\n"
         "~/.local/state/astorine/replays); the newest 50 are kept.\n";
}

std::string VersionText() {
  return std::string("astorine ") + AstorineVersion + "\n";
}
