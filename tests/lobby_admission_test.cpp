// Admission to the lobby: SipHash against its authors' vectors, and cookies that hold only for
// their address and port, in their time bucket and the next.
#include <gtest/gtest.h>

#include <numeric>

#include "admission_cookie.h"

namespace {

SipHashKey CountingKey() {
  SipHashKey key;
  std::iota(key.begin(), key.end(), uint8_t{0});
  return key;
}

TEST(LobbyAdmission, SipHashMatchesTheReferenceVectors) {
  std::vector<uint8_t> message(15);
  std::iota(message.begin(), message.end(), uint8_t{0});
  EXPECT_EQ(SipHash24(CountingKey(), message.data(), 15), 0xa129ca6149be45e5ULL);  // the paper's
  EXPECT_EQ(SipHash24(CountingKey(), message.data(), 0), 0x726fdb47dd0e0e31ULL);
  EXPECT_EQ(SipHash24(CountingKey(), message.data(), 8), 0x93f5f5799a932462ULL);
}

TEST(LobbyAdmission, ACookieHoldsForItsAddressInItsBucketAndTheNext) {
  const AdmissionCookies cookies(CountingKey());
  const PeerAddress asker{{203, 0, 113, 9}, 51000};
  const uint32_t bucket = 70000;
  const uint32_t cookie = cookies.Make(asker, bucket);
  EXPECT_TRUE(cookies.Accepts(cookie, asker, bucket));
  EXPECT_TRUE(cookies.Accepts(cookie, asker, bucket + 1));
  EXPECT_FALSE(cookies.Accepts(cookie, asker, bucket + 2));
  EXPECT_FALSE(cookies.Accepts(cookie, asker, bucket - 1));
  EXPECT_FALSE(cookies.Accepts(cookie, PeerAddress{{203, 0, 113, 9}, 51001}, bucket));
  EXPECT_FALSE(cookies.Accepts(cookie, PeerAddress{{203, 0, 113, 8}, 51000}, bucket));
  SipHashKey other = CountingKey();
  other[15] ^= 1;
  EXPECT_FALSE(AdmissionCookies(other).Accepts(cookie, asker, bucket));
  EXPECT_FALSE(cookies.Accepts(0, asker, bucket));
  EXPECT_EQ(CookieBucketAt(std::chrono::steady_clock::time_point{} + std::chrono::seconds(61)), 2u);
}

}  // namespace
