// Reading the records file leniently, line by line, and writing it in full.
#include "records/records_file.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "records/records_dates.h"
#include "services/file_text.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

// The blank-separated words of `text`.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  while (!(text = TrimmedText(text)).empty()) {
    const size_t end = std::min(text.find_first_of(FileBlanks), text.size());
    words.push_back(text.substr(0, end));
    text = text.substr(end);
  }
  return words;
}

// The whole number `text` holds, from 0 to `largest`; nullopt for anything else.
template <class Number>
std::optional<Number> NumberFrom(std::string_view text, Number largest) {
  Number number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || text.front() == '-' || error != std::errc() || stop != end ||
      number > largest) {
    return std::nullopt;
  }
  return number;
}

enum class Table { Solo, Computer };

struct Section {
  Table table = Table::Solo;
  RecordStart start = RecordStart::Normal;
};

std::string SectionName(Table table, RecordStart start) {
  return std::string(table == Table::Solo ? "solo " : "computer ") +
         std::string(RecordStartName(start));
}

std::optional<Section> SectionNamed(std::string_view header) {
  if (header.size() < 2 || header.back() != ']') {
    return std::nullopt;
  }
  const std::string_view name = TrimmedText(header.substr(1, header.size() - 2));
  for (Table table : {Table::Solo, Table::Computer}) {
    for (RecordStart start : RecordStarts) {
      if (name == SectionName(table, start)) {
        return Section{table, start};
      }
    }
  }
  return std::nullopt;
}

// What the lines read so far hold: per solo table the entries by rank, per tally the counts.
struct Reading {
  std::array<std::array<std::optional<SoloRecord>, SoloTableSize>, 2> ranked;
  std::array<std::array<std::optional<uint32_t>, 2>, 2> counts;  // by start: wins, losses
};

// "KM DATE [REPLAY]" as an entry, or why not.
std::optional<SoloRecord> EntryFrom(std::string_view value, std::string& why) {
  const std::vector<std::string_view> words = Words(value);
  if (words.size() < 2 || words.size() > 3) {
    why = Formatted(Tr("expected KM DATE REPLAY after '=', not %s"), Quoted(value).c_str());
    return std::nullopt;
  }
  SoloRecord entry;
  const std::optional<int32_t> distance =
      NumberFrom<int32_t>(words[0], std::numeric_limits<int32_t>::max());
  const std::optional<int64_t> date = UtcDateFrom(words[1]);
  if (!distance || *distance == 0) {
    why = Formatted(Tr("the distance %s is not a whole number of km from 1 to %d"),
                    Quoted(words[0]).c_str(), std::numeric_limits<int32_t>::max());
  } else if (!date) {
    why = Formatted(Tr("the date %s is not a UTC date and time as 2026-12-07T20:31:05Z"),
                    Quoted(words[1]).c_str());
  } else if (words.size() == 3 && !IsRecordReplayName(words[2])) {
    why = Formatted(Tr("the replay %s is not a file name"), Quoted(words[2]).c_str());
  } else {
    entry.distance = *distance;
    entry.date = *date;
    entry.replay = words.size() == 3 ? std::string(words[2]) : "";
    return entry;
  }
  return std::nullopt;
}

void ReadSoloLine(std::string_view key, std::string_view value, RecordStart start, Reading& reading,
                  std::string& why) {
  const std::optional<size_t> rank = NumberFrom<size_t>(key, SoloTableSize);
  if (!rank || *rank == 0) {
    why = Formatted(Tr("the rank %s is not a whole number from 1 to %zu"), Quoted(key).c_str(),
                    SoloTableSize);
    return;
  }
  std::optional<SoloRecord>& held = reading.ranked[static_cast<size_t>(start)][*rank - 1];
  if (held) {
    why = Formatted(Tr("rank %zu is given twice; this line is skipped"), *rank);
    return;
  }
  held = EntryFrom(value, why);
}

void ReadTallyLine(std::string_view key, std::string_view value, RecordStart start,
                   Reading& reading, std::string& why) {
  if (key != "wins" && key != "losses") {
    why = Formatted(Tr("unknown key %s (expected wins or losses)"), Quoted(key).c_str());
    return;
  }
  std::optional<uint32_t>& held = reading.counts[static_cast<size_t>(start)][key == "wins" ? 0 : 1];
  const std::optional<uint32_t> count =
      NumberFrom<uint32_t>(value, std::numeric_limits<uint32_t>::max());
  if (held) {
    why = Formatted(Tr("%s is given twice; this line is skipped"), Quoted(key).c_str());
  } else if (!count) {
    why = Formatted(Tr("%s is not a whole number from 0 to %u"), Quoted(value).c_str(),
                    std::numeric_limits<uint32_t>::max());
  } else {
    held = count;
  }
}

