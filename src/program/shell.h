// The windowed game: start-up from the window to InitGame, the event loop, the window teardown.
#pragma once

// Creates the window (resizable, at scale times 640 x 480 when scale is above 0, else at the
// largest whole multiple that fits the display; or full screen on the whole desktop), opens the
// display and the sound device, loads the sounds, opens the gamepads, shows the window and runs
// InitGame. On a failure the player has been told and the result is false: the program then ends
// with 0.
bool StartWindowedGame(bool fullScreen, int scale);
// Handles every waiting event, then runs one frame unless paused, minimised or (in full screen)
// without the focus, until the window closes or the game asks to quit. Returns the exit code, 0.
int RunEventLoop();
// Whether the loop holds the game paused: by Pause, by Start on a pad in play, or because a pad
// that was playing went.
bool WindowPaused();

class OnlineWindow;
// The loop of an online match: every waiting event, then the online window's tick, which runs the
// match's frames at the session's pace, whatever the focus; no pause. Ends when the player leaves
// or quits, or the window closes, with the window torn down. Returns the exit code, 0.
int RunOnlineEventLoop(OnlineWindow& online);
