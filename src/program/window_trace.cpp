// The windowed game's trace for tests: the environment is read once, at the first call.
#include "program/window_trace.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "input/key_names.h"
#include "scenes/game_state.h"
#include "state/state_document.h"

namespace {

bool Tracing() {
  static const bool tracing = std::getenv("ASTORINE_TRACE") != nullptr;
  return tracing;
}

}  // namespace

void TraceStep(const char* step) {
  if (Tracing()) {
    std::fprintf(stderr, "astorine: %s\n", step);
  }
}

void TraceFramesPresented(uint64_t run, uint64_t presented) {
  if (Tracing()) {
    std::fprintf(stderr, "astorine: frames run %llu presented %llu\n",
                 static_cast<unsigned long long>(run), static_cast<unsigned long long>(presented));
  }
}

void TraceSound(int volume, bool mute, int tuneLevel, int effectLevel) {
  if (Tracing()) {
    std::fprintf(stderr, "astorine: sound volume %d mute %s levels %d %d\n", volume,
                 mute ? "yes" : "no", tuneLevel, effectLevel);
  }
}

void TraceSceneChange(int32_t from, int32_t to) {
  if (Tracing() && from != to) {
    std::fprintf(stderr, "astorine: scene %s %s\n", SceneName(from).c_str(), SceneName(to).c_str());
  }
}

void TraceKeysHeld(const InputFrame& input) {
  if (!Tracing()) {
    return;
  }
  std::string held;
  auto note = [&held, &input](int key) {
    if (input.Held(key)) {
      if (!held.empty()) {
        held += '+';
      }
      held += VirtualKeyName(key);
    }
  };
  for (const NamedKey& named : NamedKeys()) {
    note(named.key);
  }
  for (int key = 'A'; key <= 'Z'; ++key) {
    note(key);
  }
  for (int key = '0'; key <= '9'; ++key) {
    note(key);
  }
  static std::string lastHeld = "none";
  if (held.empty()) {
    held = "none";
  }
  if (held != lastHeld) {
    lastHeld = held;
    std::fprintf(stderr, "astorine: keys %u %s\n", Game.FrameCount, held.c_str());
  }
}

void WriteStateIfAsked() {
  const char* path = std::getenv("ASTORINE_STATE_OUT");
  if (path == nullptr || *path == '\0') {
    return;
  }
  std::FILE* file = std::fopen(path, "w");
  const std::string document = WriteStateDocument(Game);
  if (file == nullptr ||
      std::fwrite(document.data(), 1, document.size(), file) != document.size()) {
    std::fprintf(stderr, "astorine: the state could not be written to %s\n", path);
  }
  if (file != nullptr) {
    std::fclose(file);
  }
}

void TraceReplaySaved(const std::filesystem::path& saved) {
  TraceStep(("replay saved " + saved.filename().string()).c_str());
}
