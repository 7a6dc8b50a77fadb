// How often one IPv4 address may open rooms and try room codes: a token bucket per address and
// act, in a table of bounded size. When the table is full, the addresses whose buckets are full
// again (nothing to remember) make room; if none is, the newcomer is refused.
#pragma once
#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "token_bucket.h"

struct AddressRules {
  int roomsPerMinute = 10;  // also the burst
  int joinsPerMinute = 20;
  int maxAddresses = 65536;
};
// Codes one address may try at once before the per-minute pace holds it: 10, or ten seconds of a
// pace faster than a minute a code.
constexpr int JoinBurst(const AddressRules& rules) {
  return std::max(10, rules.joinsPerMinute / 6);
}

enum class AddressAct { OpenRoom, JoinRoom };

enum class LimitVerdict {
  Allowed,
  SlowDown,       // the first refusal since the address was last allowed: worth a log line
  StillSlowDown,  // refused again, or the table is full: counted only
};

class AddressLimits {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  explicit AddressLimits(const AddressRules& rules) : rules_(rules) {}

  LimitVerdict Take(AddressAct act, const std::array<uint8_t, 4>& ip, TimePoint now);
  size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    TokenBucket rooms;
    TokenBucket joins;
    bool roomsRefused = false;
    bool joinsRefused = false;
  };

  // Room for one more entry, if idle ones can make it.
  bool MakeRoom(TimePoint now);

  AddressRules rules_;
  std::unordered_map<uint32_t, Entry> entries_;
};
