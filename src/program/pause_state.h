// The window's pause: the Pause key (or a pad's Start in play) toggles it, and a pad that was
// playing when it was unplugged holds the game until Pause is pressed or a pad comes back.
#pragma once
#include "input/input_map.h"

class PauseState {
 public:
  bool Paused() const { return reason_ != Reason::None; }
  // The Pause key, or Start on a pad in play: resumes a paused game, pauses a running one.
  void PressPause();
  // F12: no further frame runs while the window closes.
  void Hold() { reason_ = Reason::Player; }
  // The pad that had this place in the order went. True when that paused the game.
  bool PadLeft(int place, InputContext context);
  // A pad came. True when that resumed a game an unplugged pad paused.
  bool PadCame();

 private:
  enum class Reason { None, Player, Unplugged };
  Reason reason_ = Reason::None;
};
