#include "lobby_options.h"

#include <arpa/inet.h>

#include <charconv>

const char* const LobbyUsage =
    "usage: astorine-lobby [OPTION]...\n"
    "The lobby of Astorine's online matches: it hands out room codes, tells two players each\n"
    "other's addresses so that they can open a direct path, and relays a match when none opens.\n"
    "\n"
    "  --address A              listen on this IPv4 address (default 0.0.0.0)\n"
    "  --port N                 listen on this UDP port (default 7490; 0: any free port)\n"
    "  --max-clients N          connections at once, 1..4095 (default 4000)\n"
    "  --clients-per-address N  connections at once from one IP address (default 16)\n"
    "  --max-rooms N            rooms at once (default 10000)\n"
    "  --max-relays N           relayed matches at once, 0 for none (default 500)\n"
    "  --room-minutes N         how long a room waits for its guest, 1..10 (default 10)\n"
    "  --relay-minutes N        how long a relayed match may last (default 120)\n"
    "  --relay-megabytes N      bytes a relayed match may send, in MiB (default 32)\n"
    "  --relay-packets N        packets a second each player may relay (default 240)\n"
    "  --rooms-per-minute N     rooms one IP address may open a minute (default 10)\n"
    "  --joins-per-minute N     room codes one IP address may try a minute (default 20)\n"
    "  --max-addresses N        IP addresses whose pace is remembered (default 65536)\n"
    "  --help                   show this help and exit\n"
    "  --version                show the version and exit\n"
    "\n"
    "Options take their value as the next argument or after '=' (--port=7490).\n"
    "Room events go to stderr, one line each; SIGUSR1 writes the counts, SIGTERM stops.\n"
    "Exit: 0 stopped by a signal, 1 cannot listen, 2 bad command line.\n";

namespace {

struct NumberOption {
  const char* name;
  int lowest;
  int highest;
  int& (*field)(LobbyOptions&);
};

const NumberOption NumberOptions[] = {
    {"--max-clients", 1, 4095, [](LobbyOptions& o) -> int& { return o.maxClients; }},
    {"--clients-per-address", 1, 4095, [](LobbyOptions& o) -> int& { return o.clientsPerAddress; }},
    {"--max-rooms", 1, 1000000, [](LobbyOptions& o) -> int& { return o.rooms.maxRooms; }},
    {"--max-relays", 0, 100000, [](LobbyOptions& o) -> int& { return o.rooms.maxRelays; }},
    {"--room-minutes", 1, 10, [](LobbyOptions& o) -> int& { return o.rooms.roomMinutes; }},
    {"--relay-minutes", 1, 1440, [](LobbyOptions& o) -> int& { return o.rooms.relayMinutes; }},
    {"--relay-megabytes", 1, 4096, [](LobbyOptions& o) -> int& { return o.rooms.relayMegabytes; }},
    {"--relay-packets", 1, 10000,
     [](LobbyOptions& o) -> int& { return o.rooms.relayPacketsPerSecond; }},
    {"--rooms-per-minute", 1, 1000000,
     [](LobbyOptions& o) -> int& { return o.addresses.roomsPerMinute; }},
    {"--joins-per-minute", 1, 1000000,
     [](LobbyOptions& o) -> int& { return o.addresses.joinsPerMinute; }},
    {"--max-addresses", 1, 16777216,
     [](LobbyOptions& o) -> int& { return o.addresses.maxAddresses; }},
};

const NumberOption* FindNumberOption(const std::string& name) {
  for (const NumberOption& option : NumberOptions) {
    if (name == option.name) {
      return &option;
    }
  }
  return nullptr;
}

bool IsKnownOption(const std::string& name) {
  return name == "--address" || name == "--port" || FindNumberOption(name) != nullptr;
}

// A decimal number within [lowest, highest]; `value` is left as it was otherwise.
bool ReadNumber(const std::string& text, int lowest, int highest, int& value) {
  const char* end = text.data() + text.size();
  int read = 0;
  auto [stop, problem] = std::from_chars(text.data(), end, read);
  if (text.empty() || text[0] == '-' || problem != std::errc() || stop != end || read < lowest ||
      read > highest) {
    return false;
  }
  value = read;
  return true;
}

// One known option and its value; false with a line in `error`.
bool ReadOption(const std::string& name, const std::string& value, LobbyOptions& options,
                std::string& error) {
  if (name == "--address") {
    in_addr parsed{};
    if (inet_pton(AF_INET, value.c_str(), &parsed) != 1) {
      error = "--address takes an IPv4 address such as 0.0.0.0, not '" + value + "'";
      return false;
    }
    options.address = value;
    return true;
  }
  if (name == "--port") {
    int port = 0;
    if (!ReadNumber(value, 0, 65535, port)) {
      error = "--port takes a number from 0 to 65535, not '" + value + "'";
      return false;
    }
    options.port = static_cast<uint16_t>(port);
    return true;
  }
  const NumberOption& option = *FindNumberOption(name);
  if (!ReadNumber(value, option.lowest, option.highest, option.field(options))) {
    error = name + " takes a number from " + std::to_string(option.lowest) + " to " +
            std::to_string(option.highest) + ", not '" + value + "'";
    return false;
  }
  return true;
}

}  // namespace

ParsedLobbyCommand ParseLobbyCommand(const std::vector<std::string>& arguments) {
  ParsedLobbyCommand parsed;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "--version") {
      parsed.command = argument == "--help" ? LobbyCommand::Help : LobbyCommand::Version;
      return parsed;
    }
    if (argument.rfind("--", 0) != 0) {
      parsed.command = LobbyCommand::Bad;
      parsed.error = "unexpected argument '" + argument + "'";
      return parsed;
    }
    const size_t equals = argument.find('=');
    std::string name = argument.substr(0, equals);
    std::string value;
    if (!IsKnownOption(name)) {
      parsed.command = LobbyCommand::Bad;
      parsed.error = "unknown option " + name;
      return parsed;
    }
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      parsed.command = LobbyCommand::Bad;
      parsed.error = name + " needs a value";
      return parsed;
    }
    if (!ReadOption(name, value, parsed.options, parsed.error)) {
      parsed.command = LobbyCommand::Bad;
      return parsed;
    }
  }
  return parsed;
}
