// Writing the events log.
#include "event_log.h"

#include <cstdio>

#include "sound/sound.h"
#include "state/state_document.h"

namespace {

std::FILE* logFile = nullptr;
long eventFrame = -1;

void LogSound(SoundId id, bool start, bool loop) {
  if (start) {
    std::fprintf(logFile, "%ld start %s %s\n", eventFrame, SoundIdName(id), loop ? "loop" : "once");
  } else {
    std::fprintf(logFile, "%ld stop %s\n", eventFrame, SoundIdName(id));
  }
}

}  // namespace

bool OpenEventLog(const std::string& path) {
  logFile = path == "-" ? stdout : std::fopen(path.c_str(), "w");
  if (logFile == nullptr) {
    return false;
  }
  SetSoundEventHook(LogSound);
  return true;
}

void SetEventFrame(long frame) {
  eventFrame = frame;
}

void LogSceneChange(int32_t from, int32_t to) {
  if (logFile != nullptr) {
    std::fprintf(logFile, "%ld scene %s %s\n", eventFrame, SceneName(from).c_str(),
                 SceneName(to).c_str());
  }
}

void LogQuit() {
  if (logFile != nullptr) {
    std::fprintf(logFile, "%ld quit\n", eventFrame);
  }
}

void CloseEventLog() {
  SetSoundEventHook(nullptr);
  if (logFile != nullptr && logFile != stdout) {
    std::fclose(logFile);
  }
  logFile = nullptr;
}
