// The lobby's log: one line per event, each after the UTC time it was written, as
// "2026-12-07T23:00:00Z room K7QF2M opened by 198.51.100.7:40000".
#pragma once
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

// "2026-12-07T23:00:00Z"
std::string UtcTimestamp(std::chrono::system_clock::time_point when);

class LobbyLog {
 public:
  // `out` stays the caller's (stderr for the program).
  explicit LobbyLog(std::FILE* out) : out_(out) {}
  void Write(std::string_view line);

 private:
  std::FILE* out_;
};
