// Online play in the window, apart from SDL: the session, the screens before and after each
// match, its replay, the room code typed by a guest, and the keys that cancel, leave, quit or
// accept a rematch.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/online_session.h"
#include "program/online_screen.h"
#include "program/room_code_entry.h"
#include "services/input_frame.h"

class OnlineWindow {
 public:
  // With `typeCode` the guest types the room code in the window first; the session opens on
  // Return, and a code that leads nowhere brings the typing back with the reason.
  OnlineWindow(const OnlineSettings& settings, bool typeCode);
  ~OnlineWindow();

  // Listens or starts joining (a typed code: nothing yet); false with one line in `error`.
  bool Open(std::string& error);
  // The session at `now` (seconds) with the local keys (player 1's), and the screen around the
  // match when one is due. True when a frame ran or a screen was shown.
  bool Tick(double now, const InputFrame& keys);
  // Text typed (UTF-8) and Backspace: the room code, while it is asked for.
  void TypeText(const std::string& text);
  void PressBackspace();
  // Escape: cancels the typing or the wait, leaves the match or declines the rematch; the
  // program ends.
  void PressEscape();
  // Return: joins the code typed, accepts the rematch, or ends the program on a screen saying why
  // the match ended.
  void PressReturn();
  // The window closes: the opponent is told.
  void Close();
  bool Done() const { return done_; }
  // While the guest types the room code, keys are text: the window's own keys keep still.
  bool TypingCode() const { return session_ == nullptr; }

 private:
  void JoinTypedCode();
  // The code typed led nowhere: the typing comes back, saying why.
  void BackToTyping(const std::string& why);
  void PresentIfOnTime();
  void FollowRoomCode();
  void FollowPhase();
  void MatchEnded();
  void NotePath();
  OnlineScreen Screen() const;

  OnlineSettings settings_;
  std::unique_ptr<OnlineSession> session_;
  std::optional<RoomCodeEntry> entry_;  // a guest's typed code
  std::vector<PeerAddress> localAddresses_;
  std::string saidCode_;
  std::string path_;  // the last path the session reported, still said once the link closed
  OnlinePhase seen_ = OnlinePhase::Connecting;
  bool opponentReady_ = false;
  double lastScreen_ = -1.0;
  int unpresented_ = 0;
  bool done_ = false;
};
