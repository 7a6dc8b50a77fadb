// Splitting a label among several faces, for text drawn without the Japanese face: each character
// goes to the first face that has it.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct LabelRun {
  int face = 0;
  std::string text;  // UTF-8
};

// Whether face number `face` has a glyph for the character.
using GlyphCheck = std::function<bool(int face, char32_t character)>;

// The text as consecutive runs of one face each, in order. A full-width Latin letter, digit or
// sign, or the ideographic space, that no face has is written as its ordinary form; any other
// character no face has goes to face 0 (which draws its missing-glyph box). Malformed UTF-8 bytes
// become U+FFFD.
std::vector<LabelRun> SplitIntoFaceRuns(const char* text, int faceCount, const GlyphCheck& has);
