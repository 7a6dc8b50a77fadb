#include "program/pause_state.h"

void PauseState::PressPause() {
  reason_ = Paused() ? Reason::None : Reason::Player;
}

bool PauseState::PadLeft(int place, InputContext context) {
  if (Paused() || PadPlayer(place, context) == 0) {
    return false;
  }
  reason_ = Reason::Unplugged;
  return true;
}

bool PauseState::PadCame() {
  // A pause the player chose stays until the player ends it.
  if (reason_ != Reason::Unplugged) {
    return false;
  }
  reason_ = Reason::None;
  return true;
}
