// The SoundTable over the mixer's dummy driver: failed loads leave their slot free, sounds are
// started and stopped by slot, and requests by id reach the event hook whatever happens.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/sound_device.h"
#include "services/data_path.h"
#include "sound/sound_slots.h"

namespace {

// An 8-bit mono PCM file at 11025 Hz: RIFF header, 16-byte "fmt ", `samples` samples (200 last
// 18 ms).
void WriteWave(const std::string& path, uint32_t samples = 200) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  auto word = [file](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      std::fputc(static_cast<int>(value >> (8 * i)) & 0xFF, file);
    }
  };
  std::fputs("RIFF", file);
  word(36 + samples, 4);
  std::fputs("WAVEfmt ", file);
  for (uint32_t field : {16u, 1u | 1u << 16, 11025u, 11025u, 1u | 8u << 16}) {
    word(field, 4);
  }
  std::fputs("data", file);
  word(samples, 4);
  for (uint32_t i = 0; i < samples; ++i) {
    std::fputc(128 + (i % 32) * 2, file);
  }
  std::fclose(file);
}

std::vector<std::pair<SoundId, bool>>& Heard() {
  static std::vector<std::pair<SoundId, bool>> heard;
  return heard;
}
void Hear(SoundId id, bool start, bool /*loop*/) {
  Heard().push_back({id, start});
}

class SoundTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // no sound card here; ctest sets it as well
    // One folder per case: ctest runs the cases of a suite side by side.
    folder = ::testing::TempDir() + "sound_table_test-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::create_directories(folder);
    for (int id = 0; id < SoundCount; ++id) {
      WriteWave(folder + "/" + SoundFileName(static_cast<SoundId>(id)));
    }
    SetDataFolder(folder);
    Heard().clear();
    SetSoundEventHook(Hear);
  }
  void TearDown() override {
    SetSoundEventHook(nullptr);
    ReleaseSound();
    SetDataFolder("");
    std::filesystem::remove_all(folder);
  }
  std::string folder;
};

TEST_F(SoundTableTest, FailedLoadLeavesItsSlotToTheNextSound) {
  std::filesystem::remove(folder + "/titlebgm.wav");
  {
    std::FILE* broken = std::fopen((folder + "/mode.wav").c_str(), "wb");
    std::fputs("RIFF....WAVEnot a sound", broken);
    std::fclose(broken);
  }
  ASSERT_EQ(InitSound(12), 1);
  LoadSoundTable();
  const int32_t expected[SoundCount] = {-1, 0, 1, -1, 2, 3, 4, 5, 6, 7, 8, 9};
  for (int id = 0; id < SoundCount; ++id) {
    EXPECT_EQ(SoundTable[id], expected[id]) << SoundIdName(static_cast<SoundId>(id));
  }
  // Two slots stay free for later loads, in order.
  EXPECT_EQ(LoadSoundSlot((folder + "/bom.wav").c_str()), 10);
  EXPECT_EQ(LoadSoundSlot((folder + "/bom.wav").c_str()), 11);
  EXPECT_EQ(LoadSoundSlot((folder + "/bom.wav").c_str()), -1);  // all full
}

TEST_F(SoundTableTest, SlotsStartRestartAndStop) {
  ASSERT_EQ(InitSound(12), 1);
  LoadSoundTable();
  for (int id = 0; id < SoundCount; ++id) {  // every file good: each id in the slot of its number
    EXPECT_EQ(SoundTable[id], id) << SoundIdName(static_cast<SoundId>(id));
  }
  EXPECT_EQ(StartSoundSlot(-1, 0), 0);
  EXPECT_EQ(StartSoundSlot(12, 0), 0);
  EXPECT_EQ(StopSoundSlot(12), 0);
  EXPECT_EQ(StartSound(SndPlayBgm, 1), 1);
  EXPECT_EQ(StartSound(SndPlayBgm, 1), 1);  // a restart on the same channel, never a second copy
  EXPECT_EQ(Mix_Playing(-1), 1);
  EXPECT_EQ(Mix_Playing(SoundTable[SndPlayBgm]), 1);
  EXPECT_EQ(StartSound(SndSelect, 0), 1);
  EXPECT_EQ(Mix_Playing(-1), 2);
  EXPECT_EQ(StopSound(SndPlayBgm), 1);
  EXPECT_EQ(Mix_Playing(SoundTable[SndPlayBgm]), 0);
  EXPECT_EQ(FreeSoundSlot(SoundTable[SndSelect]), 1);
  EXPECT_EQ(FreeSoundSlot(SoundTable[SndSelect]), 0);
  EXPECT_EQ(StartSoundSlot(SoundTable[SndSelect], 0), 0);
}

TEST_F(SoundTableTest, ALoopingSoundOutlastsItsLengthAndAOneShotStops) {
  WriteWave(folder + "/select.wav", 11025 / 2);  // half a second, against the tune's 18 ms
  ASSERT_EQ(InitSound(12), 1);
  LoadSoundTable();
  ASSERT_EQ(StartSound(SndPlayBgm, 1), 1);
  ASSERT_EQ(StartSound(SndSelect, 0), 1);
  // The dummy device plays in real time: wait for the one-shot to end, however slow the machine.
  for (int waited = 0; Mix_Playing(SoundTable[SndSelect]) != 0 && waited < 20000; waited += 10) {
    SDL_Delay(10);
  }
  EXPECT_EQ(Mix_Playing(SoundTable[SndSelect]), 0) << "the one-shot sound never ended";
  EXPECT_EQ(Mix_Playing(SoundTable[SndPlayBgm]), 1) << "the looping tune ended";
}

TEST_F(SoundTableTest, RequestsByIdReachTheHookEvenWithoutASound) {
  ReleaseSound();
  for (int32_t& slot : SoundTable) {
    slot = -1;
  }
  EXPECT_EQ(StartSound(SndPinch, 1), 0);
  EXPECT_EQ(StopSound(SndPinch), 0);
  EXPECT_EQ(LoadSoundSlot((folder + "/bom.wav").c_str()), -1);  // no device
  ASSERT_EQ(Heard().size(), 2u);
  EXPECT_EQ(Heard()[0], std::make_pair(SndPinch, true));
  EXPECT_EQ(Heard()[1], std::make_pair(SndPinch, false));
  EXPECT_STREQ(SoundIdName(SndTitleBgm), "SndTitleBgm");
  EXPECT_STREQ(SoundFileName(SndPinch), "pinch.wav");
  EXPECT_EQ(InitSound(0), 0);
}

}  // namespace
