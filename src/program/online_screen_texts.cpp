#include "program/online_screen_texts.h"

#include <algorithm>

#include "services/formatted.h"
#include "services/texts.h"

namespace {

// More would crowd the screen; the first addresses are the likeliest.
constexpr size_t ShownAddresses = 3;

// The path says nothing until the opponent is reached.
void AddPath(std::vector<std::string>& lines, const std::string& path) {
  if (!path.empty()) {
    lines.push_back(path);
  }
}

}  // namespace

OnlineScreen CodeEntryScreen(const RoomCodeEntry& entry) {
  std::string code = entry.Typed();
  code.resize(RoomCodeLength, '_');
  OnlineScreen screen{Tr("type the room code the host's screen shows"), code, {}};
  if (!entry.Complaint().empty()) {
    screen.lines.push_back(entry.Complaint());
  }
  screen.lines.push_back(Tr("Return: join, Escape: cancel"));
  return screen;
}

OnlineScreen RoomScreen(const std::string& code, const std::string& lobby,
                        const std::string& status) {
  return {Tr("your room code"),
          code,
          {Formatted(Tr("the opponent types: astorine --join %s"), code.c_str()),
           Formatted(Tr("through the lobby at %s"), lobby.c_str()), status, Tr("Escape: cancel")}};
}

OnlineScreen DirectWaitScreen(const std::string& status,
                              const std::vector<PeerAddress>& addresses) {
  OnlineScreen screen{status, "", {}};
  if (!addresses.empty()) {
    screen.lines.push_back(Tr("the opponent joins with:"));
  }
  for (size_t i = 0; i < std::min(addresses.size(), ShownAddresses); ++i) {
    screen.lines.push_back("astorine --join " + AddressText(addresses[i]));
  }
  screen.lines.push_back(Tr("by room code: --lobby HOST, or lobby = in settings.conf"));
  screen.lines.push_back(Tr("Escape: cancel"));
  return screen;
}

OnlineScreen ConnectingScreen(const std::string& status) {
  return {status, "", {Tr("Escape: cancel")}};
}

OnlineScreen RematchScreen(bool accepted, bool opponentAccepted, const std::string& path) {
  OnlineScreen screen{Tr("the match is over"), "", {}};
  if (accepted) {
    screen.lines = {Tr("waiting for the opponent to accept"), Tr("Escape: quit")};
  } else {
    screen.lines = {Tr("Return: rematch, Escape: quit"),
                    opponentAccepted ? Tr("the opponent wants a rematch")
                                     : Tr("the opponent has not chosen yet")};
  }
  AddPath(screen.lines, path);
  return screen;
}

OnlineScreen EndScreen(const std::string& status, const std::string& path) {
  OnlineScreen screen{status, "", {}};
  AddPath(screen.lines, path);
  screen.lines.push_back(Tr("Escape/Return: quit"));
  return screen;
}
