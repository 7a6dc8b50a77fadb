// How the window meets its opponent, from the command line and the lobby's address: --lobby's,
// else ASTORINE_LOBBY's, else the settings file's.
#pragma once
#include <string>

#include "net/online_session.h"
#include "program/command_line.h"

struct OnlinePlan {
  OnlineSettings settings;  // the role, the host or the room, the ports and the lobby
  bool typeCode = false;    // the guest types the room code in the window
  std::string error;        // why online play cannot start, one line (exit code 2)
};

// "--lobby none": meet directly for this run, whatever the variable or the settings file name. A
// lobby host of that name is written "none." or with its port.
inline constexpr const char* NoLobbyWord = "none";

// `lobbyVariable`: ASTORINE_LOBBY's value, nullptr when it is not set (empty counts as not set);
// `lobbySetting`: the settings file's lobby, empty for none.
OnlinePlan PlanOnline(const LaunchOptions& options, const char* lobbyVariable,
                      const std::string& lobbySetting);
