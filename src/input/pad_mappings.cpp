#include "input/pad_mappings.h"

#include <SDL.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "services/texts.h"

namespace {

bool IsGuid(std::string_view field) {
  if (field == "xinput") {
    return true;
  }
  if (field.size() != 32) {
    return false;
  }
  for (char digit : field) {
    if (std::isxdigit(static_cast<unsigned char>(digit)) == 0) {
      return false;
    }
  }
  return true;
}

// GUID,name,bindings...,platform:NAME, as SDL reads a database line; SDL skips a line without
// its platform without a word, so the platform is required here.
bool IsMappingLine(std::string_view line) {
  const size_t guidEnd = line.find(',');
  return guidEnd != std::string_view::npos && IsGuid(line.substr(0, guidEnd)) &&
         line.find(',', guidEnd + 1) != std::string_view::npos &&
         line.find("platform:") != std::string_view::npos;
}

struct LineCheck {
  int bad = 0;
  int firstBad = 0;
  bool any = false;  // a line that is not blank or a comment
};

LineCheck CheckLines(std::istream& file) {
  LineCheck check;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    const size_t end = line.find_last_not_of(" \t\r");
    if (end == std::string::npos || line[line.find_first_not_of(" \t")] == '#') {
      continue;
    }
    check.any = true;
    if (!IsMappingLine(std::string_view(line).substr(0, end + 1))) {
      check.firstBad = check.bad == 0 ? number : check.firstBad;
      ++check.bad;
    }
  }
  return check;
}

void ReportUnread(const std::string& path, const char* reason) {
  std::fprintf(stderr, Tr("astorine: %s: the gamepad mappings could not be read (%s)\n"),
               path.c_str(), reason);
}

}  // namespace

void AddUserPadMappings(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (path.empty() || status.type() == std::filesystem::file_type::not_found) {
    return;
  }
  std::ifstream file(path);
  if (!file || std::filesystem::is_directory(status)) {
    ReportUnread(path, std::strerror(file ? EISDIR : errno));
    return;
  }
  const LineCheck check = CheckLines(file);
  // An empty file holds no mapping; SDL would call it unreadable.
  if (check.any && SDL_GameControllerAddMappingsFromFile(path.c_str()) < 0) {
    ReportUnread(path, SDL_GetError());
  } else if (check.bad > 0) {
    // One format for one line, one for more: languages count differently.
    const char* format = check.bad == 1
                             ? Tr("astorine: %s: %d line ignored, not gamepad mappings "
                                  "(GUID,name,bindings,platform:Linux,); the first is line %d\n")
                             : Tr("astorine: %s: %d lines ignored, not gamepad mappings "
                                  "(GUID,name,bindings,platform:Linux,); the first is line %d\n");
    std::fprintf(stderr, format, path.c_str(), check.bad, check.firstBad);
  }
}
