// Running numbered frames of a headless game, each with the keys it is given, logging scene
// changes and the quit request.
#pragma once
#include "key_script.h"
#include "services/input_frame.h"

// The script ScriptedFrame reads from now on.
void UseKeyScript(const KeyScript& script);
// The keys the script holds during frame `frame` (none without a script).
InputFrame ScriptedFrame(long frame);
// Runs frame `frame` (counted from 0) with `keys` held; true when the game asked to quit during it.
bool RunNumberedFrame(long frame, const InputFrame& keys);
