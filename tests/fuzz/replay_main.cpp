// Runs a fuzz target's entry point over every file of the folders (or files) named on the command
// line, without libFuzzer: the seed corpus and the saved crashes replayed as an ordinary test.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

#ifdef __SANITIZE_ADDRESS__
// In the sanitizer build no input may make a reader ask for more than the fuzzers allow
// (-malloc_limit_mb in scripts/fuzz.sh): a header claiming gigabytes fails here too.
extern "C" const char* __asan_default_options() {
  return "max_allocation_size_mb=256";
}
#endif

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    fs::path named(argv[i]);
    if (fs::is_directory(named)) {
      for (const fs::directory_entry& entry : fs::directory_iterator(named)) {
        // Dot files (a .gitkeep) hold no input.
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
          inputs.push_back(entry.path());
        }
      }
    } else if (fs::is_regular_file(named)) {
      inputs.push_back(named);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::fprintf(stderr, "fuzz replay: no input found\n");
    return 1;
  }
  for (const fs::path& input : inputs) {
    std::ifstream file(input, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    std::printf("%s (%zu bytes)\n", input.string().c_str(), bytes.size());
    std::fflush(stdout);
    static const uint8_t nothing = 0;  // libFuzzer never passes a null pointer, even for 0 bytes
    LLVMFuzzerTestOneInput(bytes.empty() ? &nothing : bytes.data(), bytes.size());
  }
  std::printf("%zu inputs replayed, none broke a promise\n", inputs.size());
  return 0;
}
