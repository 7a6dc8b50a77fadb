#include "program/text_rows.h"

#include <algorithm>

namespace {

// The length of the UTF-8 character starting with `lead`.
size_t CharacterLength(char first) {
  const auto lead = static_cast<unsigned char>(first);
  if (lead < 0x80) {
    return 1;
  }
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

int CharacterWidth(char first, int height) {
  return static_cast<unsigned char>(first) < 0x80 ? height / 2 : height;
}

}  // namespace

int TextWidth(std::string_view text, int height) {
  int width = 0;
  for (size_t i = 0; i < text.size(); i += CharacterLength(text[i])) {
    width += CharacterWidth(text[i], height);
  }
  return width;
}

std::vector<std::string> TextRows(std::string_view text, int height, int width) {
  std::vector<std::string> rows;
  // A last character wider than the width is a row of its own.
  while (TextWidth(text, height) > width && text.size() > CharacterLength(text[0])) {
    size_t end = 0, lastSpace = std::string_view::npos;
    for (int used = 0; end < text.size(); end += CharacterLength(text[end])) {
      used += CharacterWidth(text[end], height);
      if (used > width) {
        break;
      }
      if (text[end] == ' ') {
        lastSpace = end;
      }
    }
    const bool atSpace = lastSpace != std::string_view::npos && lastSpace > 0;
    const size_t cut = atSpace ? lastSpace : std::max(end, CharacterLength(text[0]));
    rows.emplace_back(text.substr(0, cut));
    text.remove_prefix(atSpace ? cut + 1 : cut);
  }
  rows.emplace_back(text);
  return rows;
}
