#include "admission_cookie.h"

#include <array>

uint32_t CookieBucketAt(std::chrono::steady_clock::time_point now) {
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
  return static_cast<uint32_t>(seconds / CookieBucketSeconds);
}

uint32_t AdmissionCookies::Make(const PeerAddress& from, uint32_t bucket) const {
  // The address as on the wire (port big-endian), then the bucket little-endian.
  std::array<uint8_t, 10> input{from.ip[0],
                                from.ip[1],
                                from.ip[2],
                                from.ip[3],
                                static_cast<uint8_t>(from.port >> 8),
                                static_cast<uint8_t>(from.port),
                                static_cast<uint8_t>(bucket),
                                static_cast<uint8_t>(bucket >> 8),
                                static_cast<uint8_t>(bucket >> 16),
                                static_cast<uint8_t>(bucket >> 24)};
  auto cookie = static_cast<uint32_t>(SipHash24(key_, input.data(), input.size()));
  return cookie != 0 ? cookie : 1;
}

bool AdmissionCookies::Accepts(uint32_t cookie, const PeerAddress& from, uint32_t bucket) const {
  return cookie != 0 && (cookie == Make(from, bucket) || cookie == Make(from, bucket - 1));
}
