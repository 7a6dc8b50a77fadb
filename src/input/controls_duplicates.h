// Bindings that would make one press do two things.
#pragma once
#include <string>
#include <vector>

#include "input/bindings.h"

// One message per key bound to more than one action, of one player or of both ("key A is bound
// to player 1 turn_ccw and player 2 turn_ccw"), and per pad input bound to more than one action
// of one player: pads are each player's own, so one input for both players is no clash. The
// [game] section's bindings clash with any player's.
std::vector<std::string> DuplicateBindings(const Controls& controls);
