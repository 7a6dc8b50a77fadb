// Parsing of the game's options; pure, so that it can be tested without a window.
#include "program/command_line.h"

#include <charconv>

#include "net/online_session.h"
#include "net/room_code.h"
#include "program/lobby_address.h"
#include "program/version.h"
#include "services/formatted.h"
#include "services/texts.h"

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

// The port's text as a number, or 0 when it is not a whole number from 1 to 65535.
uint16_t PortFrom(const std::string& text) {
  unsigned port = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, port);
  if (error != std::errc() || stop != end || port < 1 || port > 65535) {
    return 0;
  }
  return static_cast<uint16_t>(port);
}

// "--host", "--host PORT" or "--host=PORT"; advances `i` past a port given apart.
bool ReadHost(const std::vector<std::string>& arguments, size_t& i, LaunchOptions& options,
              std::string& error) {
  const std::string& argument = arguments[i];
  std::string port;
  if (argument != "--host") {
    port = argument.substr(7);
  } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-")) {
    port = arguments[++i];
  }
  options.online = OnlineRole::Host;
  if (port.empty() && argument == "--host") {
    return true;  // the port is chosen once the lobby is known
  }
  options.onlinePort = PortFrom(port);
  if (options.onlinePort == 0) {
    error = Formatted(Tr("--host takes a port from 1 to 65535, not '%s'"), port.c_str());
    return false;
  }
  return true;
}

// A bare word of RoomCodeLength characters of the code's alphabet, case and look-alikes forgiven;
// anything else (a dot, a port, another length) names a host.
bool IsRoomCodeWord(const std::string& value) {
  return value.size() == RoomCodeLength && !CanonicalRoomCode(value).empty();
}

// "--join", "--join VALUE" or "--join=VALUE", VALUE a room code or HOST[:PORT]; advances `i` past
// a value given apart.
bool ReadJoin(const std::vector<std::string>& arguments, size_t& i, LaunchOptions& options,
              std::string& error) {
  const std::string& argument = arguments[i];
  std::string value;
  if (argument != "--join") {
    value = argument.substr(7);
  } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-")) {
    value = arguments[++i];
  }
  options.online = OnlineRole::Join;
  if (value.empty() && argument == "--join") {
    return true;
  }
  if (IsRoomCodeWord(value)) {
    options.roomCode = value;
    return true;
  }
  const size_t colon = value.rfind(':');
  options.onlineHost = value.substr(0, colon);
  options.onlinePort =
      colon == std::string::npos ? DefaultOnlinePort : PortFrom(value.substr(colon + 1));
  if (options.onlineHost.empty() || options.onlinePort == 0) {
    error = Formatted(
        Tr("--join takes a room code, HOST or HOST:PORT (a port from 1 to 65535), not '%s'"),
        value.c_str());
    return false;
  }
  return true;
}

// "--lobby HOST[:PORT]" or "--lobby=HOST[:PORT]"; advances `i` past a value given apart.
bool ReadLobbyOption(const std::vector<std::string>& arguments, size_t& i, LaunchOptions& options,
                     std::string& error) {
  const std::string& argument = arguments[i];
  if (!options.lobby.empty()) {
    error = Tr("--lobby can be given only once");
    return false;
  }
  if (argument == "--lobby" && (i + 1 == arguments.size() || arguments[i + 1].starts_with("-"))) {
    error = Tr("--lobby needs HOST or HOST:PORT");
    return false;
  }
  options.lobby = argument == "--lobby" ? arguments[++i] : argument.substr(8);
  if (!ReadLobbyAddress(options.lobby)) {
    error = Formatted(Tr("%s takes HOST or HOST:PORT (a port from 1 to 65535), not '%s'"),
                      "--lobby", options.lobby.c_str());
    return false;
  }
  return true;
}

}  // namespace

