#include "platform/player_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/atomic_file.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace fs = std::filesystem;

bool ReadPlayerFile(const fs::path& path, size_t largest, std::string& text, std::string& why) {
  text.clear();
  const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) {
    why = std::strerror(errno);
    return false;
  }
  struct stat status;
  bool fits = fstat(file, &status) == 0;
  if (!fits) {
    why = std::strerror(errno);
  } else if (!S_ISREG(status.st_mode)) {
    fits = false;
    why = S_ISDIR(status.st_mode) ? Tr("it is a folder") : Tr("it is not a regular file");
  }
  // Read in pieces and stop past the limit: a huge file costs no more than the limit.
  char buffer[4096];
  while (fits) {
    const ssize_t got = read(file, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      fits = false;
      why = std::strerror(errno);
    } else if (got == 0) {
      break;
    } else if (text.size() + static_cast<size_t>(got) > largest) {
      fits = false;
      why = Formatted(Tr("it is larger than %zu KiB"), largest / 1024);
    } else {
      text.append(buffer, static_cast<size_t>(got));
    }
  }
  close(file);
  return fits;
}

bool WritePlayerFile(const fs::path& path, std::string_view text, std::string& why) {
  fs::path target = path;
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(path, error))) {
    const fs::path resolved = fs::weakly_canonical(path, error);
    target = error ? path : resolved;
  }
  return MakeFolders(target.parent_path(), why) && ReplaceFile(target, text, why);
}
