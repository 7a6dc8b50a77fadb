// Text in the Japanese Gothic face (or the faces standing in for it), drawn on top of the pictures
// of a frame.
#pragma once

// Draws UTF-8 text with its top-left corner at (x, y), cell height `height` pixels, in the given
// colour, on a transparent background, wrapped at word boundaries at the screen's right edge (in
// stand-in faces: one line, clipped there). Always returns 0.
int DrawLabel(const char* text, int x, int y, int height, int red, int green, int blue);
