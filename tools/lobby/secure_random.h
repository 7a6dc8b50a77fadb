// Random bytes from the kernel, for what must not be guessed: room codes, session tokens and the
// cookies' key.
#pragma once
#include <cstdint>
#include <span>

// Fills `out`; the program stops with a line on stderr if the kernel cannot, since a lobby
// without unguessable numbers must not run.
void FillSecureRandom(std::span<uint8_t> out);
