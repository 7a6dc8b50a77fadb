// The rematch phase: two sessions over 127.0.0.1 in one process, on a clock of their own. They
// share the one game state, so only the link's side is checked here, not what the matches play.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/headless_session.h"
#include "net/online_session.h"

namespace {

constexpr int32_t MatchFrames = 12;

class OnlineRematch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartHeadlessGame("astorine-tests", ASTORINE_DATA_DIR, 11));
    OnlineSettings settings;
    settings.port = 0;
    settings.seed = 5;
    settings.stopAfter = MatchFrames;
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

TEST_F(OnlineRematch, BothMustAcceptAndTheLinkOutlivesTheSilenceWhileTheyChoose) {
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

TEST_F(OnlineRematch, LeavingInsteadOfARematchEndsTheOpponentsWait) {
  ASSERT_TRUE(TickUntil(30, [&] { return BothIn(OnlinePhase::Rematch); }));
  host_->AcceptRematch();
  host_->Quit();
  ASSERT_TRUE(TickUntil(5, [&] { return guest_->Phase() == OnlinePhase::Over; }));
  EXPECT_EQ(guest_->End(), OnlineEnd::OpponentLeft);
}

}  // namespace
