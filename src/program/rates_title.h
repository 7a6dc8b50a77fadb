// With ASTORINE_SHOW_RATES=1, the window title shows once a second how many frames ran and how
// many the screen presented in that second: where a player can read both without the game's
// picture changing.
#pragma once
#include <SDL.h>

// Called on every pass of the loop; reads the environment once.
void ShowRatesInTitle(SDL_Window* window, double now);
