// The controls file's spelling of keys and pad inputs.
#include "input/binding_text.h"

#include <array>

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
