// The display device, for the program: the back buffer's presentation in the game window, and PNG
// pictures of it for headless runs.
#pragma once
#include <SDL.h>

// Opens the display for the game window (created by the program with SDL_WINDOW_ALLOW_HIGHDPI; with
// SDL_WINDOW_FULLSCREEN_DESKTOP for full screen): a vsync renderer, a streaming texture and the
// back buffer, cleared to black. 1 on success; 0 on failure with nothing left allocated. Called
// once at start-up.
int InitDisplay(SDL_Window* window);
// The back buffer alone, no window (headless runner, tests, benchmarks); needs no SDL_Init.
// 1 on success, 0 on failure with nothing left allocated.
int InitHeadlessDisplay();
// Releases the fonts of text.h, the textures, the renderer and the back buffer, in that order, and
// forgets the window (which stays the program's). Safe when nothing was created. Returns 1.
int ReleaseDisplay();
// Shows the back buffer in the window, centred on black: in a window at the largest whole factor
// that fits, nearest-neighbour; in full screen as the largest 4:3 picture that fits, enlarged
// nearest-neighbour to the whole factor above and smoothed down when that size is fractional.
// `repaint` is non-zero when called to show the last picture again. 1 if shown; 0 without a window.
int PresentFrame(int repaint);
// Real pixels per unit of window size: 1, or more on a HiDPI display (1 without a window).
double DisplayPixelsPerPoint();
// Writes the back buffer as a PNG file; 1 on success, 0 on failure (or no back buffer).
int SaveBackBufferPng(const char* path);
