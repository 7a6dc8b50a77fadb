// A player's actions on the falling pair, and the virtual key the game polls for each.
#pragma once
#include <array>
#include <optional>
#include <string_view>

enum class Action { Left, Right, Drop, TurnCounterClockwise, TurnClockwise };
constexpr int ActionCount = 5;
constexpr std::array<Action, ActionCount> AllActions{
    Action::Left, Action::Right, Action::Drop, Action::TurnCounterClockwise, Action::TurnClockwise};
constexpr int PlayerCount = 2;

// The controls file's name of the action: left, right, drop, turn_ccw, turn_cw.
std::string_view ActionName(Action action);
std::optional<Action> ActionNamed(std::string_view name);
// Player 1 (the right-hand well; the solo well): Left, Right, Down, K, L. Player 2: E, T, R, A, S.
int ActionVirtualKey(int player, Action action);
