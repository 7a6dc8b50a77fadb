// Rewriting the settings file for the settings changed in play, the player's own lines kept.
#include "settings/settings_update.h"

#include <optional>
#include <vector>

#include "services/file_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"
#include "settings/settings_lines.h"

namespace {

constexpr size_t None = static_cast<size_t>(-1);

bool InSection(const SettingsLine& line, std::string_view section) {
  return line.place == SettingsLine::Place::KnownSection && line.section == section;
}

// The line whose value applies: the last in the key's section naming it with a value it takes.
size_t LineApplying(const std::vector<SettingsLine>& lines, const SettingKey& key) {
  Settings scratch;
  for (size_t i = lines.size(); i-- > 0;) {
    const SettingsLine& line = lines[i];
    if (line.kind == SettingsLine::Kind::Entry && InSection(line, key.section) &&
        SameWord(line.key, key.name) && key.read(line.value, scratch)) {
      return i;
    }
  }
  return None;
}

// The last line of the section that is not blank (its header at least): a setting added there
// stays with the section and before the comments that lead into the next one.
size_t SectionEnd(const std::vector<SettingsLine>& lines, std::string_view section) {
  for (size_t i = lines.size(); i-- > 0;) {
    if (InSection(lines[i], section) && lines[i].kind != SettingsLine::Kind::Blank) {
      return i;
    }
  }
  return None;
}

// The end that added lines take: the file's first, LF in a file without one.
std::string_view NewLine(const std::vector<SettingsLine>& lines) {
  for (const SettingsLine& line : lines) {
    if (line.end.ends_with('\n')) {
      return line.end;
    }
  }
  return "\n";
}

// Ends the text's last line, if it is not ended, before lines are added after it.
void EndLastLine(std::string& text, std::string_view newLine) {
  if (!text.empty() && !text.ends_with('\n')) {
    text += text.ends_with('\r') ? "\n" : newLine;
  }
}

// Built piece by piece: "[" + string&& trips gcc 12's -Wrestrict.
std::string SectionHeader(std::string_view section) {
  std::string header = "[";
  header += section;
  header += ']';
  return header;
}

// For a text that ends in a line end.
bool EndsInBlankLine(std::string_view text) {
  text.remove_suffix(1);
  const size_t start = text.rfind('\n');
  return TrimmedText(text.substr(start == std::string_view::npos ? 0 : start + 1)).empty();
}

}  // namespace

std::string UpdatedSettingsText(std::string_view original, const Settings& settings) {
  std::vector<std::string> ignored;
  const Settings before = ReadSettings(original, {}, ignored);
  const std::vector<SettingsLine> lines = SettingsLines(original);
  const std::string_view newLine = NewLine(lines);
  std::vector<std::optional<std::string>> rewritten(lines.size());
  std::vector<std::string> addedAfter(lines.size());
  std::vector<std::string> appended;  // the lines of the sections the text lacks
  std::string_view lastNewSection;
  for (const SettingKey& key : SettingKeys()) {
    if (key.written(settings) == key.written(before)) {
      continue;
    }
    const std::string entry = SettingEntry(key, settings);
    if (const size_t applying = LineApplying(lines, key); applying != None) {
      rewritten[applying] = entry;
    } else if (const size_t end = SectionEnd(lines, key.section); end != None) {
      addedAfter[end] += entry + std::string(newLine);
    } else {
      if (key.section != lastNewSection) {
        lastNewSection = key.section;
        appended.push_back("");
        appended.push_back(SectionHeader(key.section));
      }
      appended.push_back(entry);
    }
  }
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    const SettingsLine& line = lines[i];
    if (rewritten[i]) {
      text += line.text.substr(0, line.keyAt);
      text += *rewritten[i];
      text += line.text.substr(line.tailAt);
    } else {
      text += line.text;
    }
    text += line.end;
    if (!addedAfter[i].empty()) {
      EndLastLine(text, newLine);
      text += addedAfter[i];
    }
  }
  if (!appended.empty()) {
    EndLastLine(text, newLine);
    // Each new section follows a blank line; the text's own blank last line serves the first.
    const size_t first = text.empty() || EndsInBlankLine(text) ? 1 : 0;
    for (size_t i = first; i < appended.size(); ++i) {
      text += appended[i];
      text += newLine;
    }
  }
  return text;
}
