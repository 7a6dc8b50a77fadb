// The player's settings and records survive a writer killed at any moment: the file read after
// holds either the old text or the new, whole, and reads without a complaint.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/config_folder.h"
#include "program/game_records.h"
#include "program/records_loading.h"
#include "program/settings_loading.h"
#include "program/settings_saving.h"

namespace fs = std::filesystem;

namespace {

// Forks a writer that runs `write(i)` for i = 0, 1, 2... and kills it at a moment drawn at
// random within its first writes.
template <typename Write>
void KillAWriter(std::mt19937& random, Write write) {
  const pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    for (int i = 0;; ++i) {
      write(i);
    }
  }
  const auto until = std::chrono::steady_clock::now() +
                     std::chrono::microseconds(std::uniform_int_distribution(0, 20000)(random));
  while (std::chrono::steady_clock::now() < until) {
  }
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
}

}  // namespace

class KilledWriters : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("astorine-killed-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    setenv("HOME", root.c_str(), 1);
    for (const char* variable : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"}) {
      setenv(variable, "", 1);
    }
  }
  void TearDown() override { fs::remove_all(root); }

  fs::path root;
  std::mt19937 random{11};
};

TEST_F(KilledWriters, SettingsStayWhole) {
  Settings settings;
  settings.volume = 10;
  ASSERT_TRUE(SavePlayerSettings(settings));
  for (int round = 0; round < 20; ++round) {
    KillAWriter(random, [](int i) {
      Settings changed;
      changed.volume = i % 2 == 0 ? 90 : 10;
      changed.mute = i % 2 == 0;
      SavePlayerSettings(changed);
    });
    std::vector<std::string> messages;
    const Settings read = LoadSettingsFile(SettingsFilePath(), messages);
    ASSERT_TRUE(messages.empty()) << messages.front();
    ASSERT_TRUE(read.volume == 10 || read.volume == 90) << read.volume;
    ASSERT_EQ(read.mute, read.volume == 90);
  }
}

TEST_F(KilledWriters, RecordsStayWhole) {
  RecordKeeper keeper(RecordsFilePath(), RecordReplaysFolderPath());
  const ReplaySummary win{'c', ReplayStart::Normal, ReplayResult::Player1Won, 0, 1796675465};
  keeper.Keep({}, win);
  uint32_t wins = 1;
  for (int round = 0; round < 20; ++round) {
    KillAWriter(random, [&win](int) {
      RecordKeeper writer(RecordsFilePath(), RecordReplaysFolderPath());
      writer.Keep({}, win);
    });
    Records records;
    std::vector<std::string> messages;
    ASSERT_TRUE(LoadRecordsFile(RecordsFilePath(), records, messages));
    ASSERT_TRUE(messages.empty()) << messages.front();
    // The killed writer counted on from the last whole file, never backwards.
    ASSERT_GE(records.Computer(RecordStart::Normal).wins, wins);
    wins = records.Computer(RecordStart::Normal).wins;
  }
}
