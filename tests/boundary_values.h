// Generators for the property tests that lean on the edges: numbers where a byte, a varint's
// group of seven bits or an integer type runs out, and each format's own limits with one either
// side; otherwise anything of the type.
#pragma once
#include <gtest/gtest.h>
#include <rapidcheck.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "net/net_limits.h"
#include "net/protocol.h"
#include "replay/replay.h"
#include "services/input_frame.h"

namespace boundary {

// Fixed seeds everywhere: the properties draw the same cases on every run, unless RC_PARAMS
// names another seed (rapidcheck prints the one to reproduce a failure with).
inline const bool FixedSeed = setenv("RC_PARAMS", "seed=20261207", 0) == 0;

}  // namespace boundary

namespace rc::detail {
// The listener RC_GTEST_PROP reports to: a failure below prints its RC_PARAMS to replay it too.
TestListener& globalTestListener();
}  // namespace rc::detail

namespace boundary {

// Checks `property` as RC_GTEST_PROP does, with `cases` cases where rapidcheck runs a hundred
// (RC_PARAMS' max_success scales both): for properties that write and read a whole state document
// or replay a case, which a hundred times over take seconds under the sanitizers.
template <class Property>
void CheckCases(int cases, Property property) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const rc::detail::TestMetadata metadata{std::string(test->test_suite_name()) + "/" + test->name(),
                                          test->name()};
  const rc::detail::Configuration& configuration = rc::detail::configuration();
  rc::detail::TestParams params = configuration.testParams;
  params.maxSuccess = std::max(1, params.maxSuccess * cases / 100);
  const rc::detail::TestResult result =
      rc::detail::checkProperty(rc::detail::toProperty(property), metadata, params,
                                rc::detail::globalTestListener(), configuration.reproduce);
  if (!result.template is<rc::detail::SuccessResult>()) {
    std::ostringstream message;
    rc::detail::printResultMessage(result, message);
    FAIL() << message.str();
  }
}

// 0 to `count` - 1, each as likely in every case (rapidcheck's inRange grows with the case's
// size, so the last branches of a choice would come only in the last cases).
inline size_t Uniform(size_t count) {
  return *rc::Gen<size_t>([count](const rc::Random& random, int) {
    return rc::shrinkable::shrinkRecur(
        static_cast<size_t>(rc::Random(random).next() % count),
        [](size_t value) { return rc::shrink::towards<size_t>(value, 0); });
  });
}

// Where a byte, a varint's width, or a signed or unsigned 32- or 64-bit number ends: 0, 1,
// 127 to 129, 255, 256, 16383 to 16385, 2^n - 1 and 2^n for n = 21, 31, 32, 63, and 2^64 - 1.
inline const std::vector<uint64_t>& Widths() {
  static const std::vector<uint64_t> widths = [] {
    std::vector<uint64_t> values = {0, 1, 127, 128, 129, 255, 256, 16383, 16384, 16385};
    for (int bits : {21, 31, 32, 63}) {
      values.insert(values.end(), {(uint64_t{1} << bits) - 1, uint64_t{1} << bits});
    }
    values.push_back(~uint64_t{0});
    return values;
  }();
  return widths;
}

template <class T>
bool Fits(int64_t value) {
  return value >= static_cast<int64_t>(std::numeric_limits<T>::min()) &&
         (value < 0 || static_cast<uint64_t>(value) <= std::numeric_limits<T>::max());
}

// The widths that fit T; for a signed T also their negatives and the lowest value.
template <class T>
std::vector<T> Edges() {
  std::vector<T> edges;
  for (uint64_t width : Widths()) {
    if (width <= static_cast<uint64_t>(std::numeric_limits<T>::max())) {
      edges.push_back(static_cast<T>(width));
      if constexpr (std::is_signed_v<T>) {
        edges.push_back(static_cast<T>(-static_cast<T>(width)));
      }
    }
  }
  edges.push_back(std::numeric_limits<T>::min());
  return edges;
}

// Each limit and one either side, those that fit T.
template <class T>
std::vector<T> Around(std::initializer_list<int64_t> limits) {
  std::vector<T> values;
  for (int64_t limit : limits) {
    for (int64_t value : {limit - 1, limit, limit + 1}) {
      if (Fits<T>(value)) {
        values.push_back(static_cast<T>(value));
      }
    }
  }
  return values;
}

// A value in [lowest, highest]: a quarter of the time an edge of T, half the time one of
// `limits` (a format's own), otherwise anything in the range.
template <class T>
rc::Gen<T> Leaning(std::vector<T> limits = {}, T lowest = std::numeric_limits<T>::min(),
                   T highest = std::numeric_limits<T>::max()) {
  auto outside = [lowest, highest](T value) { return value < lowest || value > highest; };
  std::erase_if(limits, outside);
  std::vector<T> special = Edges<T>();
  std::erase_if(special, outside);
  special.insert(special.end(), {lowest, highest});
  auto any = rc::gen::map(rc::gen::arbitrary<T>(), [lowest, highest](T value) {
    const uint64_t span = static_cast<uint64_t>(highest) - static_cast<uint64_t>(lowest);
    if ((value >= lowest && value <= highest) || span == ~uint64_t{0}) {
      return value;
    }
    const uint64_t offset =
        static_cast<uint64_t>(value) - static_cast<uint64_t>(std::numeric_limits<T>::min());
    return static_cast<T>(static_cast<uint64_t>(lowest) + offset % (span + 1));
  });
  return rc::gen::weightedOneOf<T>({{1, rc::gen::elementOf(special)},
                                    {2, rc::gen::elementOf(limits.empty() ? special : limits)},
                                    {1, any}});
}

