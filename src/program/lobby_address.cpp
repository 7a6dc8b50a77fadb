#include "program/lobby_address.h"

#include <charconv>

std::optional<LobbyAddress> ReadLobbyAddress(std::string_view text) {
  constexpr std::string_view HostCharacters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_";
  const size_t colon = text.find(':');
  LobbyAddress address;
  address.host = text.substr(0, colon);
  if (address.host.empty() || address.host.find_first_not_of(HostCharacters) != std::string::npos) {
    return std::nullopt;
  }
  if (colon == std::string_view::npos) {
    return address;
  }
  const std::string_view port = text.substr(colon + 1);
  unsigned number = 0;
  const auto [stop, error] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (error != std::errc() || stop != port.data() + port.size() || number < 1 || number > 65535) {
    return std::nullopt;
  }
  address.port = static_cast<uint16_t>(number);
  return address;
}

std::string LobbyAddressText(const LobbyAddress& address) {
  return address.host + ":" + std::to_string(address.port);
}
