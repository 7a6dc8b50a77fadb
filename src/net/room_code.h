// Room codes: six characters of an alphabet without look-alikes (Crockford's base 32: digits and
// capital letters but I, L, O and U). What a player types is forgiven its case, its spaces and
// dashes, and the look-alikes O for 0 and I or L for 1.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::string_view RoomCodeAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

// Exactly RoomCodeLength characters of the alphabet, as the lobby writes them.
bool IsCanonicalRoomCode(std::string_view code);
// The code a player meant, or "" when the text is no code.
std::string CanonicalRoomCode(std::string_view typed);
// The code of 30 random bits (the low 30 of `bits`).
std::string RoomCodeFromBits(uint32_t bits);
