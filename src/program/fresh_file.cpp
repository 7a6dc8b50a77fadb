// The shared steps of the --write-* options.
#include "program/fresh_file.h"

#include <cstdio>

#include "platform/player_file.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace fs = std::filesystem;

namespace {

int Fail(const std::string& why) {
  std::fprintf(stderr, "astorine: %s\n", why.c_str());
  return 1;
}

}  // namespace

int WriteFreshFile(const fs::path& path, bool force, const char* noFolder,
                   const std::function<std::string(bool exists)>& textOf) {
  if (path.empty()) {
    return Fail(noFolder);
  }
  std::error_code error;
  const bool exists = fs::exists(fs::symlink_status(path, error));
  if (exists && !force) {
    return Fail(Formatted(Tr("%s exists; --force replaces it"), path.c_str()));
  }
  std::string why;
  if (!WritePlayerFile(path, textOf(exists), why)) {
    return Fail(why);
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
