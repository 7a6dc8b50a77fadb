// The RIFF WAVE reader on every rule, on files built byte by byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sound/wave_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutWord(Bytes& out, uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
}

Bytes ChunkOf(const char* id, const Bytes& body, uint32_t claimedSize = 0xFFFFFFFF) {
  Bytes out(id, id + 4);
  PutWord(out, claimedSize == 0xFFFFFFFF ? static_cast<uint32_t>(body.size()) : claimedSize);
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2 == 1) {
    out.push_back(0);
  }
  return out;
}

// A "fmt " chunk of `size` bytes: 16-bit mono PCM at 22050 Hz unless the tag says otherwise.
Bytes FormatChunk(int size, uint16_t tag = 1) {
  Bytes body;
  PutWord(body, tag, 2);
  PutWord(body, 1, 2);
  PutWord(body, 22050);
  PutWord(body, 44100);
  PutWord(body, 2, 2);
  PutWord(body, 16, 2);
  body.resize(size, 0);
  return ChunkOf("fmt ", body);
}

Bytes Samples() {
  return {1, 2, 3, 4, 5, 6};
}

Bytes Riff(const std::vector<Bytes>& chunks) {
  Bytes body = {'W', 'A', 'V', 'E'};
  for (const Bytes& chunk : chunks) {
    body.insert(body.end(), chunk.begin(), chunk.end());
  }
  return ChunkOf("RIFF", body);
}

int Read(const Bytes& file, WaveSound& sound) {
  return ReadWaveMemory(file.data(), file.size(), sound);
}

TEST(SoundWaveTest, AcceptsFormatChunksOf16And18Bytes) {
  for (int size : {16, 18}) {
    WaveSound sound;
    ASSERT_EQ(Read(Riff({FormatChunk(size), ChunkOf("data", Samples())}), sound), 1) << size;
    EXPECT_EQ(sound.format.formatTag, 1);
    EXPECT_EQ(sound.format.channels, 1);
    EXPECT_EQ(sound.format.samplesPerSecond, 22050u);
    EXPECT_EQ(sound.format.blockAlign, 2);
    EXPECT_EQ(sound.format.bitsPerSample, 16);
    EXPECT_EQ(sound.samples, Samples());
  }
}

TEST(SoundWaveTest, RefusesOtherFormatSizesAndNonPcm) {
  WaveSound sound;
  // Every size around the two accepted ones, and far from them.
  for (int size : {0, 14, 15, 17, 19, 20, 40}) {
    EXPECT_EQ(Read(Riff({FormatChunk(size), ChunkOf("data", Samples())}), sound), 0) << size;
  }
  EXPECT_EQ(Read(Riff({FormatChunk(16, 3), ChunkOf("data", Samples())}), sound), 0);
  EXPECT_TRUE(sound.samples.empty());
}

TEST(SoundWaveTest, SkipsOtherChunksButNeverLooksBackBeforeFmt) {
  Bytes list = ChunkOf("LIST", {'I', 'N', 'F', 'O', 'x'});  // odd size: padded
  WaveSound sound;
  ASSERT_EQ(Read(Riff({ChunkOf("JUNK", {0, 0}), FormatChunk(16), list, ChunkOf("data", Samples())}),
                 sound),
            1);
  EXPECT_EQ(sound.samples, Samples());
  WaveSound before;
  EXPECT_EQ(Read(Riff({ChunkOf("data", Samples()), FormatChunk(16)}), before), 0);
  EXPECT_EQ(Read(Riff({FormatChunk(16)}), before), 0);
  EXPECT_EQ(Read(Riff({ChunkOf("data", Samples())}), before), 0);
}

TEST(SoundWaveTest, NeedsARiffWaveChunk) {
  Bytes file = Riff({FormatChunk(16), ChunkOf("data", Samples())});
  file[8] = 'A';  // form type "AAVE"
  WaveSound sound;
  EXPECT_EQ(Read(file, sound), 0);
  EXPECT_EQ(Read({}, sound), 0);
  EXPECT_EQ(ReadWaveMemory(nullptr, 10, sound), 0);
}

TEST(SoundWaveTest, RefusesTruncatedFilesAndOversizedChunks) {
  Bytes whole = Riff({FormatChunk(16), ChunkOf("data", Samples())});
  WaveSound sound;
  for (size_t cut = 1; cut < whole.size(); ++cut) {
    Bytes shorter(whole.begin(), whole.begin() + cut);
    EXPECT_EQ(Read(shorter, sound), 0) << "cut at " << cut;
  }
  // A data chunk claiming 4 GB fails before any allocation could be tried.
  EXPECT_EQ(Read(Riff({FormatChunk(16), ChunkOf("data", Samples(), 0xFFFFFFF0)}), sound), 0);
  // A chunk before "data" whose size runs past the end hides everything after it.
  EXPECT_EQ(Read(Riff({FormatChunk(16), ChunkOf("LIST", {1, 2}, 1000), ChunkOf("data", Samples())}),
                 sound),
            0);
  EXPECT_TRUE(sound.samples.empty());
}

TEST(SoundWaveTest, ReadsFilesFromDisk) {
  std::string path = ::testing::TempDir() + "sound_wave_test.wav";
  Bytes file = Riff({FormatChunk(18), ChunkOf("data", Samples())});
  std::FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  WaveSound sound;
  EXPECT_EQ(ReadWaveFile(path.c_str(), sound), 1);
  EXPECT_EQ(sound.samples, Samples());
  std::remove(path.c_str());
  EXPECT_EQ(ReadWaveFile(path.c_str(), sound), 0);
}

}  // namespace
