// The per-frame record of started sounds.
#include "sound/frame_sounds.h"

#include <array>

namespace {

struct FrameRecord {
  uint32_t frame = 0;
  uint32_t started = 0;  // bit n: sound id n
};

constexpr uint32_t RecordCount = 32;
std::array<FrameRecord, RecordCount> records{};
FrameRun currentRun = FrameRun::Untracked;
FrameRecord* current = nullptr;

}  // namespace

void BeginSoundFrame(uint32_t frame, FrameRun run) {
  currentRun = run;
  current = nullptr;
  if (run == FrameRun::Untracked) {
    return;
  }
  current = &records[frame % RecordCount];
  if (run == FrameRun::First || current->frame != frame) {
    *current = FrameRecord{frame, 0};
  }
}

bool AdmitSoundStart(SoundId id) {
  if (current == nullptr) {
    return true;
  }
  const uint32_t bit = 1u << id;
  if (currentRun == FrameRun::Again && (current->started & bit) != 0) {
    return false;
  }
  current->started |= bit;
  return true;
}
