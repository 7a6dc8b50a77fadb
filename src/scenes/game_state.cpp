// The one record of all game state, at its program-start values.
#include "scenes/game_state.h"

GameState Game;
