// Finding the Japanese Gothic face the game's text is drawn in, or the faces that stand in for it.
#pragma once
#include <string>
#include <vector>

// The file of IPAGothic, else of any face whose languages include Japanese; empty when none is
// installed. Asks fontconfig each time it is called.
std::string FindJapaneseGothicFont();
// The files of the faces fontconfig offers for sans-serif text, best first, each adding
// characters the ones before it lack; empty when there is no font at all.
std::vector<std::string> FindFallbackFonts();
