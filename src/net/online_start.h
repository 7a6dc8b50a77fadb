// The online match's starting state: where a local two-player match stands when the title hands
// over to the start screen. Both machines reach it member for member from the host's starting
// point.
#pragma once
#include <cstdint>
#include <string>

// Program start as InitGame leaves it with the generator seeded by `seed` (pictures reloaded,
// the title tune started), then the title's frame with two players chosen and Return pressed.
// The game must read its keys from the frame (no key reader installed).
void EnterOnlineStart(uint32_t seed);
// The host's whole state from its state document, over program start. False, with nothing
// changed and the reason in `error`, when the document is refused.
bool EnterOnlineStartFromDocument(const std::string& document, std::string& error);
