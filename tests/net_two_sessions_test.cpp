// Two sessions over 127.0.0.1 in one process, on a clock of their own: the rematch phase, and the
// files a desync leaves, named on both sides. The sessions share the one game state, so what the
// matches play is not checked here; past the first state hash they always disagree, which makes a
// sure desync.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "net/online_session.h"
#include "program/headless_session.h"
#include "program/online_records.h"
#include "replay/replay_file.h"
#include "state/state_document.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t MatchFrames = 12;

class TwoSessions : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(StartHeadlessGame("astorine-tests", ASTORINE_DATA_DIR, 11)); }
  void Open(int32_t stopAfter) {
    OnlineSettings settings;
    settings.port = 0;
    settings.seed = 5;
    settings.stopAfter = stopAfter;
    settings.offerRematch = true;
    host_ = std::make_unique<OnlineSession>(settings);
    std::string error;
    ASSERT_TRUE(host_->Open(error)) << error;
    settings.hosting = false;
    settings.hostName = "127.0.0.1";
    settings.port = host_->Port();
    guest_ = std::make_unique<OnlineSession>(settings);
    ASSERT_TRUE(guest_->Open(error)) << error;
  }
  void TearDown() override {
    guest_.reset();
    host_.reset();
    StopHeadlessGame();
  }

  // Ticks both, 10 ms of their clock a round, until `done` holds or `seconds` of it have passed.
  template <typename Condition>
  bool TickUntil(double seconds, Condition done) {
    for (const double end = now_ + seconds; now_ < end; now_ += 0.01) {
      if (done()) {
        return true;
      }
      host_->Tick(now_, 0);
      guest_->Tick(now_, 0);
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    return done();
  }
  bool BothIn(OnlinePhase phase) const {
    return host_->Phase() == phase && guest_->Phase() == phase;
  }

  std::unique_ptr<OnlineSession> host_, guest_;
  double now_ = 0.0;
};

TEST_F(TwoSessions, BothMustAcceptAndTheLinkOutlivesTheSilenceWhileTheyChoose) {
  Open(MatchFrames);
  ASSERT_TRUE(TickUntil(30, [&] { return BothIn(OnlinePhase::Rematch); }))
      << host_->Status() << " / " << guest_->Status();
  EXPECT_EQ(host_->End(), OnlineEnd::FramesDone);
  // Twice the silence allowed, with neither player choosing.
  EXPECT_FALSE(TickUntil(10, [&] { return !BothIn(OnlinePhase::Rematch); }))
      << host_->Status() << " / " << guest_->Status();
  guest_->AcceptRematch();
  ASSERT_TRUE(TickUntil(5, [&] { return host_->OpponentAcceptedRematch(); }));
  EXPECT_TRUE(BothIn(OnlinePhase::Rematch)) << "one acceptance started a match";
  EXPECT_FALSE(guest_->OpponentAcceptedRematch());
  host_->AcceptRematch();
  ASSERT_TRUE(TickUntil(5, [&] { return BothIn(OnlinePhase::Playing); }))
      << host_->Status() << " / " << guest_->Status();
  EXPECT_FALSE(host_->RematchAccepted() || guest_->OpponentAcceptedRematch());
  // The second match runs from frame 0 to its end as the first did, keys of the first ignored.
  ASSERT_TRUE(TickUntil(30, [&] { return BothIn(OnlinePhase::Rematch); }))
      << host_->Status() << " / " << guest_->Status();
  EXPECT_EQ(guest_->Frame(), MatchFrames);
  EXPECT_EQ(guest_->FinishReplay(0).runs.empty(), false);
  guest_->Quit();
  ASSERT_TRUE(TickUntil(5, [&] { return host_->Phase() == OnlinePhase::Over; }));
  EXPECT_EQ(host_->End(), OnlineEnd::OpponentLeft);
  EXPECT_EQ(host_->Status(), "the opponent left the match");
}

TEST_F(TwoSessions, LeavingInsteadOfARematchEndsTheOpponentsWait) {
  Open(MatchFrames);
  ASSERT_TRUE(TickUntil(30, [&] { return BothIn(OnlinePhase::Rematch); }));
  host_->AcceptRematch();
  host_->Quit();
  ASSERT_TRUE(TickUntil(5, [&] { return guest_->Phase() == OnlinePhase::Over; }));
  EXPECT_EQ(guest_->End(), OnlineEnd::OpponentLeft);
}

TEST_F(TwoSessions, APeerOnASlowScreenKeepsTheMatchsPace) {
  // The guest's screen takes 60 ms a present, and it presents a frame only when the next is not
  // yet due, as the window does: its late frames run at once and the match keeps 40 a second.
  Open(4 * HashPeriod);  // the first hash, made to disagree here, comes after the count
  ASSERT_TRUE(TickUntil(30, [&] { return BothIn(OnlinePhase::Playing) && guest_->Frame() >= 5; }));
  const int32_t firstFrame = guest_->Frame();
  const double start = now_;
  while (guest_->Frame() < firstFrame + 30 && now_ < start + 5.0) {
    host_->Tick(now_, 0);
    const bool ran = guest_->Tick(now_, 0);
    now_ += ran && now_ < guest_->FrameDue() ? 0.060 : 0.001;
    std::this_thread::sleep_for(std::chrono::microseconds(300));
  }
  ASSERT_EQ(guest_->Phase(), OnlinePhase::Playing) << guest_->Status();
  EXPECT_NEAR(now_ - start, 30 * 0.025, 3 * 0.025);
}

TEST_F(TwoSessions, ADesyncEndsBothAndLeavesItsReplayAndStateForABugReport) {
  const fs::path state =
      fs::temp_directory_path() / ("astorine-online-desync-test-" + std::to_string(getpid()));
  fs::remove_all(state);
  setenv("XDG_STATE_HOME", state.c_str(), 1);
  Open(4 * HashPeriod);
  ASSERT_TRUE(TickUntil(60, [&] { return BothIn(OnlinePhase::Over); }))
      << host_->Status() << " / " << guest_->Status();
  EXPECT_EQ(host_->End(), OnlineEnd::Desync);
  EXPECT_EQ(guest_->End(), OnlineEnd::Desync);
  // The side told by the other's goodbye still names the frame, from the hash sent before it.
  EXPECT_NE(host_->Report().find("desync at frame 39"), std::string::npos) << host_->Report();
  EXPECT_NE(guest_->Report().find("desync at frame 39"), std::string::npos) << guest_->Report();
  SaveDesyncReport(*host_);
  const fs::path folder = state / "astorine" / "replays";
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_TRUE(names[0].ends_with("-online-desync.json")) << names[0];
  EXPECT_EQ(names[1], names[0].substr(0, names[0].size() - 5) + ".replay");
  Replay replay;
  std::string error;
  EXPECT_TRUE(ReadReplayFile((folder / names[1]).string(), replay, error)) << error;
  std::ifstream file(folder / names[0]);
  const std::string document((std::istreambuf_iterator<char>(file)), {});
  GameState game;
  RandomState random;
  EXPECT_TRUE(ReadStateDocument(document, game, random, error)) << error;
  unsetenv("XDG_STATE_HOME");
  fs::remove_all(state);
}

}  // namespace
