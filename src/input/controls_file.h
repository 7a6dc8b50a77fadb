// The controls file: the players' own keys and pad inputs as text, read line by line and written
// in full.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "input/bindings.h"

// Reads the text of a controls file over DefaultControls(). Sections [player1] and [player2] hold
// lines "ACTION = BINDING, BINDING..."; a line replaces the action's keys if it names a key and its
// pad inputs if it names one. Each bad line adds one complaint "FILE:LINE: why" and is skipped;
// lines under an unknown section are skipped with it. Then each key bound twice (to two actions,
// or to both players) and each pad input bound to two actions of one player adds one complaint.
Controls ReadControls(std::string_view text, const std::string& fileName,
                      std::vector<std::string>& complaints);

// Both sections with every action and every binding, keys before pad inputs, after comments that
// explain the format; ReadControls reads it back to the same controls without complaint.
std::string ControlsText(const Controls& controls);