LaunchOptions ParseCommandLine(const std::vector<std::string>& arguments) {
  LaunchOptions options;
  bool writeSettings = false;
  bool help = false, version = false, writeControls = false, records = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument == "--fullscreen" || argument == "--window") {
      const bool full = argument == "--fullscreen";
      if (!Answer(options, full ? FullScreenAnswer::Yes : FullScreenAnswer::No)) {
        return Refused(Tr("--fullscreen and --window cannot be given together"));
      }
    } else if (argument == "--scale" || argument.starts_with("--scale=")) {
      const bool joined = argument != "--scale";
      if (!joined && i + 1 == arguments.size()) {
        return Refused(Tr("--scale needs a number"));
      }
      const std::string value = joined ? argument.substr(8) : arguments[++i];
      options.scale = ScaleFrom(value);
      if (options.scale == 0) {
        return Refused(Formatted(Tr("--scale takes a whole number from 1 to %d, not '%s'"),
                                 LargestScale, value.c_str()));
      }
    } else if (argument == "--replay" || argument.starts_with("--replay=")) {
      const bool joined = argument != "--replay";
      if (!joined && i + 1 == arguments.size()) {
        return Refused(Tr("--replay needs a replay file"));
      }
      options.replay = joined ? argument.substr(9) : arguments[++i];
      if (options.replay.empty()) {
        return Refused(Tr("--replay needs a replay file"));
      }
    } else if (argument == "--host" || argument.starts_with("--host=") || argument == "--join" ||
               argument.starts_with("--join=")) {
      if (options.online != OnlineRole::None) {
        return Refused(Tr("--host and --join can be given only once, and not together"));
      }
      std::string error;
      const bool read = argument.starts_with("--host") ? ReadHost(arguments, i, options, error)
                                                       : ReadJoin(arguments, i, options, error);
      if (!read) {
        return Refused(error);
      }
    } else if (argument == "--lobby" || argument.starts_with("--lobby=")) {
      std::string error;
      if (!ReadLobbyOption(arguments, i, options, error)) {
        return Refused(error);
      }
    } else if (argument == "--write-controls") {
      writeControls = true;
    } else if (argument == "--write-settings") {
      writeSettings = true;
    } else if (argument == "--force") {
      options.force = true;
    } else if (argument == "--records") {
      records = true;
    } else if (argument.starts_with("-")) {
      return Refused(Formatted(Tr("unknown option '%s'"), argument.c_str()));
    } else {
      return Refused(Formatted(Tr("unexpected argument '%s'"), argument.c_str()));
    }
  }
  // The lobby only serves meeting an opponent: given alone it would be lost.
  if (!options.lobby.empty() && options.online == OnlineRole::None) {
    return Refused(Tr("--lobby goes only with --host or --join"));
  }
  if (writeControls && writeSettings) {
    return Refused(Tr("--write-controls and --write-settings cannot be given together"));
  }
  if (options.force && !writeControls && !writeSettings) {
    return Refused(Tr("--force goes only with --write-controls or --write-settings"));
  }
  // Writing the settings opens no window and plays nothing, so any such option would be lost.
  if (writeSettings && (options.fullScreen != FullScreenAnswer::Ask || options.scale != 0 ||
                        !options.replay.empty() || options.online != OnlineRole::None || records)) {
    return Refused(
        Tr("--write-settings cannot be given with --fullscreen, --window, --scale, "
           "--replay, --host, --join or --records"));
  }
  // The records are listed without a window, and nothing else is done beside them.
  if (records && (options.fullScreen != FullScreenAnswer::Ask || options.scale != 0 ||
                  !options.replay.empty() || options.online != OnlineRole::None || writeControls)) {
    return Refused(
        Tr("--records cannot be given with --fullscreen, --window, --scale, --replay, "
           "--host, --join or --write-controls"));
  }
  // Writing the controls opens no window, so window options would be lost on it.
  if (writeControls && (options.fullScreen != FullScreenAnswer::Ask || options.scale != 0)) {
    return Refused(Tr("--write-controls cannot be given with --fullscreen, --window or --scale"));
  }
  if (writeControls && !options.replay.empty()) {
    return Refused(Tr("--write-controls cannot be given with --replay"));
  }
  if (options.online != OnlineRole::None && (writeControls || !options.replay.empty())) {
    return Refused(Tr("--host and --join cannot be given with --write-controls or --replay"));
  }
  // A replay is watched, and an online match played, in the window unless full screen is asked
  // for.
  const bool noQuestion = !options.replay.empty() || options.online != OnlineRole::None;
  if (noQuestion && options.fullScreen == FullScreenAnswer::Ask) {
    options.fullScreen = FullScreenAnswer::No;
  }
  // Any mistake above refuses the whole line; --help, listing --version too, wins over it.
  if (help || version) {
    options.action = help ? LaunchAction::ShowHelp : LaunchAction::ShowVersion;
  } else if (writeControls) {
    options.action = LaunchAction::WriteControls;
  } else if (writeSettings) {
    options.action = LaunchAction::WriteSettings;
  } else if (records) {
    options.action = LaunchAction::ShowRecords;
  }
  return options;
}