// Applies one line that is not a section header, or says why it is skipped.
void ReadLine(std::string_view line, const Section& section, Reading& reading, std::string& why) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    why = Formatted(Tr("no '=' in %s (expected KEY = VALUE)"), Quoted(line).c_str());
    return;
  }
  const std::string_view key = TrimmedText(line.substr(0, equals));
  const std::string_view value = TrimmedText(line.substr(equals + 1));
  if (section.table == Table::Solo) {
    ReadSoloLine(key, value, section.start, reading, why);
  } else {
    ReadTallyLine(key, value, section.start, reading, why);
  }
}

// The entries read, in the game's order: the ranks written only break exact ties.
Records RecordsOf(const Reading& reading) {
  Records records;
  for (RecordStart start : RecordStarts) {
    const size_t at = static_cast<size_t>(start);
    std::vector<SoloRecord>& table = records.Solo(start);
    for (const std::optional<SoloRecord>& entry : reading.ranked[at]) {
      if (entry) {
        table.push_back(*entry);
      }
    }
    std::stable_sort(table.begin(), table.end(), [](const SoloRecord& a, const SoloRecord& b) {
      return a.distance != b.distance ? a.distance > b.distance : a.date < b.date;
    });
    records.Computer(start) = {reading.counts[at][0].value_or(0),
                               reading.counts[at][1].value_or(0)};
  }
  return records;
}

constexpr std::string_view Explanation =
    R"(# Astorine's records: the best solo games and the matches against the computer.
#
# [solo normal] and [solo hard] hold the ten longest solo games of each start, one line each:
#   RANK = KM DATE REPLAY
# RANK from 1 (the best) to 10, KM the distance, DATE when the game began in UTC
# (2026-12-07T20:31:05Z), REPLAY the name of its replay in the replays folder's records/, left
# out when the replay could not be kept. Of two games of the same distance the earlier ranks
# first.
# [computer normal] and [computer hard] count the matches against the computer:
#   wins = N
#   losses = N
# "#" starts a comment. The game rewrites this file whole after each game that changes it; while
# the file holds a line the game cannot read it is left as it is, and no record is kept.
)";

}  // namespace

Records ReadRecords(std::string_view text, const std::string& fileName,
                    std::vector<std::string>& complaints) {
  Reading reading;
  std::optional<Section> section;
  bool sectionKnown = true;  // lines before any section are complained of one by one
  ForEachFileLine(text, [&](int number, std::string_view line) {
    std::string why;
    if (line.front() == '[') {
      section = SectionNamed(line);
      sectionKnown = section.has_value();
      if (!sectionKnown) {
        why = Formatted(Tr("unknown section %s; its lines are skipped"), Quoted(line).c_str());
      }
    } else if (!section && sectionKnown) {
      why = Tr("a line before any section");
    } else if (section) {
      ReadLine(line, *section, reading, why);
    }
    if (!why.empty()) {
      complaints.push_back(fileName + ":" + std::to_string(number) + ": " + why);
    }
  });
  return RecordsOf(reading);
}

std::string RecordsText(const Records& records) {
  std::string text(Explanation);
  for (RecordStart start : RecordStarts) {
    text += "\n[" + SectionName(Table::Solo, start) + "]\n";
    const std::vector<SoloRecord>& table = records.Solo(start);
    for (size_t i = 0; i < table.size(); ++i) {
      const SoloRecord& entry = table[i];
      text += std::to_string(i + 1) + " = " + std::to_string(entry.distance) + " " +
              UtcDateText(entry.date) + (entry.replay.empty() ? "" : " " + entry.replay) + "\n";
    }
  }
  for (RecordStart start : RecordStarts) {
    const ComputerTally& tally = records.Computer(start);
    text += "\n[" + SectionName(Table::Computer, start) + "]\n";
    text += "wins = " + std::to_string(tally.wins) + "\nlosses = " + std::to_string(tally.losses) +
            "\n";
  }
  return text;
}
