// Keyboard polling by Windows virtual-key codes, the codes the game's rules are written in.
#pragma once

// Virtual-key codes the game polls.
enum VirtualKey : int {
  KeyReturn = 13,
  KeyPause = 19,
  KeyEscape = 27,
  KeyPageUp = 33,
  KeyHome = 36,
  KeyLeft = 37,
  KeyUp = 38,
  KeyRight = 39,
  KeyDown_ = 40,  // the Down arrow; "KeyDown" is the polling operation
  KeyF1 = 112,
  KeyF2 = 113,
  KeyF3 = 114,
  KeyF4 = 115,
  KeyF5 = 116,
  KeyF6 = 117,
  KeyF7 = 118,
  KeyF12 = 123,
};

// 1 while the key with this virtual-key code is held, else 0. Letters and digits use their
// upper-case ASCII code ('K' is 75). Called by the scenes once per frame per key they need.
int KeyDown(int virtualKey);

struct InputFrame;
// The keys held in the frame about to run; the window gathers them from its devices before each
// frame. KeyDown reads them unless a reader is installed.
void SetFrameInput(const InputFrame& frame);
// The keys SetFrameInput last installed.
const InputFrame& FrameInput();

// Where KeyDown reads from: the frame's keys by default; the headless runner and the tests install
// a scripted reader. nullptr restores the default.
using KeyReader = int (*)(int virtualKey);
void SetKeyReader(KeyReader reader);
