// The records' dates: UTC seconds as ISO 8601 text, "2026-12-07T20:31:05Z".
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The first and last seconds the text can write: the years 0000 to 9999.
constexpr int64_t FirstRecordDate = -62167219200;
constexpr int64_t LastRecordDate = 253402300799;

// "2026-12-07T20:31:05Z"; empty outside FirstRecordDate to LastRecordDate.
std::string UtcDateText(int64_t date);
// The seconds of exactly such a text, a real day and time of day; nullopt for anything else.
std::optional<int64_t> UtcDateFrom(std::string_view text);
