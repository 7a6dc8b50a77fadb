// The controls file on disk: where it is, what reading it says, and --write-controls, whose
// writes are whole or not at all.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "input/controls_file.h"
#include "platform/atomic_file.h"
#include "platform/config_folder.h"
#include "program/controls_loading.h"
#include "program/write_controls.h"
#include "program_test_support.h"

namespace fs = std::filesystem;

namespace {

using program_test::Put;
using program_test::TextOf;

// HOME and XDG_CONFIG_HOME point into a fresh temporary folder for each test.
class ProgramControlsFiles : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/astorine-controls-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    root = name;
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", "", 1);
    path = root / "home" / ".config" / "astorine" / "controls.conf";
  }
  void TearDown() override {
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(root);
  }
  std::vector<std::string> Load(Controls& controls) {
    std::vector<std::string> messages;
    controls = LoadControlsFile(path, messages);
    return messages;
  }
  fs::path root, path;
};

TEST_F(ProgramControlsFiles, TheFileFollowsTheXdgRules) {
  EXPECT_EQ(ConfigHome("/x/config", "/home/p"), fs::path("/x/config"));
  EXPECT_EQ(ConfigHome("", "/home/p"), fs::path("/home/p/.config"));
  EXPECT_EQ(ConfigHome("relative", "/home/p"), fs::path("/home/p/.config"));
  EXPECT_EQ(ConfigHome(nullptr, nullptr), fs::path());
  EXPECT_EQ(ConfigHome(nullptr, "home"), fs::path());
  EXPECT_EQ(ControlsFilePath(), path);
  setenv("XDG_CONFIG_HOME", (root / "xdg").c_str(), 1);
  EXPECT_EQ(ControlsFilePath(), root / "xdg" / "astorine" / "controls.conf");
}

TEST_F(ProgramControlsFiles, FilesThatCannotBeUsedGiveTheDefaults) {
  Controls controls;
  EXPECT_TRUE(Load(controls).empty()) << "a missing file is no error";
  EXPECT_EQ(controls.players, DefaultControls().players);

  fs::create_directories(path);
  std::vector<std::string> messages = Load(controls);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("it is a folder"), std::string::npos) << messages[0];
  fs::remove(path);

  Put(path, "[player1]\nleft = J\n" + std::string(LargestControlsFile, '#'));
  messages = Load(controls);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("larger than 64 KiB"), std::string::npos) << messages[0];
  EXPECT_EQ(controls.players, DefaultControls().players);

  Put(path, "[player1]\nleft = J\n" + std::string(LargestControlsFile - 100, '#'));
  EXPECT_TRUE(Load(controls).empty());
  EXPECT_EQ(controls.Of(1, Action::Left).front().code, SDLK_j);

  // Root reads whatever the permissions say.
  if (geteuid() != 0) {
    fs::permissions(path, fs::perms::none);
    messages = Load(controls);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Permission denied"), std::string::npos) << messages[0];
  }
}

TEST_F(ProgramControlsFiles, WritingRoundTripsAndRefusesToReplaceWithoutForce) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(WriteControlsFile(false), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), path.string() + "\n");
  EXPECT_EQ(TextOf(path), ControlsText(DefaultControls()));
  EXPECT_EQ(fs::status(path.parent_path()).permissions(), fs::perms::owner_all);

  const std::string mine = "[player2]\ndrop = pad:a, Keypad 2  # my own\n";
  Put(path, mine);
  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteControlsFile(false), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("--force"), std::string::npos);
  EXPECT_EQ(TextOf(path), mine);

  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteControlsFile(true), 0);
  testing::internal::GetCapturedStdout();
  // pad:a is also player 2's turn_ccw.
  EXPECT_NE(testing::internal::GetCapturedStderr().find("pad input pad:a"), std::string::npos);
  Controls controls;
  EXPECT_EQ(Load(controls).size(), 1u);
  EXPECT_EQ(controls.Of(2, Action::Drop).front().code, SDLK_KP_2);
  EXPECT_EQ(controls.Of(2, Action::Drop).size(), 2u);
}

TEST_F(ProgramControlsFiles, AFailedWriteLeavesTheOldFileWholeAndNoTemporary) {
  std::string why;
  ASSERT_TRUE(MakeFolders(path.parent_path(), why)) << why;
  Put(path.parent_path() / "old", "old text");
  // A rename over a folder that is not empty fails however privileged the test runs.
  fs::create_directories(path / "inside");
  EXPECT_FALSE(ReplaceFile(path, "new text", why));
  EXPECT_NE(why.find(path.string()), std::string::npos) << why;
  EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 2);
  // A file replaced keeps the permissions its player gave it.
  fs::permissions(path.parent_path() / "old",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(ReplaceFile(path.parent_path() / "old", "new text", why)) << why;
  EXPECT_EQ(TextOf(path.parent_path() / "old"), "new text");
  EXPECT_EQ(fs::status(path.parent_path() / "old").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProgramControlsFiles, AWriterKilledAtAnyMomentLeavesOneWholeText) {
  std::string why;
  ASSERT_TRUE(MakeFolders(path.parent_path(), why)) << why;
  // Long texts, so that most kills land in the middle of a write.
  const std::string first(1 << 20, 'a'), second(1 << 20, 'b');
  ASSERT_TRUE(ReplaceFile(path, first, why)) << why;
  std::mt19937 random(7);
  for (int round = 0; round < 30; ++round) {
    const std::string old = TextOf(path);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      for (int i = 0;; ++i) {
        ReplaceFile(path, i % 2 == 0 ? second : first, why);
      }
    }
    // Kill it at a moment drawn at random within its first writes.
    const auto until = std::chrono::steady_clock::now() +
                       std::chrono::microseconds(std::uniform_int_distribution(0, 20000)(random));
    while (std::chrono::steady_clock::now() < until) {
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    const std::string now = TextOf(path);
    ASSERT_TRUE(now == first || now == second) << "round " << round << ": " << now.size();
  }
}

}  // namespace
