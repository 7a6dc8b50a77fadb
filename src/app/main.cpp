// The game's entry point: the clock check, the full-screen question, start-up and the loop.
#include <SDL.h>

#include "app/data_folder.h"
#include "app/frame_clock.h"
#include "app/message_box.h"
#include "app/shell.h"

int main(int /*argc*/, char* argv[]) {
  FindDataFolder(argv[0]);
  // The frame wait could never end on a counter that does not count.
  if (CounterFrequency() == 0) {
    ShowStartupFailure("高分解能タイマーが使えないため、起動できません。");
    return 0;
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    ShowStartupFailure("ウィンドウクラスの登録に失敗しました。");
    return 0;
  }
  if (!StartWindowedGame(AskFullScreen())) {
    return 0;
  }
  return RunEventLoop();
}
