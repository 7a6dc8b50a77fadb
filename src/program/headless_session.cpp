// Start-up and teardown of a headless game.
#include "program/headless_session.h"

#include <cstdio>
#include <cstdlib>

#include "gfx/surfaces.h"
#include "platform/data_folder.h"
#include "platform/display_device.h"
#include "platform/sound_device.h"
#include "program/virtual_clock.h"
#include "scenes/scene_machine.h"
#include "services/data_path.h"
#include "services/quit.h"
#include "services/random.h"
#include "sound/sound_slots.h"

namespace {

uint32_t headlessSeed = 1;
uint32_t HeadlessSeed() {
  return headlessSeed;
}

}  // namespace

bool StartHeadlessGame(const char* argv0, const std::string& dataFolder, uint32_t seed) {
  // Before SDL's audio starts: sounds play into nothing, in real time, on any machine.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // Nothing here reads SDL's events, so SIGINT and SIGTERM must keep their own meaning: SDL's
  // audio would otherwise turn them into a quit event that no one sees.
  setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
  if (!dataFolder.empty()) {
    SetDataFolder(dataFolder);
  }
  FindDataFolder(argv0);
  headlessSeed = seed;
  SetClockSeedSource(HeadlessSeed);
  InstallVirtualClock();
  ClearQuitRequest();
  if (InitHeadlessDisplay() == 0) {
    std::fprintf(stderr, "astorine-headless: the back buffer could not be created\n");
    return false;
  }
  // Without a device every sound stays silent; the game asks for them all the same.
  if (InitSound(12) != 0) {
    LoadSoundTable();
  } else {
    std::fprintf(stderr, "astorine-headless: no audio device, sounds stay silent\n");
  }
  InitGame();
  return true;
}

void StopHeadlessGame() {
  ReleaseSurfaceTable();
  ReleaseSound();
  ReleaseDisplay();
}
