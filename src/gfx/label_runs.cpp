// Decoding a label's UTF-8 and giving each character the first face that can draw it.
#include "gfx/label_runs.h"

namespace {

// The next character of `text` from `at`, advancing `at`; U+FFFD for a malformed sequence.
char32_t NextCharacter(const std::string& text, size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  int extra = lead < 0x80           ? 0
              : (lead >> 5) == 0x6  ? 1
              : (lead >> 4) == 0xE  ? 2
              : (lead >> 3) == 0x1E ? 3
                                    : -1;
  if (extra < 0) {
    return U'\uFFFD';
  }
  char32_t character = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
      return U'\uFFFD';
    }
    character = (character << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  return character;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

int FirstFaceWith(char32_t character, int faceCount, const GlyphCheck& has) {
  for (int face = 0; face < faceCount; ++face) {
    if (has(face, character)) {
      return face;
    }
  }
  return -1;
}

// The ordinary form of a full-width character: "Ｇａｍｅ" reads "Game" in a face without them.
char32_t OrdinaryForm(char32_t character) {
  if (character >= U'\uFF01' && character <= U'\uFF5E') {
    return character - 0xFEE0;
  }
  return character == U'\u3000' ? U' ' : character;
}

}  // namespace

std::vector<LabelRun> SplitIntoFaceRuns(const char* text, int faceCount, const GlyphCheck& has) {
  std::vector<LabelRun> runs;
  const std::string source = text != nullptr ? text : "";
  size_t at = 0;
  while (at < source.size()) {
    char32_t character = NextCharacter(source, at);
    int face = FirstFaceWith(character, faceCount, has);
    if (face < 0 && OrdinaryForm(character) != character) {
      character = OrdinaryForm(character);
      face = FirstFaceWith(character, faceCount, has);
    }
    face = face < 0 ? 0 : face;
    if (runs.empty() || runs.back().face != face) {
      runs.push_back({face, {}});
    }
    AppendUtf8(runs.back().text, character);
  }
  return runs;
}
