#include "program/online_plan.h"

#include <optional>

#include "net/room_code.h"
#include "program/lobby_address.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

// The lobby's address from the first place that gives one; nullopt when none does. --lobby was
// checked with the command line and the settings file's lobby by its reader: only the variable
// can be wrong here, which `error` then says.
std::optional<LobbyAddress> ChooseLobby(const LaunchOptions& options, const char* lobbyVariable,
                                        const std::string& lobbySetting, std::string& error) {
  if (options.lobby == NoLobbyWord) {
    return std::nullopt;
  }
  if (!options.lobby.empty()) {
    return ReadLobbyAddress(options.lobby);
  }
  if (lobbyVariable != nullptr && *lobbyVariable != '\0') {
    std::optional<LobbyAddress> address = ReadLobbyAddress(lobbyVariable);
    if (!address) {
      error = Formatted(Tr("%s takes HOST or HOST:PORT (a port from 1 to 65535), not '%s'"),
                        "ASTORINE_LOBBY", lobbyVariable);
    }
    return address;
  }
  return ReadLobbyAddress(lobbySetting);
}

}  // namespace

OnlinePlan PlanOnline(const LaunchOptions& options, const char* lobbyVariable,
                      const std::string& lobbySetting) {
  OnlinePlan plan;
  OnlineSettings& settings = plan.settings;
  settings.hosting = options.online == OnlineRole::Host;
  // A host given by name is joined directly, whatever the lobby.
  if (!options.onlineHost.empty()) {
    settings.hostName = options.onlineHost;
    settings.port = options.onlinePort;
    return plan;
  }
  const std::optional<LobbyAddress> lobby =
      ChooseLobby(options, lobbyVariable, lobbySetting, plan.error);
  if (!plan.error.empty()) {
    return plan;
  }
  if (!lobby && settings.hosting) {
    settings.port = options.onlinePort != 0 ? options.onlinePort : DefaultOnlinePort;
  } else if (!lobby && !options.roomCode.empty()) {
    plan.error = Formatted(
        Tr("'%s' reads as a room code, which needs a lobby: --lobby HOST, ASTORINE_LOBBY or "
           "lobby = in settings.conf (a host of that name is written '%s.' or with its port)"),
        options.roomCode.c_str(), options.roomCode.c_str());
  } else if (!lobby) {
    plan.error =
        Tr("--join without a host types the room code in the window, which needs a lobby: "
           "--lobby HOST, ASTORINE_LOBBY or lobby = in settings.conf");
  } else {
    settings.lobbyName = lobby->host;
    settings.lobbyPort = lobby->port;
    settings.port = options.onlinePort;  // the host's game port; 0 takes any free one
    settings.roomCode = CanonicalRoomCode(options.roomCode);
    plan.typeCode = !settings.hosting && options.roomCode.empty();
  }
  return plan;
}
