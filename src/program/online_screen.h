// The screens of online play around the match, in the title's style: the universe and the stars
// drifting behind a heading, perhaps a room code drawn large, and a few lines of text.
#pragma once
#include <string>
#include <vector>

struct OnlineScreen {
  std::string heading;
  std::string code;  // drawn large and spaced under the heading; empty: none
  std::vector<std::string> lines;
};

// One text of a screen where it is drawn on the 640 x 480 picture.
struct PlacedText {
  std::string text;
  int x = 0, y = 0, height = 0;
  int red = 0, green = 0, blue = 0;
};

// The screen's texts in place, the block centred on the picture's height.
std::vector<PlacedText> LayOutOnlineScreen(const OnlineScreen& screen);
// Draws one frame of the screen and shows it.
void DrawOnlineScreen(const OnlineScreen& screen);
