#include "program/online_screen.h"

#include "gfx/text.h"
#include "platform/display_device.h"
#include "solo/background.h"

namespace {

constexpr int TextLeft = 60;
constexpr int HeadingTop = 190;
constexpr int HeadingHeight = 24;
constexpr int LineHeight = 18;
constexpr int LineGap = 34;

}  // namespace

void DrawOnlineScreen(const std::vector<std::string>& lines) {
  ScrollUniverse();
  MoveStars();
  DrawUniverse();
  DrawStars();
  int top = HeadingTop;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == 0) {
      DrawLabel(lines[i].c_str(), TextLeft, top, HeadingHeight, 255, 255, 255);
    } else {
      DrawLabel(lines[i].c_str(), TextLeft, top, LineHeight, 200, 200, 255);
    }
    top += LineGap;
  }
  PresentFrame(0);
}
