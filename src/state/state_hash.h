// A 64-bit hash of the whole state, game and generator, taken field by field as the state
// document walks them (never the raw bytes: padding would count), with one hash per top-level
// member of the document so that two states can say where they differ.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scenes/game_state.h"
#include "services/random.h"

struct StateHash {
  uint64_t whole = 0;             // FNV-1a over the members' 64-bit hashes, in document order
  std::vector<uint32_t> members;  // each member's FNV-1a, folded to 32 bits

  bool operator==(const StateHash&) const = default;
};

StateHash HashState(const GameState& state, const RandomState& random);
// The top-level members of the state document, "FrameCount" to "random", in hash order.
const std::vector<std::string>& StateMemberNames();
