#include "lobby_log.h"

#include <ctime>

std::string UtcTimestamp(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  std::strftime(text, sizeof(text), "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

void LobbyLog::Write(std::string_view line) {
  const std::string stamp = UtcTimestamp(std::chrono::system_clock::now());
  std::fprintf(out_, "%s %.*s\n", stamp.c_str(), static_cast<int>(line.size()), line.data());
  std::fflush(out_);
}
