// Replays through the headless runner: a recorded run plays back to the same final state and the
// same scene changes and sounds in every mode, a replay whose keys were changed fails --verify at
// the first hash after the change, and a refused file plays nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "replay/replay_file.h"
#include "services/keyboard.h"
#include "state/json_text.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string errors;
};

class ReplayHeadless : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("astorine-replay-" + std::to_string(getpid()) + "-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  Outcome Run(const std::string& arguments) const {
    std::string errors = Path("stderr");
    std::string command = std::string(ASTORINE_HEADLESS) + " --data " + ASTORINE_DATA_DIR + " " +
                          arguments + " 2> " + errors;
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Text(errors)};
  }

  static std::string Text(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  // The top-level members in which two state documents differ.
  static std::string Differences(const std::string& first, const std::string& second) {
    Json a = Json::parse(Text(first));
    Json b = Json::parse(Text(second));
    std::string members;
    for (auto it = a.begin(); it != a.end(); ++it) {
      if (!b.contains(it.key()) || b[it.key()] != it.value()) {
        members += " " + it.key();
      }
    }
    return members;
  }

  fs::path folder_;
};

TEST_F(ReplayHeadless, RecordedRunsPlayBackToTheSameStateInEveryMode) {
  const char* modes[] = {"solo", "two", "computer", "solo-hard", "two-test", "computer-test"};
  uint32_t seed = 40;
  for (const std::string mode : modes) {
    ++seed;
    std::string keys = " --seed " + std::to_string(seed) + " --random-keys " +
                       std::to_string(seed) + " --random-mode " + mode;
    ASSERT_EQ(Run(keys + " --frames 2500 --record " + Path("run.replay") + " --state-out " +
                  Path("recorded.json") + " --events " + Path("recorded.events"))
                  .status,
              0)
        << mode;
    Outcome replayed = Run("--replay " + Path("run.replay") + " --verify --state-out " +
                           Path("replayed.json") + " --events " + Path("replayed.events"));
    EXPECT_EQ(replayed.status, 0) << mode << ": " << replayed.errors;
    EXPECT_EQ(Differences(Path("recorded.json"), Path("replayed.json")), "") << mode;
    EXPECT_EQ(Text(Path("recorded.events")), Text(Path("replayed.events"))) << mode;
    Replay replay;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(Path("run.replay"), replay, error)) << error;
    EXPECT_EQ(ReplayModeName(replay.summary), mode);
    EXPECT_EQ(replay.FrameCount(), 2500u);
  }
}

TEST_F(ReplayHeadless, ARecordingStartsAfterTheStartingStateAndItsKeyScript) {
  std::string scenario = std::string(ASTORINE_TEST_DIR) + "/scenarios/versus_hole_exchange";
  ASSERT_EQ(Run("--seed 24 --frames 300 --state-in " + scenario + ".state-in.json --record " +
                Path("run.replay") + " --state-out " + Path("recorded.json"))
                .status,
            0);
  ASSERT_EQ(Run("--replay " + Path("run.replay") + " --verify --state-out " + Path("replayed.json"))
                .status,
            0);
  EXPECT_EQ(Differences(Path("recorded.json"), Path("replayed.json")), "");
}

TEST_F(ReplayHeadless, AChangedKeyFailsVerifyAtTheFirstHashAfterIt) {
  std::string scenario = std::string(ASTORINE_TEST_DIR) + "/scenarios/solo_game";
  ASSERT_EQ(
      Run("--seed 15 --frames 1100 --keys " + scenario + ".keys --record " + Path("run.replay"))
          .status,
      0);
  Replay replay;
  std::string error;
  ASSERT_TRUE(ReadReplayFile(Path("run.replay"), replay, error)) << error;
  // Frame 330 holds Down and Left (as does frame 500): the pair steps right instead.
  InputFrame stepLeft;
  stepLeft.Press(KeyDown_);
  stepLeft.Press(KeyLeft);
  uint32_t start = 0;
  bool changed = false;
  for (InputRun& run : replay.runs) {
    if (run.keys == stepLeft && !changed) {
      ASSERT_EQ(start, 330u);
      run.keys.Release(KeyLeft);
      run.keys.Press(KeyRight);
      changed = true;
    }
    start += run.frames;
  }
  ASSERT_TRUE(changed);
  ASSERT_TRUE(WriteReplayFile(Path("changed.replay"), replay, error)) << error;
  Outcome verified = Run("--replay " + Path("changed.replay") + " --verify");
  EXPECT_EQ(verified.status, 4);
  EXPECT_EQ(verified.errors.rfind("astorine-headless: frame 399: ", 0), 0u) << verified.errors;
  EXPECT_NE(verified.errors.find("side1"), std::string::npos) << verified.errors;
  EXPECT_EQ(Run("--replay " + Path("run.replay") + " --verify").status, 0);
}

TEST_F(ReplayHeadless, ARefusedReplayPlaysNothing) {
  ASSERT_EQ(Run("--frames 10 --record " + Path("run.replay")).status, 0);
  fs::resize_file(Path("run.replay"), fs::file_size(Path("run.replay")) - 1);
  Outcome refused = Run("--replay " + Path("run.replay") + " --verify --state-out " +
                        Path("state.json") + " --events " + Path("events"));
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.errors.find("run.replay: truncated: "), std::string::npos) << refused.errors;
  EXPECT_EQ(std::count(refused.errors.begin(), refused.errors.end(), '\n'), 1) << refused.errors;
  EXPECT_FALSE(fs::exists(Path("state.json")));
  EXPECT_FALSE(fs::exists(Path("events")));
}

}  // namespace
