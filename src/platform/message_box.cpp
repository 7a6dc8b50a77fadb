// Message boxes through SDL, which can show them before any window exists.
#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

#include "services/texts.h"

FullScreenReply AskFullScreen() {
  // Without the key flags Return and Escape would do nothing in SDL's box.
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, static_cast<int>(FullScreenReply::Yes), Tr("Yes")},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, static_cast<int>(FullScreenReply::No), Tr("No")},
      {0, static_cast<int>(FullScreenReply::AlwaysYes), Tr("Always full screen")},
      {0, static_cast<int>(FullScreenReply::AlwaysNo), Tr("Always in a window")},
  };
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.title = GameTitle;
  box.message = Tr("フルスクリーン？");
  box.numbuttons = 4;
  box.buttons = buttons;
  int answer = static_cast<int>(FullScreenReply::No);
  if (SDL_ShowMessageBox(&box, &answer) != 0) {
    return FullScreenReply::No;
  }
  // A box closed by its close box answers -1.
  return answer < 0 || answer > static_cast<int>(FullScreenReply::AlwaysNo)
             ? FullScreenReply::No
             : static_cast<FullScreenReply>(answer);
}

void ShowStartupFailure(const char* text) {
  std::fprintf(stderr, "astorine: %s\n", text);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, GameTitle, text, nullptr);
}
