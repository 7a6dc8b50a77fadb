// The controls file's spelling of keys and pad inputs, and safe quoting of what it holds.
#include "input/binding_text.h"

#include <array>
#include <cstdio>

namespace {

struct Alias {
  char character;
  std::string_view word;
};
// The file's syntax takes these two characters: a comma separates bindings, a hash starts a
// comment.
constexpr std::array<Alias, 2> Aliases{{{',', "Comma"}, {'#', "Hash"}}};

bool IsControl(unsigned char byte) {
  return byte < 0x20 || byte == 0x7f;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

// "Comma" -> ",", "Keypad Hash" -> "Keypad #"; any other text as it is.
std::string SdlSpelling(std::string_view text) {
  for (const Alias& alias : Aliases) {
    if (text.size() < alias.word.size()) {
      continue;
    }
    const size_t start = text.size() - alias.word.size();
    if (EqualsIgnoringCase(text.substr(start), alias.word) &&
        (start == 0 || text[start - 1] == ' ')) {
      return std::string(text.substr(0, start)) + alias.character;
    }
  }
  return std::string(text);
}

bool Writable(std::string_view text) {
  if (text.empty() || text.front() == ' ' || text.back() == ' ') {
    return false;
  }
  for (unsigned char byte : text) {
    if (IsControl(byte) || byte == ',' || byte == '#') {
      return false;
    }
  }
  return true;
}

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

std::optional<Binding> BindingFromText(std::string_view text) {
  for (unsigned char byte : text) {
    if (IsControl(byte)) {
      return std::nullopt;
    }
  }
  const std::optional<Binding> binding = BindingNamed(SdlSpelling(text));
  if (!binding) {
    return std::nullopt;
  }
  // SDL takes any one character as a key, and decodes some byte sequences loosely: keep only
  // bindings the file can write and read back.
  const std::string written = BindingText(*binding);
  if (!Writable(written) || BindingNamed(SdlSpelling(written)) != binding) {
    return std::nullopt;
  }
  return binding;
}

std::string BindingText(const Binding& binding) {
  std::string text;
  for (char c : BindingName(binding)) {
    bool aliased = false;
    for (const Alias& alias : Aliases) {
      if (c == alias.character) {
        text += alias.word;
        aliased = true;
      }
    }
    if (!aliased) {
      text += c;
    }
  }
  return text;
}

std::string Quoted(std::string_view text) {
  constexpr size_t Longest = 40;
  std::string quoted = "'";
  size_t shown = 0;
  for (size_t at = 0; at < text.size();) {
    if (shown == Longest) {
      quoted += "...";
      break;
    }
    const size_t length = Utf8Length(text, at);
    if (length == 0 || (length == 1 && IsControl(static_cast<unsigned char>(text[at])))) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(text[at]));
      quoted += escaped;
      ++at;
    } else {
      quoted.append(text.substr(at, length));
      at += length;
    }
    ++shown;
  }
  return quoted + "'";
}
