#include "program/online_screen.h"

#include <algorithm>

#include "gfx/display.h"
#include "gfx/text.h"
#include "platform/display_device.h"
#include "program/text_rows.h"
#include "solo/background.h"

namespace {

constexpr int TextLeft = 60;
constexpr int TextWidthLimit = ScreenWidth - 2 * TextLeft;
constexpr int HeadingHeight = 24;
constexpr int LineHeight = 18;
// From one text's last row to the next text.
constexpr int TextGap = 34;
// The code is read across a room or over a call: large, a space between its characters.
constexpr int CodeHeight = 56;
constexpr int CodeGap = 84;
constexpr int TopMargin = 24;

std::string Spaced(const std::string& code) {
  std::string spaced;
  for (char c : code) {
    spaced += spaced.empty() ? "" : " ";
    spaced += c;
  }
  return spaced;
}

// Places the text's rows from `top`, a row and a quarter apart; returns where the next text goes.
int PlaceRows(std::vector<PlacedText>& placed, const std::string& text, int top, int height,
              int gap, const PlacedText& style) {
  const std::vector<std::string> rows = TextRows(text, height, TextWidthLimit);
  for (size_t i = 0; i < rows.size(); ++i) {
    PlacedText row = style;
    row.text = rows[i];
    row.y = top + static_cast<int>(i) * (height + height / 4);
    row.height = height;
    placed.push_back(row);
  }
  return placed.back().y + gap;
}

}  // namespace

std::vector<PlacedText> LayOutOnlineScreen(const OnlineScreen& screen) {
  std::vector<PlacedText> placed;
  int top = PlaceRows(placed, screen.heading, 0, HeadingHeight, TextGap,
                      {"", TextLeft, 0, 0, 255, 255, 255});
  if (!screen.code.empty()) {
    top = PlaceRows(placed, Spaced(screen.code), top, CodeHeight, CodeGap,
                    {"", TextLeft, 0, 0, 255, 220, 120});
  }
  for (const std::string& line : screen.lines) {
    top = PlaceRows(placed, line, top, LineHeight, TextGap, {"", TextLeft, 0, 0, 200, 200, 255});
  }
  // The block stands in the middle of the picture's height.
  const int height = placed.back().y + placed.back().height;
  const int shift = std::max(TopMargin, (ScreenHeight - height) / 2);
  for (PlacedText& text : placed) {
    text.y += shift;
  }
  return placed;
}

void DrawOnlineScreen(const OnlineScreen& screen) {
  ScrollUniverse();
  MoveStars();
  DrawUniverse();
  DrawStars();
  for (const PlacedText& text : LayOutOnlineScreen(screen)) {
    DrawLabel(text.text.c_str(), text.x, text.y, text.height, text.red, text.green, text.blue);
  }
  PresentFrame(0);
}
