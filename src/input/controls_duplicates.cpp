// Finding keys and pad inputs bound more than once, in the order the controls list them.
#include "input/controls_duplicates.h"

#include <algorithm>

#include "input/binding_text.h"

namespace {

// player 0: an action of the [game] section, `action` then standing for a GameAction.
struct Use {
  int player;
  int action;
  bool operator==(const Use&) const = default;
};

struct Uses {
  Binding binding;
  std::vector<Use> uses;
};

void Record(std::vector<Uses>& table, const Binding& binding, Use use) {
  auto entry = std::find_if(table.begin(), table.end(),
                            [&](const Uses& uses) { return uses.binding == binding; });
  if (entry == table.end()) {
    table.push_back({binding, {use}});
  } else if (std::find(entry->uses.begin(), entry->uses.end(), use) == entry->uses.end()) {
    entry->uses.push_back(use);
  }
}

std::string UseList(const std::vector<Use>& uses) {
  std::string list;
  for (size_t i = 0; i < uses.size(); ++i) {
    list += i == 0 ? "" : i + 1 == uses.size() ? " and " : ", ";
    const Use& use = uses[i];
    list += use.player == 0
                ? "game " + std::string(GameActionName(static_cast<GameAction>(use.action)))
                : "player " + std::to_string(use.player) + " " +
                      std::string(ActionName(static_cast<Action>(use.action)));
  }
  return list;
}

void Report(const std::vector<Uses>& table, const char* what, std::vector<std::string>& messages) {
  for (const Uses& entry : table) {
    if (entry.uses.size() > 1) {
      messages.push_back(std::string(what) + " " + BindingText(entry.binding) + " is bound to " +
                         UseList(entry.uses));
    }
  }
}

}  // namespace

std::vector<std::string> DuplicateBindings(const Controls& controls) {
  std::vector<Uses> keys;
  std::array<std::vector<Uses>, PlayerCount> pads;
  for (int player = 1; player <= PlayerCount; ++player) {
    for (Action action : AllActions) {
      for (const Binding& binding : controls.Of(player, action)) {
        Record(binding.kind == Binding::Kind::Key ? keys : pads[player - 1], binding,
               {player, static_cast<int>(action)});
      }
    }
  }
  // The game's pad inputs act from every pad, so they clash with either player's.
  for (GameAction action : AllGameActions) {
    for (const Binding& binding : controls.Of(action)) {
      const Use use{0, static_cast<int>(action)};
      if (binding.kind == Binding::Kind::Key) {
        Record(keys, binding, use);
      } else {
        for (std::vector<Uses>& playerPads : pads) {
          Record(playerPads, binding, use);
        }
      }
    }
  }
  std::vector<std::string> messages;
  Report(keys, "key", messages);
  for (const std::vector<Uses>& playerPads : pads) {
    Report(playerPads, "pad input", messages);
  }
  return messages;
}
