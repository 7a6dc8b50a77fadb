// How often one address may act: each address and act at its own pace, in a table that stays
// within its size by forgetting the idle addresses first.
#include <gtest/gtest.h>

#include "address_limits.h"

namespace {

using namespace std::chrono_literals;

TEST(LobbyAddressLimits, EachAddressAndActHasItsBurstThenItsPace) {
  const auto start = std::chrono::steady_clock::time_point{} + 1h;
  AddressLimits limits(AddressRules{2, 60, 100});
  const std::array<uint8_t, 4> busy{203, 0, 113, 9};
  auto open = [&](std::chrono::seconds at, std::array<uint8_t, 4> ip = {203, 0, 113, 9}) {
    return limits.Take(AddressAct::OpenRoom, ip, start + at);
  };
  EXPECT_EQ(open(0s), LimitVerdict::Allowed);
  EXPECT_EQ(open(0s), LimitVerdict::Allowed);
  EXPECT_EQ(open(0s), LimitVerdict::SlowDown);
  EXPECT_EQ(open(29s), LimitVerdict::StillSlowDown);
  EXPECT_EQ(open(0s, {203, 0, 113, 10}), LimitVerdict::Allowed);
  for (int i = 0; i < JoinBurst(AddressRules{2, 60, 100}); ++i) {
    EXPECT_EQ(limits.Take(AddressAct::JoinRoom, busy, start), LimitVerdict::Allowed);
  }
  EXPECT_EQ(limits.Take(AddressAct::JoinRoom, busy, start), LimitVerdict::SlowDown);
  // Two rooms a minute: one back after half a minute, and a refusal after it is news again.
  EXPECT_EQ(open(31s), LimitVerdict::Allowed);
  EXPECT_EQ(open(31s), LimitVerdict::SlowDown);
  // Never more than the burst, however long the rest.
  EXPECT_EQ(open(1h), LimitVerdict::Allowed);
  EXPECT_EQ(open(1h), LimitVerdict::Allowed);
  EXPECT_EQ(open(1h), LimitVerdict::SlowDown);
}

TEST(LobbyAddressLimits, AFullTableForgetsIdleAddressesAndNeverABusyOne) {
  const auto start = std::chrono::steady_clock::time_point{} + 1h;
  AddressLimits limits(AddressRules{1, 60, 3});
  auto open = [&](uint8_t last, std::chrono::minutes at) {
    return limits.Take(AddressAct::OpenRoom, {10, 0, 0, last}, start + at);
  };
  EXPECT_EQ(open(1, 0min), LimitVerdict::Allowed);  // rested by the second minute
  EXPECT_EQ(open(2, 2min), LimitVerdict::Allowed);
  EXPECT_EQ(open(3, 2min), LimitVerdict::Allowed);
  EXPECT_EQ(open(4, 2min), LimitVerdict::Allowed);
  EXPECT_EQ(open(5, 2min), LimitVerdict::StillSlowDown);
  EXPECT_EQ(open(2, 2min), LimitVerdict::SlowDown);  // still remembered
  EXPECT_EQ(limits.Size(), 3u);
  EXPECT_EQ(open(5, 4min), LimitVerdict::Allowed);
  EXPECT_EQ(open(1, 4min), LimitVerdict::Allowed);  // forgotten, so afresh
  EXPECT_LE(limits.Size(), 3u);
}

}  // namespace
