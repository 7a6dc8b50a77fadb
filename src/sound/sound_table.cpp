// The SoundTable and the game's start and stop by sound id, with the names of the twelve sounds.
#include <string>

#include "services/data_path.h"
#include "sound/frame_sounds.h"
#include "sound/sound_slots.h"

int32_t SoundTable[SoundCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

namespace {

struct SoundName {
  const char* file;
  const char* id;
};

constexpr SoundName SoundNames[SoundCount] = {
    {"titlebgm.wav", "SndTitleBgm"}, {"playbgm.wav", "SndPlayBgm"}, {"select.wav", "SndSelect"},
    {"mode.wav", "SndMode"},         {"enter.wav", "SndEnter"},     {"bom.wav", "SndBom"},
    {"gage.wav", "SndGage"},         {"sun.wav", "SndSun"},         {"chain2.wav", "SndChain2"},
    {"chain3.wav", "SndChain3"},     {"shuttle.wav", "SndShuttle"}, {"pinch.wav", "SndPinch"},
};

SoundEventHook eventHook = nullptr;

bool ValidId(SoundId id) {
  return id >= 0 && id < SoundCount;
}

}  // namespace

const char* SoundFileName(SoundId id) {
  return ValidId(id) ? SoundNames[id].file : "";
}

const char* SoundIdName(SoundId id) {
  return ValidId(id) ? SoundNames[id].id : "";
}

void SetSoundEventHook(SoundEventHook hook) {
  eventHook = hook;
}

void LoadSoundTable() {
  // A file that fails leaves its slot free, so the sounds after it move down one slot.
  for (int id = 0; id < SoundCount; ++id) {
    std::string path = DataPath(SoundFileName(static_cast<SoundId>(id)));
    SoundTable[id] = LoadSoundSlot(path.c_str());
  }
}

// The hook hears every request, also for a sound that failed to load or with no device, so a
// headless run logs exactly what the game asked for.
int StartSound(SoundId id, int loop) {
  if (!ValidId(id) || !AdmitSoundStart(id)) {
    return 0;
  }
  if (eventHook != nullptr) {
    eventHook(id, true, loop != 0);
  }
  return StartSoundSlot(SoundTable[id], loop);
}

int StopSound(SoundId id) {
  if (!ValidId(id)) {
    return 0;
  }
  if (eventHook != nullptr) {
    eventHook(id, false, false);
  }
  return StopSoundSlot(SoundTable[id]);
}
