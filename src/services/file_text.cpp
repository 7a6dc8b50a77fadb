// Trimming and quoting for the player's files' readers.
#include "services/file_text.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence starting at text[at], 0 when it is not one.
size_t Utf8Length(std::string_view text, size_t at) {
  const auto byte = static_cast<unsigned char>(text[at]);
  const size_t length = byte < 0x80                    ? 1
                        : byte >= 0xc2 && byte <= 0xdf ? 2
                        : byte >= 0xe0 && byte <= 0xef ? 3
                        : byte >= 0xf0 && byte <= 0xf4 ? 4
                                                       : 0;
  if (length == 0 || at + length > text.size()) {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xc0) != 0x80) {
      return 0;
    }
  }
  return length;
}

}  // namespace

std::string_view TrimmedText(std::string_view text) {
  const size_t first = text.find_first_not_of(FileBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(FileBlanks) - first + 1);
}

std::string Quoted(std::string_view text) {
  constexpr size_t Longest = 40;
  std::string quoted = "'";
  size_t shown = 0;
  for (size_t at = 0; at < text.size(); ++shown) {
    if (shown == Longest) {
      quoted += "...";
      break;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    const size_t length = Utf8Length(text, at);
    if (length == 0 || byte < 0x20 || byte == 0x7f) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      quoted += escaped;
      ++at;
    } else {
      quoted.append(text.substr(at, length));
      at += length;
    }
  }
  return quoted + "'";
}
