#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "services/formatted.h"
#include "services/texts.h"

namespace fs = std::filesystem;

namespace {

// `format` names the file or folder, then the system's reason.
bool Failed(std::string& error, const char* format, const fs::path& path, int number) {
  error = Formatted(format, path.c_str(), std::strerror(number));
  return false;
}

bool WriteAll(int file, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(file, text.data(), text.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// A name of its own per process and attempt: a writer killed part-way leaves its file under a
// name no later writer takes.
int CreateTemporary(const fs::path& path, fs::path& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Appended piece by piece: "." + string&& trips gcc 12's -Wrestrict at -O3.
    std::string name = ".";
    name += path.filename().string();
    name += '.';
    name += std::to_string(getpid());
    name += '-';
    name += std::to_string(attempt);
    temporary = path.parent_path() / name;
    const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file >= 0 || errno != EEXIST) {
      return file;
    }
  }
  return -1;
}

void SyncFolder(const fs::path& folder) {
  const int file = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (file >= 0) {
    // Some file systems refuse to sync a folder; the rename stands all the same.
    fsync(file);
    close(file);
  }
}

}  // namespace

bool MakeFolders(const fs::path& folder, std::string& error) {
  fs::path made;
  for (const fs::path& part : folder) {
    made /= part;
    if (mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
      return Failed(error, Tr("cannot make the folder %s: %s"), made, errno);
    }
  }
  struct stat status;
  if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    return Failed(error, Tr("cannot make the folder %s: %s"), folder, ENOTDIR);
  }
  return true;
}

bool ReplaceFile(const fs::path& path, std::string_view text, std::string& error) {
  fs::path temporary;
  const int file = CreateTemporary(path, temporary);
  if (file < 0) {
    return Failed(error, Tr("cannot write in %s: %s"), path.parent_path(), errno);
  }
  struct stat old;
  if (stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    fchmod(file, old.st_mode & 07777);
  }
  bool done = WriteAll(file, text) && fsync(file) == 0;
  int cause = errno;
  if (close(file) != 0 && done) {
    done = false;
    cause = errno;
  }
  if (done && rename(temporary.c_str(), path.c_str()) != 0) {
    done = false;
    cause = errno;
  }
  if (!done) {
    unlink(temporary.c_str());
    return Failed(error, Tr("cannot write %s: %s"), path, cause);
  }
  SyncFolder(path.parent_path());
  return true;
}
