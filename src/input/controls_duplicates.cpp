// Finding keys and pad inputs bound more than once, in the order the controls list them.
#include "input/controls_duplicates.h"

#include <algorithm>

#include "input/binding_text.h"
#include "services/formatted.h"
#include "services/texts.h"

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

// "game mute" or "player 1 left"; the action keeps the file's own name.
std::string UseText(const Use& use) {
  if (use.player == 0) {
    const std::string action(GameActionName(static_cast<GameAction>(use.action)));
    return Formatted(Tr("game %s"), action.c_str());
  }
  const std::string action(ActionName(static_cast<Action>(use.action)));
  return Formatted(Tr("player %d %s"), use.player, action.c_str());
}

// "A, B and C", joined by whole formats so that each language orders its list.
std::string UseList(const std::vector<Use>& uses) {
  std::string list;
  for (size_t i = 0; i < uses.size(); ++i) {
    const std::string use = UseText(uses[i]);
    list = i == 0                 ? use
           : i + 1 == uses.size() ? Formatted(Tr("%s and %s"), list.c_str(), use.c_str())
                                  : Formatted(Tr("%s, %s"), list.c_str(), use.c_str());
  }
  return list;
}

// `format` names the binding, then the list of its uses.
void Report(const std::vector<Uses>& table, const char* format,
            std::vector<std::string>& messages) {
  for (const Uses& entry : table) {
    if (entry.uses.size() > 1) {
      messages.push_back(
          Formatted(format, BindingText(entry.binding).c_str(), UseList(entry.uses).c_str()));
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
  Report(keys, Tr("key %s is bound to %s"), messages);
  for (const std::vector<Uses>& playerPads : pads) {
    Report(playerPads, Tr("pad input %s is bound to %s"), messages);
  }
  return messages;
}
