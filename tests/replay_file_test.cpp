// The replay file: what is written reads back the same, and every kind of file that cannot be
// played exactly is refused with one line, leaving the replay as it was.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "replay/crc32.h"
#include "replay/replay_file.h"
#include "replay/replay_recorder.h"
#include "replay/versions.h"
#include "replay_bytes.h"

namespace {

// 450 frames: Left held for 30 frames, nothing, then K and Return together, from a seeded state.
Replay SmallReplay() {
  GameState state;
  state.score = 120;
  RandomState saved = Random;
  SeedRandom(9);
  ReplayRecorder recorder;
  recorder.Begin(state, Random);
  for (uint32_t frame = 0; frame < 450; ++frame) {
    InputFrame keys;
    if (frame < 30) {
      keys.Press(37);
    } else if (frame >= 100) {
      keys.Press('K');
      keys.Press(13);
    }
    recorder.RecordFrame(keys);
    ++state.FrameCount;
    recorder.FrameRan(state, Random);
  }
  Replay replay = recorder.Finish(state, Random, 1796601600);
  Random = saved;
  return replay;
}

TEST(ReplayFile, ReadsBackWhatItWroteCompactly) {
  Replay replay = SmallReplay();
  ASSERT_EQ(replay.FrameCount(), 450u);
  ASSERT_EQ(replay.runs.size(), 3u);
  ASSERT_EQ(replay.checkpoints.size(), 3u);
  EXPECT_EQ(replay.checkpoints[0].frame, 199u);
  EXPECT_EQ(replay.checkpoints[2].frame, 449u);
  std::vector<uint8_t> bytes = EncodeReplay(replay);
  Replay read;
  std::string error;
  ASSERT_TRUE(DecodeReplay(bytes.data(), bytes.size(), read, error)) << error;
  EXPECT_EQ(read, replay);
  EXPECT_EQ(read.summary.date, 1796601600);
  // Three runs of a few bytes each: the file is the starting document and little else.
  EXPECT_LT(bytes.size(), replay.startState.size() + 600);
}

TEST(ReplayFile, RefusesWhatItCannotPlayExactly) {
  const std::vector<uint8_t> good = EncodeReplay(SmallReplay());
  const size_t stateLength = good[40] | good[41] << 8 | good[42] << 16;
  const size_t firstRun = 44 + stateLength + 4;
  struct Case {
    const char* kind;
    std::function<void(std::vector<uint8_t>&)> spoil;
    const char* line;
  };
  const Case cases[] = {
      {"unknown format version", [](auto& b) { b[8] = 2; }, "replay format version 2 is unknown"},
      {"other logic version", [](auto& b) { b[10] = GameLogicVersion + 1, Reseal(b); },
       "recorded under the game's logic version"},
      {"one byte of the keys changed", [&](auto& b) { b[firstRun + 2] ^= 1; },
       "damaged: its checksum"},
      {"truncated", [](auto& b) { b.resize(b.size() - 7); }, "truncated:"},
      {"truncated inside its header", [](auto& b) { b.resize(9); }, "truncated:"},
      {"oversized", [](auto& b) { b.resize(MaxReplayBytes + 1); }, "too large:"},
      {"claims to be oversized", [](auto& b) { PutU32(b, 12, MaxReplayBytes + 1); }, "too large:"},
      {"too many frames", [](auto& b) { PutU32(b, 32, MaxReplayFrames + 1), Reseal(b); },
       "too long:"},
      {"runs not adding up", [](auto& b) { PutU32(b, 32, 451), Reseal(b); }, "damaged:"},
      {"a run's length written long",
       [&](auto& b) {
         b[firstRun] |= 0x80;
         b.insert(b.begin() + firstRun + 1, 0);
         PutU32(b, 12, static_cast<uint32_t>(b.size()));
         Reseal(b);
       },
       "damaged: a run of keys"},
      {"a bad starting state",
       [](auto& b) {
         b[44] = '[';
         Reseal(b);
       },
       "damaged: its starting"},
      {"not a replay", [](auto& b) { b[0] = 'X'; }, "not a replay file"},
      {"empty", [](auto& b) { b.clear(); }, "truncated: 0 bytes"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    c.spoil(bytes);
    Replay replay;
    replay.startState = "untouched";
    std::string error;
    static const uint8_t nothing = 0;
    EXPECT_FALSE(DecodeReplay(bytes.empty() ? &nothing : bytes.data(), bytes.size(), replay, error))
        << c.kind;
    EXPECT_EQ(error.rfind(c.line, 0), 0u) << c.kind << ": " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << c.kind;
    EXPECT_EQ(replay.startState, "untouched") << c.kind;
  }
}

TEST(ReplayFile, RefusesAnOversizedFileBeforeReadingIt) {
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("astorine-replay-test-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::string path = (folder / "huge.replay").string();
  std::string error;
  ASSERT_TRUE(WriteReplayFile(path, SmallReplay(), error)) << error;
  Replay replay;
  ASSERT_TRUE(ReadReplayFile(path, replay, error)) << error;
  // Sparse: 4 GiB of nothing costs no disk, and would cost memory only if it were read.
  std::filesystem::resize_file(path, uint64_t{4} << 30);
  EXPECT_FALSE(ReadReplayFile(path, replay, error));
  EXPECT_EQ(error.rfind("too large: 4294967296 bytes", 0), 0u) << error;
  std::filesystem::remove_all(folder);
}

// A file of any length reads whole: lengths at and either side of the block sizes readers
// and file systems work in (the starting document padded with blanks, which JSON allows).
TEST(ReplayFile, FilesAtEveryBlockBoundaryReadBackWhole) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("astorine-replay-blocks-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "blocks.replay").string();
  const Replay small = SmallReplay();
  const size_t bare = EncodeReplay(small).size();
  ASSERT_LT(bare, 32767u);
  for (size_t block : {32768u, 65536u, 131072u}) {
    for (size_t size : {block - 1, block, block + 1}) {
      Replay replay = small;
      replay.startState.append(size - bare, ' ');
      Replay read;
      std::string error;
      ASSERT_TRUE(WriteReplayFile(path, replay, error)) << error;
      ASSERT_EQ(std::filesystem::file_size(path), size);
      EXPECT_TRUE(ReadReplayFile(path, read, error)) << size << " bytes: " << error;
      EXPECT_EQ(read, replay) << size << " bytes";
    }
  }
  std::filesystem::remove_all(folder);
}

// The golden replays (tests/golden) are files of today's format as a build wrote them: read, they
// write back byte for byte, and among them are counts on either side of a hash's period.
TEST(ReplayFile, GoldenReplaysReadAndWriteBackByteForByte) {
  std::vector<uint32_t> frameCounts;
  for (const auto& entry : std::filesystem::directory_iterator(ASTORINE_TEST_DIR "/golden")) {
    if (entry.path().extension() != ".replay") {
      continue;
    }
    std::ifstream file(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    Replay replay;
    std::string error;
    ASSERT_TRUE(DecodeReplay(bytes.data(), bytes.size(), replay, error))
        << entry.path() << ": " << error;
    EXPECT_EQ(EncodeReplay(replay), bytes) << entry.path();
    frameCounts.push_back(replay.FrameCount());
  }
  EXPECT_GE(frameCounts.size(), 7u);
  for (uint32_t count : {400u, 401u}) {
    EXPECT_NE(std::find(frameCounts.begin(), frameCounts.end(), count), frameCounts.end())
        << "no golden replay of " << count << " frames";
  }
}

}  // namespace
