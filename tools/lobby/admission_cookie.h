// The cookies that admit a new ENet peer: a keyed hash of its address and the time, so that only
// who receives at that address can connect, and the lobby keeps nothing per asker.
#pragma once
#include <chrono>
#include <cstdint>

#include "net/lobby_protocol.h"
#include "siphash.h"

// A cookie holds for the bucket it was made in and the next one: 30 to 60 seconds.
constexpr int CookieBucketSeconds = 30;

// The time bucket of a moment of the steady clock.
uint32_t CookieBucketAt(std::chrono::steady_clock::time_point now);

class AdmissionCookies {
 public:
  explicit AdmissionCookies(const SipHashKey& key) : key_(key) {}

  // Never 0: a connect with data 0 asks for a cookie.
  uint32_t Make(const PeerAddress& from, uint32_t bucket) const;
  bool Accepts(uint32_t cookie, const PeerAddress& from, uint32_t bucket) const;

 private:
  SipHashKey key_;
};
