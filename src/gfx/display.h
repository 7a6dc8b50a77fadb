// The picture's size, 640 x 480, and the game's one whole-picture operation, ClearToColour.
#pragma once
#include <cstdint>

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
constexpr int32_t ErrorFail = static_cast<int32_t>(0x80004005);  // generic failure result

// Fills the back buffer with one colour; the result of the fill, or ErrorFail for an unsupported
// pixel format. Called by the game-over screen.
int32_t ClearToColour(int red, int green, int blue);
