// The lobby's command line: where it listens and its limits.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "address_limits.h"
#include "net/lobby_protocol.h"
#include "rooms.h"

struct LobbyOptions {
  std::string address = "0.0.0.0";   // IPv4, dotted
  uint16_t port = DefaultLobbyPort;  // 0: any free port
  int maxClients = 4000;             // ENet's peers, 4095 at most
  int clientsPerAddress = 16;
  RoomRules rooms;
  AddressRules addresses;
};

enum class LobbyCommand { Run, Help, Version, Bad };

struct ParsedLobbyCommand {
  LobbyCommand command = LobbyCommand::Run;
  LobbyOptions options;
  std::string error;  // Bad: one line
};

// The arguments after the program's name.
ParsedLobbyCommand ParseLobbyCommand(const std::vector<std::string>& arguments);

extern const char* const LobbyUsage;
