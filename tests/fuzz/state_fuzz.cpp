// Fuzz target: the state document reader (--state-in) over arbitrary text. A bad document must
// change nothing and explain itself in one line; a good one must survive writing and reading back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "state/state_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static GameState state;
  static GameState before;
  state = GameState{};
  std::memcpy(&before, &state, sizeof state);  // padding included: a refusal writes nothing
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  if (!ReadStateDocument(text, state, error)) {
    FUZZ_REQUIRE(!error.empty());
    FUZZ_REQUIRE(error.find_first_of("\r\n") == std::string::npos);
    FUZZ_REQUIRE(std::memcmp(&before, &state, sizeof state) == 0);
    return 0;
  }
  std::string written = WriteStateDocument(state);
  static GameState again;
  again = GameState{};
  FUZZ_REQUIRE(ReadStateDocument(written, again, error));
  FUZZ_REQUIRE(WriteStateDocument(again) == written);
  return 0;
}
