// Fuzz target: the replay reader over arbitrary bytes. A refused file must leave the replay as it
// was and explain itself in one line; an accepted one must encode back to the very same bytes.
// Each input is read twice: as it is, and resealed (its size and checksum made right), so that
// mutations reach past the checksum into the body.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "replay/crc32.h"
#include "replay/replay_file.h"

namespace {

void Check(const uint8_t* data, size_t size) {
  Replay replay;
  replay.startState = "untouched";
  std::string error;
  if (!DecodeReplay(data, size, replay, error)) {
    FUZZ_REQUIRE(!error.empty());
    FUZZ_REQUIRE(error.find_first_of("\r\n") == std::string::npos);
    FUZZ_REQUIRE(replay.startState == "untouched" && replay.runs.empty());
    return;
  }
  FUZZ_REQUIRE(replay.FrameCount() <= MaxReplayFrames);
  std::vector<uint8_t> again = EncodeReplay(replay);
  FUZZ_REQUIRE(again.size() == size && std::equal(again.begin(), again.end(), data));
}

void PutU32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    at[i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Check(data, size);
  constexpr size_t SizeOffset = 12;
  if (size >= 48 && size <= MaxReplayBytes) {
    std::vector<uint8_t> resealed(data, data + size);
    PutU32(resealed.data() + SizeOffset, static_cast<uint32_t>(size));
    PutU32(resealed.data() + size - 4, Crc32(resealed.data(), size - 4));
    Check(resealed.data(), size);
  }
  return 0;
}
