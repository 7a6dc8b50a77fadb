// The sound slots on SDL_mixer: one mixer channel per slot, so one sound never overlaps itself and
// different sounds mix freely.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <vector>

#include "services/texts.h"
#include "sound/sound_slots.h"
#include "sound/wave_file.h"

namespace {

// A slot's chunk plays straight from `samples` (Mix_QuickLoad_RAW does not copy), so the samples
// live exactly as long as the chunk.
struct SoundSlot {
  Mix_Chunk* chunk = nullptr;
  Uint8* samples = nullptr;
};

// Never destroyed: the quits that skip the teardown keep the sounds until the process ends.
std::vector<SoundSlot>& soundSlots = *new std::vector<SoundSlot>;
bool slotsOpen = false;
int deviceRate = 0;
Uint16 deviceFormat = 0;
int deviceChannels = 0;

bool ValidSlot(int slot) {
  return slot >= 0 && slot < static_cast<int>(soundSlots.size()) &&
         soundSlots[slot].chunk != nullptr;
}

// The sample format of a PCM layout, or 0 when the mixer cannot take it.
SDL_AudioFormat PcmFormat(const WaveFormat& format) {
  if (format.channels < 1 || format.channels > 8 || format.samplesPerSecond == 0 ||
      format.blockAlign != format.channels * format.bitsPerSample / 8) {
    return 0;
  }
  switch (format.bitsPerSample) {
    case 8:
      return AUDIO_U8;
    case 16:
      return AUDIO_S16LSB;
    case 32:
      return AUDIO_S32LSB;
    default:
      return 0;
  }
}

// The samples converted to the device's format, in a buffer of SDL's allocator; nullptr when
// the layout cannot be converted.
Uint8* ConvertToDevice(const WaveSound& sound, Uint32& length) {
  SDL_AudioFormat format = PcmFormat(sound.format);
  if (format == 0 || sound.samples.empty() || sound.format.samplesPerSecond > 0x7FFFFFFF) {
    return nullptr;
  }
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(sound.format.channels),
                        static_cast<int>(sound.format.samplesPerSecond), deviceFormat,
                        static_cast<Uint8>(deviceChannels), deviceRate) < 0) {
    return nullptr;
  }
  // Whole sample frames only; a trailing partial frame is not a sound.
  size_t frames = sound.samples.size() / sound.format.blockAlign;
  size_t bytes = frames * sound.format.blockAlign;
  if (frames == 0 || bytes > static_cast<size_t>(0x7FFFFFFF) / cvt.len_mult) {
    return nullptr;
  }
  cvt.len = static_cast<int>(bytes);
  cvt.buf = static_cast<Uint8*>(SDL_malloc(bytes * cvt.len_mult));
  if (cvt.buf == nullptr) {
    return nullptr;
  }
  SDL_memcpy(cvt.buf, sound.samples.data(), bytes);
  if (SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt <= 0) {
    SDL_free(cvt.buf);
    return nullptr;
  }
  length = static_cast<Uint32>(cvt.len_cvt);
  return cvt.buf;
}

}  // namespace

int OpenSoundSlots(int count) {
  CloseSoundSlots();
  if (Mix_QuerySpec(&deviceRate, &deviceFormat, &deviceChannels) == 0) {
    return 0;
  }
  soundSlots.assign(count, SoundSlot{});
  slotsOpen = true;
  return 1;
}

void CloseSoundSlots() {
  for (int slot = 0; slot < static_cast<int>(soundSlots.size()); ++slot) {
    FreeSoundSlot(slot);
  }
  soundSlots.clear();
  slotsOpen = false;
}

int LoadSoundSlot(const char* path) {
  if (!slotsOpen || path == nullptr) {
    return -1;
  }
  int slot = 0;
  while (slot < static_cast<int>(soundSlots.size()) && soundSlots[slot].chunk != nullptr) {
    ++slot;
  }
  if (slot == static_cast<int>(soundSlots.size())) {
    return -1;
  }
  WaveSound sound;
  if (ReadWaveFile(path, sound) == 0) {
    std::fprintf(stderr, Tr("astorine: sound %s not loaded (missing or not a PCM WAV file)\n"),
                 path);
    return -1;
  }
  Uint32 length = 0;
  Uint8* samples = ConvertToDevice(sound, length);
  if (samples == nullptr) {
    std::fprintf(stderr, Tr("astorine: sound %s not loaded (sample layout not playable)\n"), path);
    return -1;
  }
  Mix_Chunk* chunk = Mix_QuickLoad_RAW(samples, length);
  if (chunk == nullptr) {
    SDL_free(samples);
    std::fprintf(stderr, Tr("astorine: sound %s not loaded (%s)\n"), path, Mix_GetError());
    return -1;
  }
  soundSlots[slot] = {chunk, samples};
  return slot;
}

int StartSoundSlot(int slot, int loop) {
  if (!ValidSlot(slot)) {
    return 0;
  }
  // Playing on the slot's own channel restarts it from the first sample if it is playing.
  return Mix_PlayChannel(slot, soundSlots[slot].chunk, loop != 0 ? -1 : 0) == slot ? 1 : 0;
}

int StopSoundSlot(int slot) {
  if (!ValidSlot(slot)) {
    return 0;
  }
  Mix_HaltChannel(slot);
  return 1;
}

int FreeSoundSlot(int slot) {
  if (!ValidSlot(slot)) {
    return 0;
  }
  StopSoundSlot(slot);
  Mix_FreeChunk(soundSlots[slot].chunk);
  SDL_free(soundSlots[slot].samples);
  soundSlots[slot] = SoundSlot{};
  return 1;
}
