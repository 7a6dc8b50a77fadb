// Online play in the window, apart from SDL: the session, the screens before and after each
// match, its replay, and the keys that cancel, leave, quit or accept a rematch.
#pragma once
#include <string>
#include <vector>

#include "net/online_session.h"
#include "services/input_frame.h"

class OnlineWindow {
 public:
  explicit OnlineWindow(const OnlineSettings& settings);

  // Listens or starts joining; false with one line in `error`.
  bool Open(std::string& error);
  // The session at `now` (seconds) with the local keys (player 1's), and the screen around the
  // match when one is due. True when a frame ran or a screen was shown.
  bool Tick(double now, const InputFrame& keys);
  // Escape: cancels the wait, leaves the match or declines the rematch; the program ends.
  void PressEscape();
  // Return: accepts the rematch, or ends the program on a screen saying why the match ended.
  void PressReturn();
  // The window closes: the opponent is told.
  void Close();
  bool Done() const { return done_; }

 private:
  void PresentIfOnTime();
  void FollowPhase();
  void MatchEnded();
  std::vector<std::string> ScreenLines() const;

  OnlineSession session_;
  OnlinePhase seen_ = OnlinePhase::Connecting;
  bool opponentReady_ = false;
  double lastScreen_ = -1.0;
  int unpresented_ = 0;
  bool done_ = false;
};
