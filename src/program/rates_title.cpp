#include "program/rates_title.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/message_box.h"
#include "program/frame_driver.h"

namespace {

bool Showing() {
  static const char* const choice = SDL_getenv("ASTORINE_SHOW_RATES");
  static const bool showing = choice != nullptr && std::strcmp(choice, "1") == 0;
  return showing;
}

}  // namespace

void ShowRatesInTitle(SDL_Window* window, double now) {
  static double since = -1.0;
  static uint64_t runBefore = 0;
  static uint64_t presentedBefore = 0;
  if (!Showing() || window == nullptr) {
    return;
  }
  if (since < 0.0 || now < since) {
    since = now;
    runBefore = FramesRun();
    presentedBefore = PresentedFrames();
    return;
  }
  const double seconds = now - since;
  if (seconds < 1.0) {
    return;
  }
  char title[96];
  std::snprintf(title, sizeof title, "%s  %.1f frames/s, %.1f presented/s", GameTitle,
                static_cast<double>(FramesRun() - runBefore) / seconds,
                static_cast<double>(PresentedFrames() - presentedBefore) / seconds);
  SDL_SetWindowTitle(window, title);
  since = now;
  runBefore = FramesRun();
  presentedBefore = PresentedFrames();
}
