// The game without a window: the back buffer alone, SDL's dummy audio device, the sounds, the
// seed, the virtual clock and InitGame. Shared by the headless runner and the benchmarks.
#pragma once
#include <cstdint>
#include <string>

// Starts everything up to and including InitGame, which seeds the generator with `seed` where
// the game would read the clock. `dataFolder` empty: found as the game finds it. False, with the
// reason on stderr, when the back buffer cannot be created.
bool StartHeadlessGame(const char* argv0, const std::string& dataFolder, uint32_t seed);
// Releases pictures, sound and display, in the window teardown's order.
void StopHeadlessGame();
