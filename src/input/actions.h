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

// What the program does at a key of the [game] section, outside the game's own keys: the sound's
// mute and volume.
enum class GameAction { Mute, VolumeDown, VolumeUp };
constexpr int GameActionCount = 3;
constexpr std::array<GameAction, GameActionCount> AllGameActions{
    GameAction::Mute, GameAction::VolumeDown, GameAction::VolumeUp};

// The controls file's name of the game action: mute, volume_down, volume_up.
std::string_view GameActionName(GameAction action);
std::optional<GameAction> GameActionNamed(std::string_view name);

// The controls file's name of the action: left, right, drop, turn_ccw, turn_cw.
std::string_view ActionName(Action action);
std::optional<Action> ActionNamed(std::string_view name);
// Player 1 (the right-hand well; the solo well): Left, Right, Down, K, L. Player 2: E, T, R, A, S.
int ActionVirtualKey(int player, Action action);
