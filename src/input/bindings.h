// The player's own keys: for each player and action, the keys and pad inputs that do it.
#pragma once
#include <SDL.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/actions.h"

struct Binding {
  enum class Kind { Key, Pad };
  Kind kind = Kind::Key;
  // Key: an SDL key code, so that letters follow the keyboard's layout. Pad: a pad input
  // (input/pad_state.h).
  int code = 0;
  bool operator==(const Binding&) const = default;
};

using ActionBindings = std::vector<Binding>;
struct Controls {
  // players[0] is player 1.
  std::array<std::array<ActionBindings, ActionCount>, PlayerCount> players;
  // The [game] section's keys, and pad inputs that act from any pad.
  std::array<ActionBindings, GameActionCount> game;
  const ActionBindings& Of(GameAction action) const { return game[static_cast<int>(action)]; }
  ActionBindings& Of(GameAction action) { return game[static_cast<int>(action)]; }
  const ActionBindings& Of(int player, Action action) const {
    return players[player - 1][static_cast<int>(action)];
  }
  ActionBindings& Of(int player, Action action) {
    return players[player - 1][static_cast<int>(action)];
  }
};

// Player 1: Left, Right, Down, K, L; player 2: E, T, R, A, S. Both players' pads: the D-pad and
// the left stick step and drop; south, west and the left shoulder turn counter-clockwise; east,
// north and the right shoulder clockwise. The game: M or a click of a pad's right stick mutes,
// - and = (or the keypad's - and +) turn the volume down and up.
Controls DefaultControls();

// What a pad input's name begins with, to tell it from a key's.
constexpr std::string_view PadPrefix = "pad:";

// "J", "Left", "Keypad 4" (SDL's key names) or "pad:a", "pad:dpleft", "pad:leftx-" (SDL's button
// and axis names, an axis with its direction); nullopt for anything else.
std::optional<Binding> BindingNamed(std::string_view name);
// The name BindingNamed reads back to the same binding.
std::string BindingName(const Binding& binding);
