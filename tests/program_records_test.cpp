// The records kept as games end: solo games ordered across games with their replays kept out of
// the newest-50 rotation, matches against the computer tallied, other games left out, a damaged
// file left as it is, a game played in the window kept when saved, and `astorine --records`.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/config_folder.h"
#include "program/game_recorder.h"
#include "program/game_records.h"
#include "program/headless_session.h"
#include "program/records_loading.h"
#include "program/replay_shelf.h"
#include "program_test_support.h"
#include "records/records_file.h"
#include "scenes/scene_machine.h"
#include "scenes/scene_state.h"
#include "services/keyboard.h"

namespace fs = std::filesystem;

namespace {

using program_test::Holding;
using program_test::TextOf;

// 2026-12-07T20:31:05Z, and `game` minutes later.
int64_t GameDate(int game) {
  return 1796675465 + game * 60;
}

ReplaySummary Game_(uint8_t mode, ReplayStart start, ReplayResult result, int32_t score,
                    int64_t date) {
  return {mode, start, result, score, date};
}

ReplaySummary Solo(int32_t score, int game, ReplayStart start = ReplayStart::Normal) {
  return Game_('s', start, ReplayResult::SoloOver, score, GameDate(game));
}

// HOME points into a folder of this process and test; the XDG folders fall back under it.
class ProgramRecords : public testing::Test {
 protected:
  void SetUp() override {
    root =
        fs::temp_directory_path() / ("astorine-records-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "home");
    setenv("HOME", (root / "home").c_str(), 1);
    for (const char* variable : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"}) {
      setenv(variable, "", 1);
    }
    file = RecordsFilePath();
    kept = RecordReplaysFolderPath();
    ASSERT_EQ(file, root / "home/.local/share/astorine/records.conf");
    ASSERT_EQ(kept, root / "home/.local/state/astorine/replays/records");
  }
  void TearDown() override { fs::remove_all(root); }

  // The game's replay shelved as the window shelves it, then kept; its rank.
  int Play(RecordKeeper& keeper, const ReplaySummary& summary) {
    Replay replay;
    replay.summary = summary;
    std::string error;
    const fs::path saved = ShelveReplay(ReplaysFolderPath(), replay, KeptReplays, error);
    EXPECT_FALSE(saved.empty()) << error;
    return keeper.Keep(saved, summary);
  }

  Records Read() {
    Records records;
    std::vector<std::string> messages;
    EXPECT_TRUE(LoadRecordsFile(file, records, messages));
    EXPECT_TRUE(messages.empty()) << messages[0];
    return records;
  }

  fs::path root, file, kept;
};

TEST_F(ProgramRecords, SoloGamesAreRankedAcrossGamesAndTheirReplaysOutliveTheRotation) {
  RecordKeeper keeper(file, kept);
  EXPECT_EQ(keeper.RankOf(Solo(1, 0)), 1);
  const int32_t distances[] = {500, 900, 500, 100, 700, 900, 300, 200, 800, 400};
  const int ranks[] = {1, 1, 3, 4, 2, 2, 6, 7, 3, 7};
  for (int game = 0; game < 10; ++game) {
    EXPECT_EQ(Play(keeper, Solo(distances[game], game)), ranks[game]) << game;
  }
  EXPECT_EQ(Play(keeper, Solo(100, 10)), 0) << "equal to the last of a full table";
  EXPECT_EQ(Play(keeper, Solo(650, 11, ReplayStart::Hard)), 1);
  // A killed writer's temporary file beside the records is no part of them.
  std::ofstream(file.parent_path() / ".records.conf.99999-0") << "[solo normal]\n1 = 1";

  Records records = Read();
  const std::vector<SoloRecord>& normal = records.Solo(RecordStart::Normal);
  ASSERT_EQ(normal.size(), SoloTableSize);
  EXPECT_EQ(normal[0].date, GameDate(1));
  EXPECT_EQ(normal[1].date, GameDate(5));
  EXPECT_EQ(normal.back().date, GameDate(3));
  ASSERT_EQ(records.Solo(RecordStart::Hard).size(), 1u);
  for (const auto& table : records.solo) {
    for (const SoloRecord& entry : table) {
      EXPECT_TRUE(fs::exists(kept / entry.replay)) << entry.replay;
      EXPECT_TRUE(fs::exists(ReplaysFolderPath() / entry.replay)) << entry.replay;
    }
  }
  const std::string last = normal.back().replay;
  EXPECT_EQ(keeper.RankOf(Solo(600, 12)), 5);

  // The 11th pushes out the last, whose kept replay goes with it.
  EXPECT_EQ(Play(keeper, Solo(600, 12)), 5);
  EXPECT_FALSE(fs::exists(kept / last));
  EXPECT_EQ(Read().Solo(RecordStart::Normal).back().distance, 200);

  // Fifty-one games later every game above has left the replays folder, not the records'.
  for (int game = 0; game < 51; ++game) {
    EXPECT_EQ(Play(keeper, Game_('p', ReplayStart::Normal, ReplayResult::Player1Won, 0,
                                 GameDate(100 + game))),
              0);
  }
  records = Read();
  for (const auto& table : records.solo) {
    for (const SoloRecord& entry : table) {
      EXPECT_TRUE(TextOf(kept / entry.replay).size() > 0) << entry.replay;
      EXPECT_FALSE(fs::exists(ReplaysFolderPath() / entry.replay)) << entry.replay;
    }
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(kept), fs::directory_iterator()), 11);
}

TEST_F(ProgramRecords, MatchesAgainstTheComputerAreTalliedAndOtherGamesNotRecorded) {
  RecordKeeper keeper(file, kept);
  const ReplaySummary ignored[] = {
      Solo(5000, 0, ReplayStart::Test),
      Game_('s', ReplayStart::Normal, ReplayResult::Unfinished, 5000, GameDate(1)),
      Game_('p', ReplayStart::Hard, ReplayResult::Player1Won, 0, GameDate(2)),
      Game_('c', ReplayStart::Test, ReplayResult::Player1Won, 0, GameDate(3)),
      Game_('c', ReplayStart::Normal, ReplayResult::Unfinished, 0, GameDate(4)),
      Game_(0, ReplayStart::Normal, ReplayResult::Unfinished, 0, GameDate(5)),
  };
  for (const ReplaySummary& summary : ignored) {
    EXPECT_EQ(Play(keeper, summary), 0);
    EXPECT_EQ(keeper.RankOf(summary),
              summary.playMode == 's' && summary.start != ReplayStart::Test);
  }
  EXPECT_FALSE(fs::exists(file));
  EXPECT_FALSE(fs::exists(kept));

  for (ReplayResult result :
       {ReplayResult::Player1Won, ReplayResult::Player2Won, ReplayResult::Player2Won}) {
    EXPECT_EQ(Play(keeper, Game_('c', ReplayStart::Normal, result, 0, GameDate(10))), 0);
  }
  Play(keeper, Game_('c', ReplayStart::Hard, ReplayResult::Player1Won, 0, GameDate(11)));
  // A game whose replay could not be saved is kept all the same, without one.
  EXPECT_EQ(keeper.Keep({}, Solo(70, 12)), 1);
  const Records records = Read();
  EXPECT_EQ(records.Computer(RecordStart::Normal), (ComputerTally{1, 2}));
  EXPECT_EQ(records.Computer(RecordStart::Hard), (ComputerTally{1, 0}));
  EXPECT_EQ(records.Solo(RecordStart::Normal), (std::vector<SoloRecord>{{70, GameDate(12), ""}}));
}

TEST_F(ProgramRecords, ADamagedFileIsNamedOnceAndLeftAsItIs) {
  fs::create_directories(file.parent_path());
  const std::string damaged =
      "[solo normal]\n1 = 900 2026-12-07T20:31:05Z\n2 = lots 2026-12-07T20:31:05Z\n";
  std::ofstream(file) << damaged;
  RecordKeeper keeper(file, kept);
  testing::internal::CaptureStderr();
  EXPECT_EQ(keeper.RankOf(Solo(1000, 1)), 0);
  EXPECT_EQ(Play(keeper, Solo(1000, 1)), 0);
  EXPECT_EQ(Play(keeper, Game_('c', ReplayStart::Normal, ReplayResult::Player1Won, 0, 0)), 0);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(TextOf(file), damaged);
  EXPECT_FALSE(fs::exists(kept));
  EXPECT_EQ(said, "astorine: " + file.string() +
                      ":3: the distance 'lots' is not a whole number of km from 1 to "
                      "2147483647\nastorine: " +
                      file.string() + " is left as it is; no record is kept until it is mended\n");

  // Mended, it is kept again.
  std::ofstream(file) << "[solo normal]\n1 = 900 2026-12-07T20:31:05Z\n";
  EXPECT_EQ(Play(keeper, Solo(1000, 2)), 1);
  EXPECT_EQ(Read().Solo(RecordStart::Normal).size(), 2u);
}

TEST_F(ProgramRecords, AGamePlayedInTheWindowIsKeptWhenSavedAndItsRankKnownAtGameOver) {
  ASSERT_TRUE(StartHeadlessGame("astorine-tests", ASTORINE_DATA_DIR, 15));
  // The suites after this one start from the program's start, not from this game.
  const auto programStart = std::make_unique<GameState>(Game);
  const RandomState programStartRandom = Random;
  RecordKeeper keeper(file, kept);
  GameRecorder recorder(ReplaysFolderPath(), KeptReplays, &keeper);
  auto frame = [&](const InputFrame& keys) {
    SetFrameInput(keys);
    recorder.BeforeFrame(keys);
    StepFrame();
    return recorder.AfterFrame();
  };
  for (int game = 0; game < 2; ++game) {
    // Return on the title starts a solo game.
    for (int i = 0; i < 500 && Game.CurrentScene == SceneTitle; ++i) {
      frame(Holding(KeyReturn));
    }
    ASSERT_NE(Game.CurrentScene, SceneTitle);
    if (game == 1) {
      // Ended with the program, unfinished: not kept.
      ASSERT_TRUE(recorder.SaveGameInProgress());
      EXPECT_EQ(recorder.LastRecordRank(), 0);
      break;
    }
    // Down held drops every pair to game over and back to the title.
    int rankAtGameOver = -1;
    bool saved = false;
    for (int i = 0; i < 6000 && !saved; ++i) {
      saved = frame(Holding(KeyDown_));
      if (Game.CurrentScene == SceneGameOver && rankAtGameOver < 0) {
        rankAtGameOver = recorder.RecordRank();
      }
    }
    ASSERT_TRUE(saved);
    EXPECT_EQ(rankAtGameOver, 1);
    EXPECT_EQ(recorder.LastRecordRank(), 1);
    EXPECT_EQ(recorder.RecordRank(), 0) << "no game is being played";
  }
  Game = *programStart;
  Random = programStartRandom;
  SetFrameInput(InputFrame{});
  StopHeadlessGame();
  const Records records = Read();
  ASSERT_EQ(records.Solo(RecordStart::Normal).size(), 1u);
  const SoloRecord& entry = records.Solo(RecordStart::Normal)[0];
  EXPECT_GT(entry.distance, 0);
  EXPECT_TRUE(fs::equivalent(kept / entry.replay, ReplaysFolderPath() / entry.replay) ||
              TextOf(kept / entry.replay) == TextOf(ReplaysFolderPath() / entry.replay));
}

// The game itself, run as a player runs it; skipped in a build without it.
TEST_F(ProgramRecords, TheGameListsTheRecordsFileOnStdout) {
  const fs::path game = fs::path(ASTORINE_DATA_DIR).parent_path() / "astorine";
  if (!fs::exists(game)) {
    GTEST_SKIP() << game << " is not built";
  }
  RecordKeeper keeper(file, kept);
  Play(keeper, Solo(12840, 0));
  Play(keeper, Game_('c', ReplayStart::Hard, ReplayResult::Player2Won, 0, GameDate(1)));
  const std::string name = Read().Solo(RecordStart::Normal)[0].replay;
  const fs::path output = root / "listing";
  const std::string command = game.string() + " --records > " + output.string() + " 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::string rows;
  std::istringstream listing(TextOf(output));
  for (std::string line; std::getline(listing, line);) {
    rows += line.starts_with("#") ? "" : line + "\n";
  }
  EXPECT_EQ(rows, "solo-normal\t1\t12840\t2026-12-07T20:31:05Z\t" + (kept / name).string() +
                      "\ncomputer-normal\t0\t0\ncomputer-hard\t0\t1\n");
}

}  // namespace
