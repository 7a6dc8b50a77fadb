// UTC dates by the proleptic Gregorian calendar, as the standard library counts them.
#include "records/records_dates.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>

namespace chrono = std::chrono;

namespace {

constexpr std::string_view Shape = "0000-00-00T00:00:00Z";

// The number of `count` digits at `from`; the shape has been checked.
int Number(std::string_view text, size_t from, size_t count) {
  int number = 0;
  for (size_t i = from; i < from + count; ++i) {
    number = number * 10 + (text[i] - '0');
  }
  return number;
}

bool HasShape(std::string_view text) {
  return text.size() == Shape.size() &&
         std::equal(text.begin(), text.end(), Shape.begin(), [](char c, char shape) {
           return shape == '0' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == shape;
         });
}

}  // namespace

std::string UtcDateText(int64_t date) {
  if (date < FirstRecordDate || date > LastRecordDate) {
    return "";
  }
  const chrono::sys_seconds when{chrono::seconds(date)};
  const chrono::sys_days day = chrono::floor<chrono::days>(when);
  const chrono::year_month_day ymd(day);
  const chrono::hh_mm_ss time(when - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

std::optional<int64_t> UtcDateFrom(std::string_view text) {
  if (!HasShape(text)) {
    return std::nullopt;
  }
  const chrono::year_month_day ymd(chrono::year(Number(text, 0, 4)),
                                   chrono::month(static_cast<unsigned>(Number(text, 5, 2))),
                                   chrono::day(static_cast<unsigned>(Number(text, 8, 2))));
  const int hours = Number(text, 11, 2), minutes = Number(text, 14, 2),
            seconds = Number(text, 17, 2);
  if (!ymd.ok() || hours > 23 || minutes > 59 || seconds > 59) {
    return std::nullopt;
  }
  const chrono::sys_days day(ymd);
  return static_cast<int64_t>(day.time_since_epoch() / chrono::seconds(1)) + hours * 3600 +
         minutes * 60 + seconds;
}
