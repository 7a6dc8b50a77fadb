#include "token_bucket.h"

#include <algorithm>

double TokenBucket::TokensAt(TimePoint now) const {
  // A clock read out of order (two callers) adds nothing rather than taking away.
  const double seconds = std::max(std::chrono::duration<double>(now - filledAt_).count(), 0.0);
  return std::min(burst_, tokens_ + seconds * perSecond_);
}

bool TokenBucket::Take(TimePoint now) {
  tokens_ = TokensAt(now);
  filledAt_ = std::max(filledAt_, now);
  if (tokens_ < 1) {
    return false;
  }
  tokens_ -= 1;
  return true;
}
