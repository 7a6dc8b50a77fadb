// The replay file over generated replays: what is written reads back equal, what the reader
// accepts it writes back byte for byte, and every truncation, change, addition or count past
// what the rest holds is refused with one line, the replay untouched. Also its numbers (the byte
// stream's varints), the recorder's runs and hashes, and the names a summary gives.
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "boundary_values.h"
#include "program/replay_shelf.h"
#include "replay/byte_stream.h"
#include "replay/crc32.h"
#include "replay/replay_file.h"
#include "replay/replay_recorder.h"
#include "replay/versions.h"
#include "replay_bytes.h"
#include "state/state_document.h"
#include "state/state_hash.h"

namespace {

constexpr size_t HeaderSize = 44;

// The document a fresh game writes, generator included: what every generated replay starts from.
const std::string& StartDocument() {
  static const std::string document = [] {
    RandomState random;
    random.index = 624;
    return WriteStateDocument(GameState{}, random);
  }();
  return document;
}

ReplaySummary AnySummary() {
  ReplaySummary summary;
  summary.playMode = *rc::gen::element<uint8_t>(0, 's', 'p', 'c');
  summary.start = *rc::gen::element(ReplayStart::Normal, ReplayStart::Hard, ReplayStart::Test);
  summary.result = *rc::gen::element(ReplayResult::Unfinished, ReplayResult::SoloOver,
                                     ReplayResult::Player1Won, ReplayResult::Player2Won);
  summary.score = *boundary::Leaning<int32_t>();
  summary.date = *boundary::Leaning<int64_t>();
  return summary;
}

InputFrame AnyKeys() {
  const int count = *boundary::KeyCounts();
  return boundary::HoldingAny(count, *rc::gen::arbitrary<uint64_t>());
}

// At most 40 runs; the last takes what is left.
std::vector<InputRun> AnyRuns(uint32_t frames) {
  std::vector<InputRun> runs;
  while (frames > 0) {
    const uint32_t length = runs.size() == 39 ? frames : std::min(frames, *boundary::RunLengths());
    runs.push_back({AnyKeys(), length});
    frames -= length;
  }
  return runs;
}

// Where the reader wants them: after every 200th frame and after the last.
std::vector<StateCheckpoint> CheckpointsFor(uint32_t frames, uint64_t seed) {
  std::mt19937_64 draw(seed);
  std::vector<StateCheckpoint> checkpoints((frames + CheckpointPeriod - 1) / CheckpointPeriod);
  for (size_t i = 0; i < checkpoints.size(); ++i) {
    checkpoints[i].frame = i + 1 < checkpoints.size()
                               ? static_cast<uint32_t>(i + 1) * CheckpointPeriod - 1
                               : frames - 1;
    checkpoints[i].whole = draw();
    checkpoints[i].members.resize(StateMemberNames().size());
    for (uint32_t& member : checkpoints[i].members) {
      member = static_cast<uint32_t>(draw());
    }
  }
  return checkpoints;
}

Replay AnyReplay() {
  Replay replay;
  replay.logicVersion = GameLogicVersion;
  replay.summary = AnySummary();
  replay.startState = StartDocument();
  replay.runs = AnyRuns(*boundary::ReplayFrameCounts());
  replay.checkpoints = CheckpointsFor(replay.FrameCount(), *rc::gen::arbitrary<uint64_t>());
  return replay;
}

// Where the parts of a file written by EncodeReplay begin.
struct Layout {
  size_t runs;         // the run count
  size_t checkpoints;  // the checkpoint count
  size_t crc;
};

Layout LayoutOf(const std::vector<uint8_t>& bytes) {
  const size_t crc = bytes.size() - 4;
  const uint32_t frames = GetU32(bytes, 32);
  const size_t hashSize = 12 + 4 * size_t{GetU32(bytes, 36)};
  const size_t count = (frames + CheckpointPeriod - 1) / CheckpointPeriod;
  return {HeaderSize + GetU32(bytes, 40), crc - 4 - count * hashSize, crc};
}

// A replay nothing generated resembles, to see that a refusal leaves it alone.
const Replay& Untouched() {
  static const Replay replay{7,
                             {'c', ReplayStart::Hard, ReplayResult::Player2Won, -5, 99},
                             "untouched",
                             {{boundary::HoldingAny(3, 1), 5}},
                             {}};
  return replay;
}

// The first `size` bytes, copied to a buffer of their exact size so that AddressSanitizer sees
// any read past them.
bool Decode(const std::vector<uint8_t>& bytes, size_t size, Replay& replay, std::string& error) {
  const auto exact = std::make_unique<uint8_t[]>(std::max<size_t>(size, 1));
  std::copy(bytes.begin(), bytes.begin() + static_cast<long>(size), exact.get());
  return DecodeReplay(exact.get(), size, replay, error);
}

// Refused with one line and no effect; or accepted, and then written back byte for byte.
// Returns whether it was accepted.
bool ReadsSafely(const std::vector<uint8_t>& bytes, const std::string& what,
                 size_t size = SIZE_MAX) {
  size = std::min(size, bytes.size());
  Replay replay = Untouched();
  std::string error;
  if (Decode(bytes, size, replay, error)) {
    const std::vector<uint8_t> written = EncodeReplay(replay);
    if (!std::equal(written.begin(), written.end(), bytes.begin(), bytes.begin() + size)) {
      RC_FAIL(what + ": accepted, but written back differently");
    }
    return true;
  }
  if (error.empty() || error.find('\n') != std::string::npos || !(replay == Untouched())) {
    RC_FAIL(what + ": refused with \"" + error + "\" or changed the replay");
  }
  return false;
}

void RequireRefused(const std::vector<uint8_t>& bytes, const std::string& what,
                    size_t size = SIZE_MAX) {
  if (ReadsSafely(bytes, what, size)) {
    RC_FAIL(what + ": accepted");
  }
}

RC_GTEST_PROP(ReplayFileProperties, ReadsBackWhatItWrote, ()) {
  const Replay replay = AnyReplay();
  const std::vector<uint8_t> bytes = EncodeReplay(replay);
  RC_ASSERT(GetU32(bytes, 12) == bytes.size());
  RC_ASSERT(GetU32(bytes, 32) == replay.FrameCount());
  Replay read = Untouched();
  std::string error;
  if (!Decode(bytes, bytes.size(), read, error)) {
    RC_FAIL("refused what it wrote: " + error);
  }
  RC_ASSERT(read == replay);
}

TEST(ReplayFileProperties, RefusesEveryTruncationAndAnythingAppended) {
  boundary::CheckCases(50, [] {
    const std::vector<uint8_t> bytes = EncodeReplay(AnyReplay());
    const Layout at = LayoutOf(bytes);
    // Every length through the header and around each part's start and end, and a sample of the
    // rest; cut as a file is cut, and resealed, as if the writer had stopped there.
    std::vector<size_t> cuts;
    for (size_t size = 0; size <= HeaderSize + 8; ++size) {
      cuts.push_back(size);
    }
    for (size_t edge : {at.runs, at.runs + 4, at.checkpoints, at.checkpoints + 4, at.crc}) {
      for (size_t size = edge - 2; size <= edge + 2 && size < bytes.size(); ++size) {
        cuts.push_back(size);
      }
    }
    for (int i = 0; i < 12; ++i) {
      cuts.push_back(boundary::Uniform(bytes.size()));
    }
    for (size_t size : cuts) {
      RequireRefused(bytes, "cut to " + std::to_string(size), size);
      if (size >= HeaderSize && size < at.crc) {
        std::vector<uint8_t> resealed(bytes.begin(), bytes.begin() + static_cast<long>(size) + 4);
        Reseal(resealed);
        RequireRefused(resealed, "cut to " + std::to_string(size) + " and resealed");
      }
    }
    const auto more =
        *rc::gen::nonEmpty(rc::gen::container<std::vector<uint8_t>>(rc::gen::arbitrary<uint8_t>()));
    std::vector<uint8_t> longer = bytes;
    longer.insert(longer.end(), more.begin(), more.end());
    RequireRefused(longer, std::to_string(more.size()) + " bytes appended");
    longer.resize(bytes.size() - 4);
    longer.insert(longer.end(), more.begin(), more.end());
    longer.resize(longer.size() + 4);
    Reseal(longer);
    RequireRefused(longer, std::to_string(more.size()) + " bytes before the checksum");
  });
}

// CRC-32 finds every change of one or two bits and every burst of up to 32 bits.
RC_GTEST_PROP(ReplayFileProperties, TheChecksumFindsAnyChangedBits, ()) {
  std::vector<uint8_t> bytes = EncodeReplay(AnyReplay());
  const size_t at = boundary::Uniform(bytes.size());
  if (*rc::gen::arbitrary<bool>()) {
    const size_t bit = boundary::Uniform(8);
    bytes[at] ^= static_cast<uint8_t>(1 << bit);
    const size_t second = boundary::Uniform(bytes.size());
    const size_t secondBit = boundary::Uniform(8);
    if (second != at || secondBit != bit) {
      bytes[second] ^= static_cast<uint8_t>(1 << secondBit);
    }
  } else {
    const size_t end = std::min(bytes.size(), at + 1 + boundary::Uniform(4));
    for (size_t i = at; i < end; ++i) {
      bytes[i] ^= static_cast<uint8_t>(1 + boundary::Uniform(255));
    }
  }
  RequireRefused(bytes, "bits changed from byte " + std::to_string(at));
}

// Damage that the checksum no longer sees: the body's own checks must refuse it, or the result
// must be a replay that writes back to exactly these bytes (a changed hash, key or score).
RC_GTEST_PROP(ReplayFileProperties, ResealedDamageIsRefusedOrReadsAsItIsWritten, ()) {
  std::vector<uint8_t> bytes = EncodeReplay(AnyReplay());
  const Layout at = LayoutOf(bytes);
  const size_t changes = 1 + boundary::Uniform(3);
  for (size_t i = 0; i < changes; ++i) {
    const auto [first, end] =
        *rc::gen::weightedElement<std::pair<size_t, size_t>>({{2, {0, HeaderSize}},
                                                              {1, {HeaderSize, at.runs}},
                                                              {4, {at.runs, at.checkpoints}},
                                                              {2, {at.checkpoints, at.crc}}});
    const size_t where = first + boundary::Uniform(end - first);
    bytes[where] = *boundary::Leaning<uint8_t>({0x01, 0x7F, 0x80, 0x81, 0xFF}) ^
                   (*rc::gen::arbitrary<bool>() ? bytes[where] : 0);
  }
  Reseal(bytes);
  ReadsSafely(bytes, "resealed after " + std::to_string(changes) + " changes");
}

// Each count and length at one past what the rest of the file holds, resealed.
TEST(ReplayFileProperties, RefusesEachCountOnePastWhatTheFileHolds) {
  boundary::CheckCases(50, [] {
    Replay replay = AnyReplay();
    const bool everyKey = !replay.runs.empty() && *rc::gen::arbitrary<bool>();
    if (everyKey) {
      replay.runs[0].keys = boundary::HoldingAny(InputFrame::KeyCount, 0);
    }
    const std::vector<uint8_t> bytes = EncodeReplay(replay);
    const Layout at = LayoutOf(bytes);
    auto refuses = [&bytes](size_t offset, uint32_t value, const std::string& what) {
      std::vector<uint8_t> spoilt = bytes;
      PutU32(spoilt, offset, value);
      Reseal(spoilt);
      RequireRefused(spoilt, what + " " + std::to_string(value));
    };
    const uint32_t frames = replay.FrameCount();
    for (int step : {-1, 1}) {
      refuses(32, frames + step, "frame count");
      refuses(36, GetU32(bytes, 36) + step, "members per hash");
      refuses(at.runs, static_cast<uint32_t>(replay.runs.size()) + step, "run count");
      refuses(at.checkpoints, static_cast<uint32_t>(replay.checkpoints.size()) + step,
              "checkpoint count");
      if (!replay.checkpoints.empty()) {
        refuses(at.checkpoints + 4, replay.checkpoints[0].frame + step, "first hash's frame");
      }
    }
    refuses(32, *boundary::Leaning<uint32_t>({MaxReplayFrames + 1}, MaxReplayFrames + 1),
            "frame count");
    if (replay.runs.empty()) {
      return;
    }
    // The first run's length as 0, in the width it was written in: a run of no frames, or a
    // longer form than the number needs.
    std::vector<uint8_t> spoilt = bytes;
    size_t width = 1;
    for (uint32_t length = replay.runs[0].frames; length >= 0x80; length >>= 7) {
      spoilt[at.runs + 4 + width - 1] = 0x80;
      ++width;
    }
    spoilt[at.runs + 4 + width - 1] = 0;
    Reseal(spoilt);
    RequireRefused(spoilt, "first run of 0 frames");
    size_t count = 0;
    for (int key = 0; key < InputFrame::KeyCount; ++key) {
      count += replay.runs[0].keys.Held(key) ? 1 : 0;
    }
    const size_t keys = at.runs + 4 + width + (count < 0x80 ? 1 : 2);
    RC_ASSERT(bytes[keys - 1] == (count < 0x80 ? count : count >> 7));
    if (everyKey) {
      // 256 keys are written 0x80 0x02; 257 is one key more than there are.
      spoilt = bytes;
      RC_ASSERT(spoilt[keys - 2] == 0x80);
      spoilt[keys - 2] = 0x81;
      Reseal(spoilt);
      RequireRefused(spoilt, "257 keys held");
    }
    // A key named twice, or two keys out of their rising order.
    if (count >= 2) {
      spoilt = bytes;
      const size_t second = keys + 1 + boundary::Uniform(count - 1);
      if (*rc::gen::arbitrary<bool>()) {
        spoilt[second] = spoilt[second - 1];
      } else {
        std::swap(spoilt[second], spoilt[second - 1]);
      }
      Reseal(spoilt);
      RequireRefused(spoilt, "keys repeated or out of order");
    }
  });
}

RC_GTEST_PROP(ReplayFileProperties, ReadsArbitraryBytesSafely, ()) {
  auto body = *rc::gen::container<std::vector<uint8_t>>(
      boundary::Leaning<uint8_t>({0x00, 0x01, 0x7F, 0x80, 0xFF}));
  std::vector<uint8_t> bytes;
  switch (boundary::Uniform(3)) {
    case 0:  // anything at all
      bytes = body;
      break;
    case 1: {  // a real header, then anything, resealed
      const std::vector<uint8_t> real = EncodeReplay(AnyReplay());
      bytes.assign(real.begin(), real.begin() + HeaderSize);
      bytes.insert(bytes.end(), body.begin(), body.end());
      bytes.resize(bytes.size() + 4);
      Reseal(bytes);
      break;
    }
    default: {  // a real header and starting state, then anything as the runs and hashes
      const std::vector<uint8_t> real = EncodeReplay(AnyReplay());
      bytes.assign(real.begin(), real.begin() + static_cast<long>(LayoutOf(real).runs));
      bytes.insert(bytes.end(), body.begin(), body.end());
      bytes.resize(bytes.size() + 4);
      Reseal(bytes);
    }
  }
  ReadsSafely(bytes, "arbitrary bytes");
}

// The summary's names make the replay's file name: two games that differ in what a name shows
// must not get the same one, and the folder must know the name as the game's own.
RC_GTEST_PROP(ReplayFileProperties, SummaryNamesTellGamesApart, ()) {
  const ReplaySummary a = AnySummary();
  ReplaySummary b = a;
  const ReplaySummary other = AnySummary();
  switch (boundary::Uniform(4)) {
    case 0:
      b.playMode = other.playMode;
      break;
    case 1:
      b.start = other.start;
      break;
    case 2:
      b.result = other.result;
      break;
    default:
      b.score = other.score;
  }
  const bool sameMode = a.playMode == b.playMode && (a.playMode == 0 || a.start == b.start);
  const bool sameResult =
      a.result == b.result && (a.result != ReplayResult::SoloOver || a.score == b.score);
  RC_ASSERT((ReplayModeName(a) == ReplayModeName(b)) == sameMode);
  RC_ASSERT((ReplayResultName(a) == ReplayResultName(b)) == sameResult);
  const std::string name = ReplayModeName(a) + "-" + ReplayResultName(a);
  RC_ASSERT(name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos);
  RC_ASSERT(ReplayTimeStamp(a.date).empty() || IsKeptReplayName(ReplayFileName(a)));
}

// Numbers of every width, varints among them, read back in order from exactly their bytes; cut
// short anywhere, the reader fails at the number cut and stays failed.
RC_GTEST_PROP(ReplayByteStreamProperties, NumbersReadBackFromTheirOwnWidths, ()) {
  const auto numbers = *rc::gen::container<std::vector<std::pair<int, uint64_t>>>(
      rc::gen::pair(rc::gen::inRange(0, 5), boundary::Leaning<uint64_t>()));
  ByteWriter out;
  std::vector<size_t> ends;
  for (auto [width, value] : numbers) {
    const size_t before = out.Size();
    switch (width) {
      case 0:
        out.U8(static_cast<uint8_t>(value));
        break;
      case 1:
        out.U16(static_cast<uint16_t>(value));
        break;
      case 2:
        out.U32(static_cast<uint32_t>(value));
        break;
      case 3:
        out.U64(value);
        break;
      default: {
        out.Varint(value);
        size_t bits = 1;
        while (bits < 64 && (value >> bits) != 0) {
          ++bits;
        }
        RC_ASSERT(out.Size() - before == (bits + 6) / 7);
      }
    }
    ends.push_back(out.Size());
  }
  const std::vector<uint8_t> bytes = out.Buffer();
  const size_t cut = boundary::Uniform(bytes.size() + 1);
  const std::vector<uint8_t> exact(bytes.begin(), bytes.begin() + static_cast<long>(cut));
  ByteReader in(exact.data(), exact.size());
  auto read = [&in](int width, uint64_t& value) {
    uint8_t u8 = 0;
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    switch (width) {
      case 0:
        return in.U8(u8) ? (value = u8, true) : false;
      case 1:
        return in.U16(u16) ? (value = u16, true) : false;
      case 2:
        return in.U32(u32) ? (value = u32, true) : false;
      case 3:
        return in.U64(value);
      default:
        return in.Varint(value);
    }
  };
  for (size_t i = 0; i < numbers.size(); ++i) {
    const auto [width, value] = numbers[i];
    uint64_t got = 0;
    const bool ok = read(width, got);
    RC_ASSERT(ok == (ends[i] <= cut));
    RC_ASSERT(in.Failed() == !ok);
    if (ok) {
      const uint64_t mask = width >= 3 ? ~uint64_t{0} : (uint64_t{1} << (8 << width)) - 1;
      RC_ASSERT(got == (value & mask));
      RC_ASSERT(in.Position() == ends[i]);
    }
  }
  if (!in.Failed()) {
    RC_ASSERT(in.Left() == 0u);
  }
}

// Whatever the bytes, a varint the reader takes is the one form the writer gives its value:
// no longer form, nothing wider than 64 bits.
RC_GTEST_PROP(ReplayByteStreamProperties, AVarintReadIsTheShortestFormOfItsValue, ()) {
  auto bytes = *rc::gen::container<std::vector<uint8_t>>(
      boundary::Leaning<uint8_t>({0x00, 0x01, 0x02, 0x7F, 0x80, 0x81, 0xFF}));
  switch (boundary::Uniform(3)) {
    case 0: {
      // A value's own form with a group of zeros added on top: one byte too long.
      ByteWriter out;
      out.Varint(*boundary::Leaning<uint64_t>());
      bytes = out.Buffer();
      bytes.back() |= 0x80;
      bytes.push_back(0);
      break;
    }
    case 1: {
      // Around the ten bytes that 64 bits take: the last group holds one bit.
      const size_t more = *boundary::Leaning<size_t>({8, 9, 10}, 0, 11);
      bytes.resize(more);
      for (uint8_t& byte : bytes) {
        byte = *rc::gen::arbitrary<uint8_t>() | 0x80;
      }
      bytes.push_back(*boundary::Leaning<uint8_t>({0, 1, 2, 0x7F}, 0, 0x7F));
      break;
    }
    default:
      break;
  }
  const std::vector<uint8_t> exact(bytes.begin(), bytes.end());
  ByteReader in(exact.data(), exact.size());
  uint64_t value = 0;
  if (in.Varint(value)) {
    ByteWriter out;
    out.Varint(value);
    RC_ASSERT(out.Buffer() == std::vector<uint8_t>(bytes.begin(), bytes.begin() + in.Position()));
  } else {
    uint8_t next = 0;
    RC_ASSERT(in.Failed());
    RC_ASSERT_FALSE(in.U8(next));
  }
}

// Recorded frame by frame, the keys come out as runs of change (equal neighbours joined), with
// the state's hash after every 200th frame and after the last.
TEST(ReplayRecorderProperties, KeepsEveryFrameAsRunsOfChangeWithAHashEvery200) {
  boundary::CheckCases(40, [] {
    const std::vector<InputFrame> pool = {InputFrame{}, boundary::HoldingAny(1, 3),
                                          boundary::HoldingAny(InputFrame::KeyCount, 0)};
    uint32_t budget = 8000;
    GameState state;
    RandomState random;
    random.index = 624;
    ReplayRecorder recorder;
    recorder.Begin(state, random);
    std::vector<InputRun> runs;
    std::vector<std::pair<uint32_t, uint64_t>> hashes;
    uint32_t frame = 0;
    while (budget > 0 && boundary::Uniform(8) != 0) {
      const InputFrame keys = *rc::gen::elementOf(pool);
      const uint32_t length = std::min(budget, *boundary::RunLengths());
      budget -= length;
      if (!runs.empty() && runs.back().keys == keys) {
        runs.back().frames += length;
      } else {
        runs.push_back({keys, length});
      }
      for (uint32_t i = 0; i < length; ++i, ++frame) {
        recorder.RecordFrame(keys);
        state.score = static_cast<int32_t>(frame);
        recorder.FrameRan(state, random);
        if ((frame + 1) % CheckpointPeriod == 0) {
          hashes.push_back({frame, HashState(state, random).whole});
        }
      }
    }
    if (frame % CheckpointPeriod != 0) {
      hashes.push_back({frame - 1, HashState(state, random).whole});
    }
    const Replay replay = recorder.Finish(state, random, *boundary::Leaning<int64_t>());
    RC_ASSERT(replay.runs == runs);
    RC_ASSERT(replay.FrameCount() == frame);
    RC_ASSERT(replay.checkpoints.size() == hashes.size());
    for (size_t i = 0; i < hashes.size(); ++i) {
      RC_ASSERT(replay.checkpoints[i].frame == hashes[i].first);
      RC_ASSERT(replay.checkpoints[i].whole == hashes[i].second);
    }
  });
}

// Ten hours is all a recording keeps; what it kept is a file the reader takes.
TEST(ReplayRecorderProperties, StopsAtTheFrameLimitWithAFileTheReaderTakes) {
  GameState state;
  RandomState random;
  ReplayRecorder recorder;
  recorder.Begin(state, random);
  const InputFrame changed = boundary::HoldingAny(2, 9);
  for (uint32_t frame = 0; frame < MaxReplayFrames + 3; ++frame) {
    recorder.RecordFrame(frame + 1 < MaxReplayFrames ? InputFrame{} : changed);
    recorder.FrameRan(state, random);
  }
  const Replay replay = recorder.Finish(state, random, 0);
  EXPECT_EQ(replay.FrameCount(), MaxReplayFrames);
  ASSERT_EQ(replay.runs.size(), 2u);
  EXPECT_EQ(replay.runs[1].frames, 1u);
  ASSERT_EQ(replay.checkpoints.size(), MaxReplayFrames / CheckpointPeriod);
  EXPECT_EQ(replay.checkpoints.back().frame, MaxReplayFrames - 1);
  const std::vector<uint8_t> bytes = EncodeReplay(replay);
  Replay read;
  std::string error;
  ASSERT_TRUE(DecodeReplay(bytes.data(), bytes.size(), read, error)) << error;
  EXPECT_EQ(read, replay);
}

}  // namespace
