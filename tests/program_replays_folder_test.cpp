// The replays folder: every game played is saved there when it ends, under a name that says what
// it was, and replays as it was played; the newest 50 are kept; a writer killed at any moment
// leaves only whole replays; a folder that cannot be written is said once and play goes on.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "program/game_recorder.h"
#include "program/headless_session.h"
#include "program/replay_shelf.h"
#include "program_test_support.h"
#include "replay/replay_file.h"
#include "replay/replay_player.h"
#include "scenes/scene_machine.h"
#include "scenes/scene_state.h"
#include "services/keyboard.h"
#include "state/state_document.h"

namespace fs = std::filesystem;

namespace {

using program_test::Holding;

// UTC seconds of a local time in December 2026.
int64_t At(int day, int seconds) {
  std::tm time{};
  time.tm_year = 126;
  time.tm_mon = 11;
  time.tm_mday = day;
  time.tm_hour = seconds / 3600;
  time.tm_min = seconds / 60 % 60;
  time.tm_sec = seconds % 60;
  time.tm_isdst = -1;
  return static_cast<int64_t>(std::mktime(&time));
}

// The replay as saved by a game begun at `date`.
Replay Dated(Replay replay, int64_t date) {
  replay.summary.date = date;
  return replay;
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ReplaysFolder : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(StartHeadlessGame("astorine-tests", ASTORINE_DATA_DIR, 15));
    programStart = new GameState(Game);
    programStartRandom = new RandomState(Random);
  }
  static void TearDownTestSuite() {
    StopHeadlessGame();
    delete programStart;
    delete programStartRandom;
  }
  void SetUp() override {
    Game = *programStart;
    Random = *programStartRandom;
    folder = fs::temp_directory_path() /
             ("astorine-replays-" + std::to_string(getpid()) + "-" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // One frame as the window runs it; true when the recorder saved a replay after it.
  static bool Frame(GameRecorder& recorder, const InputFrame& keys) {
    SetFrameInput(keys);
    recorder.BeforeFrame(keys);
    StepFrame();
    return recorder.AfterFrame();
  }

  // Return on the title until a solo game begins; the frames run.
  static int StartSoloGame(GameRecorder& recorder) {
    int frames = 0;
    while (Game.CurrentScene == SceneTitle && frames < 500) {
      EXPECT_FALSE(Frame(recorder, Holding(KeyReturn)));
      ++frames;
    }
    EXPECT_EQ(Game.CurrentScene, SceneStart);
    return frames;
  }

  static inline GameState* programStart = nullptr;
  static inline RandomState* programStartRandom = nullptr;
  fs::path folder;
};

TEST_F(ReplaysFolder, AGameIsSavedWhenItEndsAndReplaysAsPlayed) {
  GameRecorder recorder(folder, KeptReplays);
  StartSoloGame(recorder);
  // Down held from the handover drops every pair to game over and back to the title.
  uint32_t frames = 1;
  bool saved = false;
  for (; !saved && frames < 6000; ++frames) {
    saved = Frame(recorder, Holding(KeyDown_));
  }
  ASSERT_TRUE(saved);
  ASSERT_EQ(Game.CurrentScene, SceneTitle);
  const std::string end = WriteStateDocument(Game, Random);

  // DATE-TIME-solo-score-N.replay
  const std::string name = recorder.LastSaved().filename().string();
  ASSERT_TRUE(IsKeptReplayName(name)) << name;
  const std::string what = name.substr(18, name.size() - 18 - 7);
  ASSERT_TRUE(what.starts_with("solo-score-")) << name;
  Replay replay;
  std::string error;
  ASSERT_TRUE(ReadReplayFile(recorder.LastSaved().string(), replay, error)) << error;
  EXPECT_EQ(replay.FrameCount(), frames);
  EXPECT_EQ("solo-score-" + std::to_string(replay.summary.score), what);
  EXPECT_GT(replay.summary.score, 0);

  // From the title's state the replay started at, its keys play the same game to the same end.
  ReplayPlayer player(replay);
  player.Start(Game, Random);
  EXPECT_EQ(Game.CurrentScene, SceneTitle);
  HashMismatch mismatch;
  while (!player.Done()) {
    SetFrameInput(player.NextFrame());
    StepFrame();
    ASSERT_TRUE(player.FrameRan(Game, Random, mismatch)) << DescribeMismatch(mismatch);
  }
  EXPECT_EQ(WriteStateDocument(Game, Random), end);

  // A whole-state hash that differs is a difference, even where every member's hash agrees.
  ASSERT_FALSE(replay.checkpoints.empty());
  replay.checkpoints[0].whole ^= 1;
  ReplayPlayer altered(replay);
  altered.Start(Game, Random);
  bool refused = false;
  while (!altered.Done() && !refused) {
    SetFrameInput(altered.NextFrame());
    StepFrame();
    refused = !altered.FrameRan(Game, Random, mismatch);
  }
  EXPECT_TRUE(refused);
  EXPECT_EQ(mismatch.frame, replay.checkpoints[0].frame);
  EXPECT_TRUE(mismatch.members.empty());
}

TEST_F(ReplaysFolder, AGameInProgressIsSavedWhenTheProgramEnds) {
  GameRecorder recorder(folder, KeptReplays);
  EXPECT_FALSE(recorder.SaveGameInProgress());  // on the title: no game to save
  StartSoloGame(recorder);
  for (int i = 0; i < 300; ++i) {
    Frame(recorder, InputFrame{});
  }
  ASSERT_TRUE(recorder.SaveGameInProgress());
  EXPECT_TRUE(recorder.LastSaved().filename().string().ends_with("-solo-unfinished.replay"));
  EXPECT_FALSE(recorder.SaveGameInProgress());
}

TEST_F(ReplaysFolder, AFolderThatCannotBeWrittenIsSaidOnceAndPlayGoesOn) {
  fs::create_directories(folder);
  std::ofstream(folder / "file") << "a file where the folder would go";
  GameRecorder recorder(folder / "file" / "replays", KeptReplays);
  testing::internal::CaptureStderr();
  for (int game = 0; game < 2; ++game) {
    StartSoloGame(recorder);
    Frame(recorder, InputFrame{});
    EXPECT_FALSE(recorder.SaveGameInProgress());
    Game = *programStart;
  }
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("astorine: replays cannot be saved in " + (folder / "file").string()),
            std::string::npos)
      << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

TEST_F(ReplaysFolder, NamesSayWhenAndWhatAndOnlyTheNewestFiftyOfThemAreKept) {
  Replay replay;
  replay.summary.playMode = 'c';
  replay.summary.start = ReplayStart::Hard;
  replay.summary.result = ReplayResult::Player1Won;
  EXPECT_EQ(ReplayFileName(Dated(replay, At(7, 5 * 3600 + 38 * 60 + 12)).summary),
            "2026-12-07-053812-computer-hard-player1-won.replay");
  std::string error;
  // The player's own files are never removed, whatever they hold.
  fs::create_directories(folder);
  for (const char* own : {"best.replay", "notes.txt", "2026-12-07-best.replay"}) {
    std::ofstream(folder / own) << "mine";
  }
  for (int game = 0; game < 53; ++game) {
    ASSERT_FALSE(ShelveReplay(folder, Dated(replay, At(8, game)), KeptReplays, error).empty())
        << error;
  }
  std::vector<std::string> names = Names(folder);
  ASSERT_EQ(names.size(), 53u);
  EXPECT_EQ(names[0], "2026-12-07-best.replay");
  EXPECT_EQ(names[1], "2026-12-08-000003-computer-hard-player1-won.replay");
  // Three games begun in the same second all stay.
  const fs::path again = ShelveReplay(folder, Dated(replay, At(9, 0)), KeptReplays, error);
  const fs::path second = ShelveReplay(folder, Dated(replay, At(9, 0)), KeptReplays, error);
  const fs::path third = ShelveReplay(folder, Dated(replay, At(9, 0)), KeptReplays, error);
  EXPECT_EQ(again.filename(), "2026-12-09-000000-computer-hard-player1-won.replay");
  EXPECT_EQ(second.filename(), "2026-12-09-000000-computer-hard-player1-won-2.replay");
  EXPECT_EQ(third.filename(), "2026-12-09-000000-computer-hard-player1-won-3.replay");
  EXPECT_TRUE(fs::exists(again) && fs::exists(second));
  // A temporary file a killed writer left long ago goes; one being written now stays, and so does
  // an old file of the player's with a longer tail than the writer's six letters.
  const fs::path stale = folder / "2026-12-09-000000-solo-score-5.replay.Ab12Cd";
  const fs::path fresh = folder / "2026-12-09-000001-solo-score-5.replay.Xy34Zw";
  const fs::path players = folder / "2026-12-09-000000-solo-score-5.replay.backup1";
  for (const fs::path& file : {stale, fresh, players}) {
    std::ofstream(file) << "half";
  }
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(1));
  fs::last_write_time(players, fs::file_time_type::clock::now() - std::chrono::hours(1));
  ShelveReplay(folder, Dated(replay, At(9, 1)), KeptReplays, error);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(fresh));
  EXPECT_TRUE(fs::exists(players));
}

