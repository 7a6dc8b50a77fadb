#include "program/room_code_entry.h"

#include "net/lobby_protocol.h"
#include "net/room_code.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

// The character starting at `i` as ASCII: itself, or the full-width form (U+FF01 to U+FF5E) a
// Japanese input method types; '\0' for any other. Moves `i` past the character.
char AsciiAt(std::string_view text, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    return text[i++];
  }
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  char ascii = '\0';
  if (lead == 0xEF && i + 2 < text.size() && (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD)) {
    const int offset = (byte(i + 1) == 0xBC ? 0x00 : 0x40) + (byte(i + 2) - 0x80);
    ascii = offset >= 0x01 && offset <= 0x5E ? static_cast<char>(offset + 0x20) : '\0';
  }
  i += length;
  return ascii;
}

bool IsAsciiLetterOrDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

void RoomCodeEntry::Type(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const char c = AsciiAt(text, i);
    if (IsAsciiLetterOrDigit(c) && typed_.size() < RoomCodeLength) {
      typed_ += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
  }
}

void RoomCodeEntry::Backspace() {
  if (!typed_.empty()) {
    typed_.pop_back();
  }
}

std::string RoomCodeEntry::Submit() {
  if (typed_.empty()) {
    return {};
  }
  const std::string code = CanonicalRoomCode(typed_);
  if (code.empty()) {
    complaint_ = Formatted(Tr("%s is no room code: the host's screen shows six letters and digits"),
                           typed_.c_str());
  }
  return code;
}
