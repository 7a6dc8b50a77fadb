#include "program/online_window.h"

#include <cstdio>

#include "net/action_mask.h"
#include "net/local_addresses.h"
#include "platform/frame_clock.h"
#include "program/frame_driver.h"
#include "program/frame_schedule.h"
#include "program/lobby_address.h"
#include "program/online_records.h"
#include "program/online_screen_texts.h"
#include "program/window_trace.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

constexpr double ScreenPeriod = 0.025;

void Say(const std::string& line) {
  std::fprintf(stderr, "astorine: %s\n", line.c_str());
}

}  // namespace

OnlineWindow::OnlineWindow(const OnlineSettings& settings, bool typeCode) : settings_(settings) {
  if (typeCode) {
    entry_.emplace();
  } else {
    session_ = std::make_unique<OnlineSession>(settings_);
  }
}

OnlineWindow::~OnlineWindow() = default;

bool OnlineWindow::Open(std::string& error) {
  if (TypingCode()) {
    return true;
  }
  if (!session_->Open(error)) {
    return false;
  }
  // Without a lobby the opponent needs this machine's address: the screen offers them.
  if (settings_.hosting && settings_.lobbyName.empty()) {
    localAddresses_ = LocalAddresses(session_->Port());
  }
  return true;
}

bool OnlineWindow::Tick(double now, const InputFrame& keys) {
  bool shown = false;
  if (!TypingCode()) {
    shown = session_->Tick(now, ReadActionMask(keys));
    if (shown) {
      PresentIfOnTime();
    }
    FollowRoomCode();
    FollowPhase();
  }
  if (now - lastScreen_ < ScreenPeriod) {
    return shown;
  }
  lastScreen_ = now;
  if (TypingCode()) {
    DrawOnlineScreen(CodeEntryScreen(*entry_));
    return true;
  }
  NotePath();
  const OnlinePhase phase = session_->Phase();
  if (phase == OnlinePhase::Playing || phase == OnlinePhase::Finishing) {
    return shown;
  }
  DrawOnlineScreen(Screen());
  return true;
}

// A frame that ended after the next one was due is not presented, so that the next follows at
// once and the match keeps its pace however slow the screen. At least one in MaxFramesPerPresent
// is, and then the frames still owed are forgotten, as the window's own frame driver does.
void OnlineWindow::PresentIfOnTime() {
  ++unpresented_;
  const double now = NowSeconds();
  if (now < session_->FrameDue()) {
    unpresented_ = 0;
  } else if (unpresented_ >= MaxFramesPerPresent) {
    session_->RestartClock(now);
    unpresented_ = 0;
  } else {
    return;
  }
  PresentAndCount();
}

// The code is said once, as soon as the lobby gives it: a player can copy it from there.
void OnlineWindow::FollowRoomCode() {
  if (!saidCode_.empty() || session_->Phase() != OnlinePhase::Connecting) {
    return;
  }
  saidCode_ = session_->RoomCode();
  if (!saidCode_.empty()) {
    Say(Formatted(Tr("room %s"), saidCode_.c_str()));
  }
}

void OnlineWindow::FollowPhase() {
  const OnlinePhase phase = session_->Phase();
  if (phase == OnlinePhase::Rematch && session_->OpponentAcceptedRematch() && !opponentReady_) {
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
    Say(session_->Status());
    // A typed code that led nowhere is typed again, unless the player cancelled.
    if (entry_ && session_->End() != OnlineEnd::Quit) {
      BackToTyping(session_->Status());
    }
  }
}

// Each match's replay is kept; a desync keeps what a bug report needs instead.
void OnlineWindow::MatchEnded() {
  Say(session_->Status());
  if (session_->End() == OnlineEnd::Desync) {
    SaveDesyncReport(*session_);
  } else {
    const std::filesystem::path saved = SaveOnlineReplay(*session_);
    if (!saved.empty()) {
      TraceReplaySaved(saved);
    }
  }
}

// The path is said on the screens after a match, when the link may have closed already.
void OnlineWindow::NotePath() {
  std::string path = session_->PathStatus();
  if (!path.empty()) {
    path_ = std::move(path);
  }
}

OnlineScreen OnlineWindow::Screen() const {
  const std::string status = session_->Status();
  switch (session_->Phase()) {
    case OnlinePhase::Connecting:
      if (settings_.hosting && !saidCode_.empty()) {
        return RoomScreen(saidCode_, LobbyAddressText({settings_.lobbyName, settings_.lobbyPort}),
                          status);
      }
      if (settings_.hosting && settings_.lobbyName.empty()) {
        return DirectWaitScreen(status, localAddresses_);
      }
      return ConnectingScreen(status);
    case OnlinePhase::Rematch:
      return RematchScreen(session_->RematchAccepted(), session_->OpponentAcceptedRematch(), path_);
    default:
      return EndScreen(status, path_);
  }
}

void OnlineWindow::JoinTypedCode() {
  settings_.roomCode = entry_->Submit();
  if (settings_.roomCode.empty()) {
    return;
  }
  session_ = std::make_unique<OnlineSession>(settings_);
  std::string error;
  if (!session_->Open(error)) {
    Say(error);
    BackToTyping(error);
  }
}

void OnlineWindow::BackToTyping(const std::string& why) {
  entry_->Complain(why);
  session_.reset();
  seen_ = OnlinePhase::Connecting;
  saidCode_.clear();
  path_.clear();
}

void OnlineWindow::TypeText(const std::string& text) {
  if (TypingCode()) {
    entry_->Type(text);
  }
}

void OnlineWindow::PressBackspace() {
  if (TypingCode()) {
    entry_->Backspace();
  }
}

void OnlineWindow::PressEscape() {
  if (done_) {
    return;
  }
  if (TypingCode()) {
    Say(Tr("cancelled before a match"));
  } else {
    session_->Quit();
    FollowPhase();
  }
  done_ = true;
}

void OnlineWindow::PressReturn() {
  if (TypingCode()) {
    JoinTypedCode();
  } else if (session_->Phase() == OnlinePhase::Rematch) {
    if (!session_->RematchAccepted()) {
      TraceStep("online rematch accepted");
    }
    session_->AcceptRematch();
  } else if (session_->Phase() == OnlinePhase::Over) {
    done_ = true;
  }
}

void OnlineWindow::Close() {
  PressEscape();
}
