// The screens of online play around the match, in the title's style: the universe and the stars
// drifting behind a few lines of text.
#pragma once
#include <string>
#include <vector>

// Draws one frame of the screen, the first line as a heading and the rest below it, and shows it.
void DrawOnlineScreen(const std::vector<std::string>& lines);