// The same leaning, drawn from a plain generator: for filling many fields at once, where
// rapidcheck's bookkeeping per value would cost more than the test. `Specials` makes the list
// of edges and limits in [lowest, highest] once; `DrawLeaning` draws from it half the time.
inline std::vector<int64_t> Specials(int64_t lowest, int64_t highest,
                                     std::vector<int64_t> limits = {}) {
  for (uint64_t width : Widths()) {
    if (width <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
      limits.push_back(static_cast<int64_t>(width));
      limits.push_back(-static_cast<int64_t>(width));
    }
  }
  std::erase_if(limits, [&](int64_t value) { return value < lowest || value > highest; });
  limits.insert(limits.end(), {lowest, highest});
  return limits;
}

inline int64_t DrawLeaning(std::mt19937_64& draw, const std::vector<int64_t>& specials) {
  const int64_t lowest = specials[specials.size() - 2];
  const int64_t highest = specials.back();
  if (draw() % 2 == 0) {
    return specials[draw() % specials.size()];
  }
  return lowest + static_cast<int64_t>(draw() % (static_cast<uint64_t>(highest - lowest) + 1));
}

// Frame counts, run lengths and frame numbers near every multiple of `period`.
inline rc::Gen<uint32_t> NearMultiples(uint32_t period, uint32_t highest) {
  return rc::gen::map(rc::gen::pair(rc::gen::inRange<uint32_t>(0, highest / period + 1),
                                    rc::gen::inRange<int>(-1, 2)),
                      [period, highest](std::pair<uint32_t, int> at) {
                        int64_t frames = int64_t{at.first} * period + at.second;
                        return static_cast<uint32_t>(std::clamp<int64_t>(frames, 0, highest));
                      });
}

// A replay's frame count: 0 to the ten hours' limit, near multiples of the checkpoint period.
inline rc::Gen<uint32_t> ReplayFrameCounts() {
  return rc::gen::weightedOneOf<uint32_t>(
      {{6, NearMultiples(CheckpointPeriod, 4000)},
       {1, NearMultiples(CheckpointPeriod, MaxReplayFrames)},
       {1, Leaning<uint32_t>(Around<uint32_t>({0, CheckpointPeriod, MaxReplayFrames}), 0,
                             MaxReplayFrames)}});
}

// The length of one run of keys: at least 1, the varint's widths and the period's multiples.
inline rc::Gen<uint32_t> RunLengths() {
  return rc::gen::weightedOneOf<uint32_t>(
      {{1, rc::gen::map(NearMultiples(CheckpointPeriod, 2 * CheckpointPeriod * 10),
                        [](uint32_t length) { return std::max<uint32_t>(length, 1); })},
       {2, Leaning<uint32_t>(Around<uint32_t>({1, 127, 128, 16383, 16384, 1 << 21}), 1,
                             MaxReplayFrames)}});
}

// How many keys a frame holds: 0 to all 256.
inline rc::Gen<int> KeyCounts() {
  return Leaning<int>(Around<int>({0, 1, 127, 128, 255, 256}), 0, InputFrame::KeyCount);
}

// `count` different keys, any of the 256.
inline InputFrame HoldingAny(int count, uint64_t seed) {
  std::vector<int> keys(InputFrame::KeyCount);
  for (int key = 0; key < InputFrame::KeyCount; ++key) {
    keys[key] = key;
  }
  std::shuffle(keys.begin(), keys.end(), std::mt19937_64(seed));
  InputFrame frame;
  for (int i = 0; i < count; ++i) {
    frame.Press(keys[i]);
  }
  return frame;
}

// The online protocol's own bounds.
inline rc::Gen<uint8_t> InputDelays() {
  return Leaning<uint8_t>(Around<uint8_t>({0, MaxInputDelay}), 0, MaxInputDelay);
}
inline rc::Gen<size_t> MaskCounts() {
  return Leaning<size_t>(Around<size_t>({0, 1, MaxInputsPerPacket}), 0, MaxInputsPerPacket);
}
inline rc::Gen<size_t> DocumentLengths() {
  return Leaning<size_t>(Around<size_t>({0, 1, 127, 128, MaxStartDocumentBytes}), 0,
                         MaxStartDocumentBytes);
}
// A frame number, 0 to 2^31 - 1.
inline rc::Gen<int32_t> Frames() {
  return Leaning<int32_t>(
      Around<int32_t>({0, CheckpointPeriod, std::numeric_limits<int32_t>::max()}), 0);
}

}  // namespace boundary
