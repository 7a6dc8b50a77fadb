// A text broken into rows that fit a width in the game's face, which is fixed-width: an ASCII
// character takes half its cell height, any other character a whole one. The screens break their
// longer lines (a lobby's reasons, Japanese sentences) so that none relies on being clipped.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The text's width in pixels, drawn at cell height `height`.
int TextWidth(std::string_view text, int height);
// The text in rows no wider than `width`, each broken at its last space where it has one (the
// space dropped), else between two characters; a text that fits is one row.
std::vector<std::string> TextRows(std::string_view text, int height, int width);
