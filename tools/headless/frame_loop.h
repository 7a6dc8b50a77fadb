// Running numbered frames of a headless game with the scripted keys, logging scene changes and
// the quit request.
#pragma once
#include "key_script.h"

// The script whose keys KeyDown reads from now on.
void UseKeyScript(const KeyScript& script);
// Runs frame `frame` (counted from 0); true when the game asked to quit during it.
bool RunNumberedFrame(long frame);
