// Room codes written, checked and read back from what a player typed.
#include "net/room_code.h"

#include <cctype>

#include "net/lobby_protocol.h"

bool IsCanonicalRoomCode(std::string_view code) {
  if (code.size() != RoomCodeLength) {
    return false;
  }
  for (char c : code) {
    if (RoomCodeAlphabet.find(c) == std::string_view::npos) {
      return false;
    }
  }
  return true;
}

std::string CanonicalRoomCode(std::string_view typed) {
  std::string code;
  for (char c : typed) {
    if (c == ' ' || c == '-') {
      continue;
    }
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == 'O') {
      upper = '0';
    } else if (upper == 'I' || upper == 'L') {
      upper = '1';
    }
    code += upper;
  }
  return IsCanonicalRoomCode(code) ? code : std::string();
}

std::string RoomCodeFromBits(uint32_t bits) {
  std::string code(RoomCodeLength, '0');
  for (size_t i = 0; i < RoomCodeLength; ++i) {
    code[i] = RoomCodeAlphabet[(bits >> (5 * i)) & 31];
  }
  return code;
}
