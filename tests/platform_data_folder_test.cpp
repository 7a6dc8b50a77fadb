// The search for the Data folder, in temporary folders: its order, XDG_DATA_DIRS and the default.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/data_folder.h"
#include "services/data_path.h"

namespace {

namespace fs = std::filesystem;

// A temporary tree with an installed layout (prefix/bin, prefix/share/astorine/Data, or Debian's
// prefix/share/games/astorine/Data) and two XDG data folders, entered as the current folder for the
// test.
class PlatformDataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/astorine-data-folder-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    previous = fs::current_path();
    fs::create_directories(root / "start");
    fs::create_directories(root / "prefix/bin");
    fs::current_path(root / "start");
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(root);
    SetDataFolder("");
  }
  fs::path Make(const fs::path& relative) {
    fs::create_directories(root / relative);
    return root / relative;
  }
  fs::path Found(const char* xdg) {
    return FirstDataFolder(DataFolderCandidates(root / "prefix" / "bin", xdg));
  }
  std::string Xdg() const { return (root / "xdg1").string() + ":" + (root / "xdg2").string(); }

  fs::path root, previous;
};

TEST_F(PlatformDataFolder, EachPlaceWinsOverThoseAfterIt) {
  Make("xdg2/games/astorine/Data");
  EXPECT_EQ(Found(Xdg().c_str()), root / "xdg2/games/astorine/Data");
  Make("xdg2/astorine/Data");
  EXPECT_EQ(Found(Xdg().c_str()), root / "xdg2/astorine/Data");
  Make("xdg1/astorine/Data");
  EXPECT_EQ(Found(Xdg().c_str()), root / "xdg1/astorine/Data");
  Make("prefix/share/games/astorine/Data");
  EXPECT_EQ(Found(Xdg().c_str()), root / "prefix/share/games/astorine/Data");
  Make("prefix/share/astorine/Data");
  EXPECT_EQ(Found(Xdg().c_str()), root / "prefix/share/astorine/Data");
  Make("prefix/bin/Data");
  EXPECT_EQ(Found(Xdg().c_str()), root / "prefix/bin/Data");
  Make("start/Data");
  EXPECT_EQ(Found(Xdg().c_str()), "Data");
}

TEST_F(PlatformDataFolder, NothingFoundFallsBackToTheCurrentFolder) {
  Make("xdg1/astorine/NotData");
  fs::create_directories(root / "prefix/share/astorine");
  std::ofstream(root / "prefix/share/astorine/Data") << "a file, not a folder";
  EXPECT_EQ(Found(Xdg().c_str()), "Data");
}

TEST_F(PlatformDataFolder, XdgListsAreReadAsTheBaseDirectoryRulesSay) {
  const auto xdgPart = [](const std::vector<fs::path>& candidates) {
    return std::vector<fs::path>(candidates.begin() + 4, candidates.end());
  };
  const std::vector<fs::path> defaults{
      "/usr/local/share/astorine/Data", "/usr/local/share/games/astorine/Data",
      "/usr/share/astorine/Data", "/usr/share/games/astorine/Data"};
  EXPECT_EQ(xdgPart(DataFolderCandidates("/opt/bin", nullptr)), defaults);
  EXPECT_EQ(xdgPart(DataFolderCandidates("/opt/bin", "")), defaults);
  // Empty and relative entries are skipped: they would make the current folder count.
  const std::vector<fs::path> listed{"/a/astorine/Data", "/a/games/astorine/Data",
                                     "/b/astorine/Data", "/b/games/astorine/Data"};
  EXPECT_EQ(xdgPart(DataFolderCandidates("/opt/bin", "/a::relative:/b:")), listed);
  // Without a known executable, the two places beside it are left out.
  EXPECT_EQ(DataFolderCandidates("", "/a").size(), 3u);
}

TEST_F(PlatformDataFolder, TheGameReadsXdgDataDirs) {
  Make("xdg2/astorine/Data");
  const char* saved = std::getenv("XDG_DATA_DIRS");
  const std::string savedValue = saved != nullptr ? saved : "";
  setenv("XDG_DATA_DIRS", Xdg().c_str(), 1);
  // The test executable has no Data beside it nor share/astorine/Data above it.
  FindDataFolder(nullptr);
  EXPECT_EQ(DataPath("icon.bmp"), (root / "xdg2/astorine/Data/icon.bmp").string());
  saved != nullptr ? setenv("XDG_DATA_DIRS", savedValue.c_str(), 1) : unsetenv("XDG_DATA_DIRS");
}

}  // namespace
