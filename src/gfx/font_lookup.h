// Finding the Japanese Gothic face the game's text is drawn in.
#pragma once
#include <string>

// The file of IPAGothic, else of any face whose languages include Japanese; empty when none is
// installed. Asks fontconfig each time it is called.
std::string FindJapaneseGothicFont();
