#include "address_limits.h"

#include <iterator>

LimitVerdict AddressLimits::Take(AddressAct act, const std::array<uint8_t, 4>& ip, TimePoint now) {
  const uint32_t key = static_cast<uint32_t>(ip[0]) << 24 | static_cast<uint32_t>(ip[1]) << 16 |
                       static_cast<uint32_t>(ip[2]) << 8 | ip[3];
  auto found = entries_.find(key);
  if (found == entries_.end()) {
    if (!MakeRoom(now)) {
      return LimitVerdict::StillSlowDown;
    }
    Entry entry{TokenBucket(rules_.roomsPerMinute / 60.0, rules_.roomsPerMinute, now),
                TokenBucket(rules_.joinsPerMinute / 60.0, JoinBurst(rules_), now)};
    found = entries_.emplace(key, entry).first;
  }
  Entry& entry = found->second;
  TokenBucket& bucket = act == AddressAct::OpenRoom ? entry.rooms : entry.joins;
  bool& refused = act == AddressAct::OpenRoom ? entry.roomsRefused : entry.joinsRefused;
  if (bucket.Take(now)) {
    refused = false;
    return LimitVerdict::Allowed;
  }
  const bool again = refused;
  refused = true;
  return again ? LimitVerdict::StillSlowDown : LimitVerdict::SlowDown;
}

bool AddressLimits::MakeRoom(TimePoint now) {
  if (entries_.size() < static_cast<size_t>(rules_.maxAddresses)) {
    return true;
  }
  // One sweep frees every idle entry at once, so sweeps stay rare while many are idle.
  for (auto it = entries_.begin(); it != entries_.end();) {
    const Entry& entry = it->second;
    it = entry.rooms.IsFull(now) && entry.joins.IsFull(now) ? entries_.erase(it) : std::next(it);
  }
  return entries_.size() < static_cast<size_t>(rules_.maxAddresses);
}
