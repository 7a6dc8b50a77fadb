// Splitting the settings file into lines and telling what each one is.
#include "settings/settings_lines.h"

#include "services/file_text.h"
#include "settings/setting_keys.h"

namespace {

// Kind, key, value and their places of one line, the comment cut off first.
void Classify(SettingsLine& line) {
  const std::string_view content = line.text.substr(0, line.text.find('#'));
  line.content = TrimmedText(content);
  if (line.content.empty()) {
    line.kind = SettingsLine::Kind::Blank;
  } else if (line.content.front() == '[') {
    const bool closed = line.content.size() >= 2 && line.content.back() == ']';
    line.kind = closed ? SettingsLine::Kind::Header : SettingsLine::Kind::OpenHeader;
  } else {
    const size_t equals = content.find('=');
    line.key = equals == std::string_view::npos ? std::string_view()
                                                : TrimmedText(content.substr(0, equals));
    if (line.key.empty()) {
      line.kind = SettingsLine::Kind::Stray;
      return;
    }
    line.kind = SettingsLine::Kind::Entry;
    line.value = TrimmedText(content.substr(equals + 1));
    line.keyAt = content.find_first_not_of(FileBlanks);
    line.tailAt = content.find_last_not_of(FileBlanks) + 1;
  }
}

}  // namespace

std::vector<SettingsLine> SettingsLines(std::string_view text) {
  std::vector<SettingsLine> lines;
  SettingsLine::Place place = SettingsLine::Place::BeforeAnySection;
  std::string_view section;
  while (!text.empty()) {
    SettingsLine line;
    const size_t newline = text.find('\n');
    size_t length = newline == std::string_view::npos ? text.size() : newline;
    const size_t endLength = newline == std::string_view::npos ? 0 : 1;
    const size_t crLength = length > 0 && text[length - 1] == '\r' ? 1 : 0;
    length -= crLength;
    line.text = text.substr(0, length);
    line.end = text.substr(length, crLength + endLength);
    text.remove_prefix(length + crLength + endLength);
    Classify(line);
    if (line.kind == SettingsLine::Kind::Header) {
      section = SettingsSectionNamed(TrimmedText(line.content.substr(1, line.content.size() - 2)));
      place =
          section.empty() ? SettingsLine::Place::UnknownSection : SettingsLine::Place::KnownSection;
    } else if (line.kind == SettingsLine::Kind::OpenHeader) {
      section = {};
      place = SettingsLine::Place::UnknownSection;
    }
    line.place = place;
    line.section = section;
    lines.push_back(line);
  }
  return lines;
}
