// The settings file on disk: what loading says of a file it cannot read, saving changes in
// play whole or not at all, and --write-settings.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/config_folder.h"
#include "program/settings_loading.h"
#include "program/settings_saving.h"
#include "program/write_settings.h"
#include "program_test_support.h"
#include "settings/settings_file.h"
#include "settings/settings_update.h"

namespace fs = std::filesystem;

namespace {

using program_test::Put;
using program_test::TextOf;

size_t FilesIn(const fs::path& folder) {
  return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

Settings AtVolume(int volume) {
  Settings settings;
  settings.volume = volume;
  return settings;
}

// XDG_CONFIG_HOME points into a fresh temporary folder of this process for each test.
class ProgramSettingsFiles : public testing::Test {
 protected:
  void SetUp() override {
    std::string name = "/tmp/astorine-settings-" + std::to_string(getpid()) + "-XXXXXX";
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    root = name;
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    path = root / "config" / "astorine" / "settings.conf";
    ASSERT_EQ(SettingsFilePath(), path);
    fs::create_directories(path.parent_path());
  }
  void TearDown() override {
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(root);
  }
  fs::path root, path;
};

TEST_F(ProgramSettingsFiles, AFileThatCannotBeReadIsNamedOnceAndGivesTheDefaults) {
  std::vector<std::string> messages;
  EXPECT_EQ(LoadSettingsFile(path, messages), Settings());
  EXPECT_TRUE(messages.empty()) << "a missing file is no error";

  fs::create_directories(path);
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadPlayerSettings(), Settings());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "astorine: " + path.string() +
                ": the settings could not be read (it is a folder); the defaults apply\n");
  fs::remove(path);

  // Complaints go one a line; the good lines apply.
  Put(path, "[sound]\nvolume = 30\nvolume = loud\n[display]\nzoom = 2\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadPlayerSettings(), AtVolume(30));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
  EXPECT_TRUE(said.starts_with("astorine: " + path.string() + ":3: volume takes")) << said;

  // Root reads whatever the permissions say.
  if (geteuid() != 0) {
    fs::permissions(path, fs::perms::none);
    messages.clear();
    EXPECT_EQ(LoadSettingsFile(path, messages), Settings());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Permission denied"), std::string::npos) << messages[0];
  }
}

TEST_F(ProgramSettingsFiles, SavingRewritesTheFileOnlyWhenASettingChanged) {
  EXPECT_TRUE(SavePlayerSettings(Settings()));
  EXPECT_FALSE(fs::exists(path)) << "nothing changed, nothing written";
  EXPECT_TRUE(SavePlayerSettings(AtVolume(40)));
  EXPECT_EQ(TextOf(path), "[sound]\nvolume = 40\n");

  // Through a link to a file kept elsewhere, which stays a link.
  const std::string mine = "# mine\n[sound]\nvolume = 40  # loud enough\n";
  Put(root / "kept.conf", mine);
  fs::remove(path);
  fs::create_symlink(root / "kept.conf", path);
  struct stat before;
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  EXPECT_TRUE(SavePlayerSettings(AtVolume(40)));
  struct stat after;
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino) << "an unchanged file is not replaced";
  EXPECT_TRUE(SavePlayerSettings(AtVolume(60)));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(TextOf(root / "kept.conf"), UpdatedSettingsText(mine, AtVolume(60)));
  EXPECT_EQ(FilesIn(path.parent_path()), 1u);
  EXPECT_EQ(FilesIn(root), 2u) << "no temporary file left beside the target";
}

// The only test whose saves fail: the failure is told once a run, and each run of this test is a
// process of its own under ctest.
TEST_F(ProgramSettingsFiles, AFailedSaveLeavesTheOldTextWholeAndIsToldOnce) {
  const std::string old = "# mine\n[sound]\nvolume = 10\n";
  Put(path, old);
  int said[2];
  ASSERT_EQ(pipe(said), 0);
  const pid_t saver = fork();
  ASSERT_GE(saver, 0);
  if (saver == 0) {
    // A file size limit fails the write however privileged the test runs; it spares the pipe.
    dup2(said[1], STDERR_FILENO);
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {8, 8};
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool first = SavePlayerSettings(AtVolume(90)), second = SavePlayerSettings(AtVolume(80));
    _exit(!first && !second ? 0 : 1);
  }
  close(said[1]);
  int status = 0;
  waitpid(saver, &status, 0);
  std::string told(200, '\0');
  told.resize(std::max<ssize_t>(read(said[0], told.data(), told.size()), 0));
  close(said[0]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "both saves must fail";
  EXPECT_EQ(TextOf(path), old);
  EXPECT_EQ(FilesIn(path.parent_path()), 1u) << "no temporary file left";
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  EXPECT_TRUE(
      told.starts_with("astorine: the settings could not be saved (cannot write " + path.string()))
      << told;

  // A folder in the file's place is not replaced, nor is a file in the folder's place.
  fs::remove(path);
  fs::create_directories(path / "inside");
  EXPECT_FALSE(SavePlayerSettings(AtVolume(70)));
  EXPECT_TRUE(fs::is_directory(path / "inside"));
  setenv("XDG_CONFIG_HOME", (root / "file").c_str(), 1);
  Put(root / "file", "a file");
  EXPECT_FALSE(SavePlayerSettings(AtVolume(70)));
  EXPECT_EQ(TextOf(root / "file"), "a file");
}

TEST_F(ProgramSettingsFiles, WritingRefusesToReplaceWithoutForceAndKeepsTheSettingsWithIt) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(WriteSettingsFile(false), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), path.string() + "\n");
  EXPECT_EQ(TextOf(path), SettingsText(Settings()));

  const std::string mine = "[sound]\nvolume = 25  # my own\n[mine]\nx = 1\n";
  Put(path, mine);
  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteSettingsFile(false), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("--force"), std::string::npos);
  EXPECT_EQ(TextOf(path), mine);

  testing::internal::CaptureStdout();
  EXPECT_EQ(WriteSettingsFile(true), 0);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(TextOf(path), SettingsText(AtVolume(25)));
}

}  // namespace
