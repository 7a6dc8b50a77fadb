// The records' tables: where a distance ranks and what a new entry pushes out.
#include "records/records.h"

#include <algorithm>
#include <limits>

#include "records/records_dates.h"

bool IsRecordReplayName(std::string_view name) {
  const bool plain = std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7f' || c == '/' || c == '#';
  });
  return plain && !name.empty() && name != "." && name != "..";
}

bool IsWritableRecord(const SoloRecord& entry) {
  return entry.distance > 0 && entry.date >= FirstRecordDate && entry.date <= LastRecordDate &&
         (entry.replay.empty() || IsRecordReplayName(entry.replay));
}

int SoloRank(const Records& records, RecordStart start, int32_t distance) {
  if (distance <= 0) {
    return 0;
  }
  const std::vector<SoloRecord>& table = records.Solo(start);
  // A game ending now is later than every entry: it goes below those of its distance.
  const size_t above =
      static_cast<size_t>(std::count_if(table.begin(), table.end(), [&](const SoloRecord& held) {
        return held.distance >= distance;
      }));
  return above < SoloTableSize ? static_cast<int>(above) + 1 : 0;
}

int AddSoloRecord(Records& records, RecordStart start, SoloRecord entry,
                  std::optional<SoloRecord>& fellOff) {
  fellOff.reset();
  if (!IsWritableRecord(entry)) {
    return 0;
  }
  std::vector<SoloRecord>& table = records.Solo(start);
  const auto place = std::find_if(table.begin(), table.end(), [&](const SoloRecord& held) {
    return held.distance < entry.distance ||
           (held.distance == entry.distance && held.date > entry.date);
  });
  const size_t rank = static_cast<size_t>(place - table.begin()) + 1;
  if (rank > SoloTableSize) {
    return 0;
  }
  table.insert(place, std::move(entry));
  if (table.size() > SoloTableSize) {
    fellOff = std::move(table.back());
    table.pop_back();
  }
  return static_cast<int>(rank);
}

void AddComputerResult(Records& records, RecordStart start, bool won) {
  uint32_t& count = won ? records.Computer(start).wins : records.Computer(start).losses;
  if (count < std::numeric_limits<uint32_t>::max()) {
    ++count;
  }
}
