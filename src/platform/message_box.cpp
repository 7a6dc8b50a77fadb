// Message boxes through SDL, which can show them before any window exists.
#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

namespace {
constexpr int AnswerNo = 0;
constexpr int AnswerYes = 1;
}  // namespace

bool AskFullScreen() {
  // Without the key flags Return and Escape would do nothing in SDL's box.
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, AnswerYes, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, AnswerNo, "No"},
  };
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.title = GameTitle;
  box.message = "フルスクリーン？";
  box.numbuttons = 2;
  box.buttons = buttons;
  int answer = AnswerNo;
  if (SDL_ShowMessageBox(&box, &answer) != 0) {
    return false;
  }
  return answer == AnswerYes;
}

void ShowStartupFailure(const char* text) {
  std::fprintf(stderr, "astorine: %s\n", text);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, GameTitle, text, nullptr);
}
