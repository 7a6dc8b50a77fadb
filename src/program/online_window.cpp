#include "program/online_window.h"

#include <cstdio>

#include "net/action_mask.h"
#include "platform/frame_clock.h"
#include "program/frame_driver.h"
#include "program/frame_schedule.h"
#include "program/online_records.h"
#include "program/online_screen.h"
#include "program/window_trace.h"
#include "services/texts.h"

namespace {

constexpr double ScreenPeriod = 0.025;

}  // namespace

OnlineWindow::OnlineWindow(const OnlineSettings& settings) : session_(settings) {}

bool OnlineWindow::Open(std::string& error) {
  return session_.Open(error);
}

bool OnlineWindow::Tick(double now, const InputFrame& keys) {
  const bool shown = session_.Tick(now, ReadActionMask(keys));
  if (shown) {
    PresentIfOnTime();
  }
  FollowPhase();
  const OnlinePhase phase = session_.Phase();
  const bool screen = phase == OnlinePhase::Connecting || phase == OnlinePhase::Rematch ||
                      phase == OnlinePhase::Over;
  if (!screen || now - lastScreen_ < ScreenPeriod) {
    return shown;
  }
  lastScreen_ = now;
  DrawOnlineScreen(ScreenLines());
  return true;
}

// A frame that ended after the next one was due is not presented, so that the next follows at
// once and the match keeps its pace however slow the screen. At least one in MaxFramesPerPresent
// is, and then the frames still owed are forgotten, as the window's own frame driver does.
void OnlineWindow::PresentIfOnTime() {
  ++unpresented_;
  const double now = NowSeconds();
  if (now < session_.FrameDue()) {
    unpresented_ = 0;
  } else if (unpresented_ >= MaxFramesPerPresent) {
    session_.RestartClock(now);
    unpresented_ = 0;
  } else {
    return;
  }
  PresentAndCount();
}

void OnlineWindow::FollowPhase() {
  const OnlinePhase phase = session_.Phase();
  if (phase == OnlinePhase::Rematch && session_.OpponentAcceptedRematch() && !opponentReady_) {
    opponentReady_ = true;
    TraceStep("online the opponent wants a rematch");
  }
  if (phase == seen_) {
    return;
  }
  const bool playedBefore = seen_ == OnlinePhase::Playing || seen_ == OnlinePhase::Finishing;
  seen_ = phase;
  if (phase == OnlinePhase::Playing) {
    opponentReady_ = false;
    TraceStep("online match started");
  } else if (phase == OnlinePhase::Rematch || (phase == OnlinePhase::Over && playedBefore)) {
    MatchEnded();
  } else if (phase == OnlinePhase::Over) {
    std::fprintf(stderr, "astorine: %s\n", session_.Status().c_str());
  }
}

// Each match's replay is kept; a desync keeps what a bug report needs instead.
void OnlineWindow::MatchEnded() {
  const std::string status = session_.Status();
  std::fprintf(stderr, "astorine: %s\n", status.c_str());
  if (session_.End() == OnlineEnd::Desync) {
    SaveDesyncReport(session_);
  } else {
    const std::filesystem::path saved = SaveOnlineReplay(session_);
    if (!saved.empty()) {
      TraceReplaySaved(saved);
    }
  }
}

std::vector<std::string> OnlineWindow::ScreenLines() const {
  switch (session_.Phase()) {
    case OnlinePhase::Connecting:
      return {session_.Status(), Tr("Escape: cancel")};
    case OnlinePhase::Rematch:
      if (session_.RematchAccepted()) {
        return {Tr("the match is over"), Tr("waiting for the opponent to accept"),
                Tr("Escape: quit")};
      }
      return {Tr("the match is over"), Tr("Return: rematch, Escape: quit"),
              session_.OpponentAcceptedRematch() ? Tr("the opponent wants a rematch")
                                                 : Tr("the opponent has not chosen yet")};
    default:
      return {session_.Status(), Tr("Escape/Return: quit")};
  }
}

void OnlineWindow::PressEscape() {
  session_.Quit();
  FollowPhase();
  done_ = true;
}

void OnlineWindow::PressReturn() {
  if (session_.Phase() == OnlinePhase::Rematch) {
    if (!session_.RematchAccepted()) {
      TraceStep("online rematch accepted");
    }
    session_.AcceptRematch();
  } else if (session_.Phase() == OnlinePhase::Over) {
    done_ = true;
  }
}

void OnlineWindow::Close() {
  PressEscape();
}
