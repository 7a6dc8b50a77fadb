// The 640 x 480 back buffer every frame is composed in, apart from any window that shows it.
#pragma once
#include <SDL.h>

#include <cstdint>

// Creates the back buffer, cleared to black; needs no SDL_Init. 1 on success, 0 on failure with
// nothing allocated. Called by the display when it opens.
int CreateBackBuffer();
// Frees the back buffer; safe when there is none.
void ReleaseBackBuffer();
// The 640 x 480 XRGB8888 back buffer, or nullptr when the display is not open.
SDL_Surface* BackBuffer();

// The pixel value ClearToColour fills with, computed for any surface's format and filled into it:
// the fill's result (0), or ErrorFail for an unsupported format (nothing filled).
int32_t ClearSurfaceToColour(SDL_Surface* surface, int red, int green, int blue);
