// The lobby's address as a player writes it, HOST or HOST:PORT, on the command line, in
// ASTORINE_LOBBY or in the settings file.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "net/lobby_protocol.h"

struct LobbyAddress {
  std::string host;
  uint16_t port = DefaultLobbyPort;
};

// A host name or IPv4 address (letters, digits, dots, dashes and underscores, as the settings
// file takes them), then perhaps ":PORT" from 1 to 65535; nullopt for anything else.
std::optional<LobbyAddress> ReadLobbyAddress(std::string_view text);
// "HOST:PORT", as the screens and the session's lines write it.
std::string LobbyAddressText(const LobbyAddress& address);