TEST_F(ReplaysFolder, AWriterKilledAtAnyMomentLeavesOnlyWholeReplays) {
  GameRecorder recorder(folder / "played", KeptReplays);
  StartSoloGame(recorder);
  for (int i = 0; i < 400; ++i) {
    Frame(recorder, Holding(i % 50 < 25 ? KeyLeft : KeyRight));
  }
  ASSERT_TRUE(recorder.SaveGameInProgress());
  Replay replay;
  std::string error;
  ASSERT_TRUE(ReadReplayFile(recorder.LastSaved().string(), replay, error)) << error;
  const std::vector<uint8_t> whole = EncodeReplay(replay);
  // Kills land anywhere in the first few saves, however fast this machine saves; the first save,
  // timed, is whole whatever the kills do.
  const auto began = std::chrono::steady_clock::now();
  ASSERT_FALSE(ShelveReplay(folder, Dated(replay, At(1, 0)), KeptReplays, error).empty());
  const auto saving = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - began);

  std::mt19937 random(12);
  for (int round = 0; round < 100; ++round) {
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      for (int game = 0;; ++game) {
        ShelveReplay(folder, Dated(replay, At(1 + round % 28, round * 100 + game)), KeptReplays,
                     error);
      }
    }
    const auto until = std::chrono::steady_clock::now() +
                       std::chrono::microseconds(
                           std::uniform_int_distribution<int64_t>(0, 4 * saving.count())(random));
    while (std::chrono::steady_clock::now() < until) {
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
  }
  int replays = 0;
  for (const std::string& name : Names(folder)) {
    if (!name.ends_with(".replay")) {
      continue;  // a temporary file of a killed writer
    }
    ++replays;
    Replay read;
    ASSERT_TRUE(ReadReplayFile((folder / name).string(), read, error)) << name << ": " << error;
    // Each save is dated by its own game; all else is the replay's, byte for byte.
    ASSERT_EQ(EncodeReplay(Dated(read, replay.summary.date)), whole) << name;
  }
  // Kills between a rename and the tidying leave more than 50; the next whole save tidies.
  ASSERT_FALSE(ShelveReplay(folder, Dated(replay, At(28, 99999)), KeptReplays, error).empty());
  const std::vector<std::string> left = Names(folder);
  EXPECT_LE(std::count_if(left.begin(), left.end(),
                          [](const std::string& name) { return name.ends_with(".replay"); }),
            static_cast<long>(KeptReplays));
}

TEST_F(ReplaysFolder, ASaveThatRunsOutOfRoomLeavesNoHalfReplay) {
  GameRecorder recorder(folder, KeptReplays);
  StartSoloGame(recorder);
  Frame(recorder, InputFrame{});
  // The writer may write no more than 1000 bytes, as on a full disk: its save fails whole.
  const pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit room{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &room);
    _exit(recorder.SaveGameInProgress() ? 1 : 0);
  }
  int status = -1;
  waitpid(writer, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(Names(folder).empty()) << Names(folder).front();
}

}  // namespace
