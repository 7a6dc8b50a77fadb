// The colours the drawing suites paint and key with: the back buffer's ground before a test
// draws, and the key colour (magenta) that blits leave out.
#pragma once
#include <SDL.h>

inline constexpr Uint32 Background = 0x00102030;
inline constexpr Uint32 Magenta = 0x00FF00FF;
