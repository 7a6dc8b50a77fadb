// A token bucket: `burst` tokens at most, refilled at `perSecond`; each act takes one.
#pragma once
#include <chrono>

class TokenBucket {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  // Starts full.
  TokenBucket(double perSecond, double burst, TimePoint now)
      : perSecond_(perSecond), burst_(burst), tokens_(burst), filledAt_(now) {}

  // Takes a token if there is one.
  bool Take(TimePoint now);
  // Full again: the bucket remembers nothing of what was taken.
  bool IsFull(TimePoint now) const { return TokensAt(now) >= burst_; }

 private:
  double TokensAt(TimePoint now) const;

  double perSecond_;
  double burst_;
  double tokens_;
  TimePoint filledAt_;
};
