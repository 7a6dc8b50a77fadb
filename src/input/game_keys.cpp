// Looking a binding up among the [game] section's.
#include "input/game_keys.h"

#include <algorithm>

namespace {

std::optional<GameAction> ActionBoundTo(const Controls& controls, const Binding& binding) {
  for (GameAction action : AllGameActions) {
    const ActionBindings& bindings = controls.Of(action);
    if (std::find(bindings.begin(), bindings.end(), binding) != bindings.end()) {
      return action;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<GameAction> GameActionOfKey(const Controls& controls, int keyCode) {
  return ActionBoundTo(controls, {Binding::Kind::Key, keyCode});
}

std::optional<GameAction> GameActionOfPadInput(const Controls& controls, int padInput) {
  return ActionBoundTo(controls, {Binding::Kind::Pad, padInput});
}
