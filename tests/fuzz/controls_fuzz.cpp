// Fuzz target: the controls file reader over arbitrary bytes. Every complaint is one line naming
// the file; whatever it read, written out it reads back to the same controls without complaint.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "input/controls_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> complaints;
  const Controls controls = ReadControls(text, "controls.conf", complaints);
  for (const std::string& complaint : complaints) {
    FUZZ_REQUIRE(complaint.starts_with("controls.conf:"));
    FUZZ_REQUIRE(complaint.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
  }
  const std::string written = ControlsText(controls);
  std::vector<std::string> again;
  FUZZ_REQUIRE(ReadControls(written, "written", again).players == controls.players);
  // Clashes read from the file come back with the file; nothing else may.
  size_t clashes = 0;
  for (const std::string& complaint : complaints) {
    clashes += complaint.starts_with("controls.conf: ") ? 1 : 0;
  }
  FUZZ_REQUIRE(again.size() == clashes);
  return 0;
}
