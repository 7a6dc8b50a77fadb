// Which physical keys a Windows virtual-key code stands for on SDL's keyboard state.
#pragma once
#include <SDL.h>

// Up to two keys per code: Return also answers to the keypad's Enter. SDL_SCANCODE_UNKNOWN marks
// an unused place; a code the game never polls maps to none.
struct KeyScancodes {
  SDL_Scancode primary = SDL_SCANCODE_UNKNOWN;
  SDL_Scancode alternate = SDL_SCANCODE_UNKNOWN;
};
KeyScancodes ScancodesForVirtualKey(int virtualKey);
