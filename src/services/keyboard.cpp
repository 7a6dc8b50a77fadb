// KeyDown: the frame's held keys, or a scripted reader.
#include "services/keyboard.h"

#include "services/input_frame.h"

namespace {

KeyReader installedReader = nullptr;
InputFrame frameInput;

}  // namespace

int KeyDown(int virtualKey) {
  if (installedReader != nullptr) {
    return installedReader(virtualKey);
  }
  return frameInput.Held(virtualKey) ? 1 : 0;
}

void SetFrameInput(const InputFrame& frame) {
  frameInput = frame;
}

const InputFrame& FrameInput() {
  return frameInput;
}

void SetKeyReader(KeyReader reader) {
  installedReader = reader;
}
