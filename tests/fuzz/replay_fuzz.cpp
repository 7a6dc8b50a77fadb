// Fuzz target: the replay reader over arbitrary bytes. A refused file must leave the replay as it
// was and explain itself in one line; an accepted one must encode back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "replay/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Replay replay;
  replay.startState = "untouched";
  std::string error;
  if (!DecodeReplay(data, size, replay, error)) {
    FUZZ_REQUIRE(!error.empty());
    FUZZ_REQUIRE(error.find_first_of("\r\n") == std::string::npos);
    FUZZ_REQUIRE(replay.startState == "untouched" && replay.runs.empty());
    return 0;
  }
  FUZZ_REQUIRE(replay.FrameCount() <= MaxReplayFrames);
  std::vector<uint8_t> again = EncodeReplay(replay);
  FUZZ_REQUIRE(again.size() == size && std::equal(again.begin(), again.end(), data));
  return 0;
}
