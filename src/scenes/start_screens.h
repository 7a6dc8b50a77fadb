// The two timed scenes around every game: the shuttle start screen and game over.
#pragma once
#include <cstdint>

int32_t StartFrame();
int32_t GameOverFrame();
