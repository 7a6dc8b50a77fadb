// The sound device on SDL_mixer; the slots the game's sounds play in live in the sound layer.
#include "platform/sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "sound/sound_slots.h"

namespace {

bool deviceOpen = false;
bool audioStarted = false;

}  // namespace

int InitSound(int count) {
  ReleaseSound();
  if (count < 1) {
    return 0;
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return 0;
  }
  audioStarted = true;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    ReleaseSound();
    return 0;
  }
  deviceOpen = true;
  if (Mix_AllocateChannels(count) != count || OpenSoundSlots(count) == 0) {
    ReleaseSound();
    return 0;
  }
  return 1;
}

void ReleaseSound() {
  CloseSoundSlots();
  if (deviceOpen) {
    Mix_CloseAudio();
    deviceOpen = false;
  }
  if (audioStarted) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioStarted = false;
  }
}
