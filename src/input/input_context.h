// Which keys act in the frame about to run, from the scene and the match the title chose.
#pragma once
#include "input/input_map.h"

struct GameState;
InputContext InputContextOf(const GameState& game);
