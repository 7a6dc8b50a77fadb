// The text layer for the program: labels on surfaces other than the back buffer, and the open
// fonts, released with the display.
#pragma once
#include <SDL.h>

// DrawLabel's text, face and wrapping on any surface of the back buffer's size, untraced and
// whatever the game's drawing state: the program's own notes over the presented picture.
void DrawLabelOn(SDL_Surface* target, const char* text, int x, int y, int height, int red,
                 int green, int blue);

// Closes every font DrawLabel opened and shuts the font engine down. Called by ReleaseDisplay;
// safe at any time (the next DrawLabel opens what it needs again).
void ReleaseText();
