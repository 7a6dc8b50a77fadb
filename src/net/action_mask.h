// Online input: a player's five actions as bits, and the frame the game runs from both players'.
#pragma once
#include <cstdint>

#include "input/actions.h"
#include "services/input_frame.h"

// Bit n is the action numbered n in Action (Left is bit 0); bits 5 to 7 are never set.
using ActionMask = uint8_t;
constexpr ActionMask AllActionBits = (1u << ActionCount) - 1;

constexpr ActionMask ActionBit(Action action) {
  return static_cast<ActionMask>(1u << static_cast<int>(action));
}

// The local player's actions from a frame of player 1's keys: on their own machine each online
// player steers with player 1's keys, which their own bindings and pads already map to.
ActionMask ReadActionMask(const InputFrame& localFrame);
// The frame both machines run: the host's actions as player 1's keys, the guest's as player 2's,
// and nothing else (Escape, the F-keys and Return stay with the local program).
InputFrame OnlineFrame(ActionMask hostMask, ActionMask guestMask);
