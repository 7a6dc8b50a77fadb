// Time from start to the first presented frame of the windowed game (without the full-screen
// question, which waits for the player): window, display, sound, InitGame and the first frame.
// Needs a display (Xvfb) and SDL_AUDIODRIVER=dummy on a machine without sound.
//   astorine-startup-bench [LAUNCH_NS]   LAUNCH_NS: CLOCK_REALTIME in ns when the shell started us
#include <SDL.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "app/data_folder.h"
#include "app/frame_driver.h"
#include "app/shell.h"

namespace {

double RealtimeSeconds() {
  timespec time{};
  clock_gettime(CLOCK_REALTIME, &time);
  return time.tv_sec + time.tv_nsec * 1e-9;
}

}  // namespace

int main(int argc, char* argv[]) {
  double mainEntered = RealtimeSeconds();
  FindDataFolder(argv[0]);
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !StartWindowedGame(false)) {
    std::fprintf(stderr, "astorine-startup-bench: the game did not start\n");
    return 1;
  }
  double started = RealtimeSeconds();
  RunFrame();  // its wait makes the first present come 25 ms after the frame began
  double presented = RealtimeSeconds();
  std::printf("start-up: main to InitGame done %.1f ms, main to first present %.1f ms",
              1000.0 * (started - mainEntered), 1000.0 * (presented - mainEntered));
  if (argc > 1) {
    std::printf(", launch to first present %.1f ms",
                1000.0 * (presented - std::atof(argv[1]) * 1e-9));
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("\nstart-up: peak resident memory %ld KiB\n", usage.ru_maxrss);
  return 0;
}