// Four blocks, each translated whole: the forms of the command, the options, online play, the
// files.
std::string UsageText() {
  std::string text =
      Tr("usage: astorine [--fullscreen | --window] [--scale N] [--replay FILE]\n"
         "       astorine [--fullscreen | --window] [--scale N] [--lobby HOST[:PORT]]\n"
         "                --host [PORT] | --join [CODE | HOST[:PORT]]\n"
         "       astorine --write-controls [--force]\n"
         "       astorine --write-settings [--force]\n"
         "       astorine --records\n"
         "       astorine --help | --version\n");
  text += "\n";
  text += Formatted(
      Tr("  --fullscreen      play full screen, without asking first\n"
         "  --window          play in a window, without asking first\n"
         "  --scale N         open the window at N times 640 x 480 (N from 1 to %d)\n"
         "  --replay FILE     show a replay (Pause pauses, Right held plays it four times as "
         "fast,\n"
         "                    F12 ends), then go on to the title\n"
         "  --host [PORT]     wait for an opponent to play online, on UDP port PORT (%d; with a\n"
         "                    lobby, any free port): the lobby gives a room code to pass on\n"
         "  --join [CODE | HOST[:PORT]]\n"
         "                    play online in the room CODE, or against the game hosted at HOST;\n"
         "                    with neither, type the room code in the window\n"
         "  --lobby HOST[:PORT]\n"
         "                    meet the opponent through the lobby at HOST (UDP port %d);\n"
         "                    --lobby none meets directly, whatever lobby is set\n"
         "  --write-controls  write the keys in use to the controls file and exit\n"
         "  --write-settings  write the settings in use to the settings file and exit\n"
         "  --force           with --write-controls or --write-settings: replace an existing\n"
         "                    file, keeping what it holds\n"
         "  --records         list the best distances and the wins and losses, and exit\n"
         "  -h, --help        show this help and exit\n"
         "  --version         show the version and exit\n"),
      LargestScale, static_cast<int>(DefaultOnlinePort), static_cast<int>(DefaultLobbyPort));
  text += "\n";
  text +=
      Tr("A room code is six letters and digits, as in K7QF2M; case and the look-alikes O and\n"
         "I or L are forgiven. Any other word is a host: a host named like a code is written\n"
         "with a trailing dot or its port (--join server. or --join server:7491). The lobby is\n"
         "--lobby's, else $ASTORINE_LOBBY's, else the settings file's lobby = HOST[:PORT].\n");
  text += "\n";
  text +=
      Tr("With no option the game asks whether to play full screen. The controls file is\n"
         "$XDG_CONFIG_HOME/astorine/controls.conf (default ~/.config/astorine/controls.conf),\n"
         "the settings file settings.conf beside it.\n"
         "Every game is recorded in $XDG_STATE_HOME/astorine/replays (default\n"
         "~/.local/state/astorine/replays); the newest 50 are kept.\n");
  return text;
}

std::string VersionText() {
  return std::string("astorine ") + AstorineVersion + "\n";
}
