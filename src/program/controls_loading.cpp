#include "program/controls_loading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "input/controls_file.h"
#include "platform/config_folder.h"

namespace {

// The file's text, or false and why. Opened without blocking, so that a FIFO in the file's place
// is refused instead of waited on.
bool ReadSmallFile(const std::filesystem::path& path, std::string& text, std::string& why) {
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
    why = S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
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
    } else if (text.size() + static_cast<size_t>(got) > LargestControlsFile) {
      fits = false;
      why = "it is larger than " + std::to_string(LargestControlsFile / 1024) + " KiB";
    } else {
      text.append(buffer, static_cast<size_t>(got));
    }
  }
  close(file);
  return fits;
}

}  // namespace

Controls LoadControlsFile(const std::filesystem::path& path, std::vector<std::string>& messages) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
    return DefaultControls();
  }
  std::string text, why;
  if (!ReadSmallFile(path, text, why)) {
    messages.push_back(path.string() + ": cannot read the controls (" + why +
                       "); the default keys apply");
    return DefaultControls();
  }
  return ReadControls(text, path.string(), messages);
}

Controls LoadPlayerControls() {
  const std::filesystem::path path = ControlsFilePath();
  if (path.empty()) {
    return DefaultControls();
  }
  std::vector<std::string> messages;
  const Controls controls = LoadControlsFile(path, messages);
  PrintMessages(messages);
  return controls;
}

void PrintMessages(const std::vector<std::string>& messages) {
  for (const std::string& message : messages) {
    std::fprintf(stderr, "astorine: %s\n", message.c_str());
  }
}
