// The action names of the controls file and the keys the game's rules are written in.
#include "input/actions.h"

#include "services/keyboard.h"

namespace {

constexpr std::array<std::string_view, ActionCount> Names{"left", "right", "drop", "turn_ccw",
                                                          "turn_cw"};
constexpr std::array<int, ActionCount> PlayerOneKeys{KeyLeft, KeyRight, KeyDown_, 'K', 'L'};
constexpr std::array<int, ActionCount> PlayerTwoKeys{'E', 'T', 'R', 'A', 'S'};

}  // namespace

std::string_view ActionName(Action action) {
  return Names[static_cast<int>(action)];
}

std::optional<Action> ActionNamed(std::string_view name) {
  for (Action action : AllActions) {
    if (ActionName(action) == name) {
      return action;
    }
  }
  return std::nullopt;
}

std::string_view GameActionName(GameAction action) {
  constexpr std::array<std::string_view, GameActionCount> GameNames{"mute", "volume_down",
                                                                    "volume_up"};
  return GameNames[static_cast<int>(action)];
}

std::optional<GameAction> GameActionNamed(std::string_view name) {
  for (GameAction action : AllGameActions) {
    if (GameActionName(action) == name) {
      return action;
    }
  }
  return std::nullopt;
}

int ActionVirtualKey(int player, Action action) {
  return (player == 2 ? PlayerTwoKeys : PlayerOneKeys)[static_cast<int>(action)];
}
