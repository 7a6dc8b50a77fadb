// Fuzz target: the settings file reader and updater over arbitrary bytes. Every complaint is one
// line naming the file; whatever it read, written out it reads back the same without complaint;
// with one setting changed, the updated text reads back as the changed settings and keeps every
// comment line of the input, in order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "settings/settings_file.h"
#include "settings/settings_update.h"

namespace {

// The input's settings with one of them changed, which one picked by the input's size.
Settings OneChanged(Settings settings, size_t pick) {
  switch (pick % 8) {
    case 0:
      settings.fullScreen =
          static_cast<FullScreenSetting>((static_cast<int>(settings.fullScreen) + 1) % 3);
      break;
    case 1:
      settings.scale = (settings.scale + 3) % (LargestWindowScale + 1);
      break;
    case 2:
      settings.volume = (settings.volume + 37) % (FullVolume + 1);
      break;
    case 3:
      settings.music = (settings.music + 1) % (FullVolume + 1);
      break;
    case 4:
      settings.effects = (settings.effects + 50) % (FullVolume + 1);
      break;
    case 5:
      settings.mute = !settings.mute;
      break;
    case 6:
      settings.language =
          static_cast<LanguageSetting>((static_cast<int>(settings.language) + 2) % 3);
      break;
    default:
      settings.lobby = settings.lobby.empty() ? "lobby.example.org:7491" : "";
      break;
  }
  return settings;
}

// The lines of the text without their ends: a last line without one may be given the file's.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

bool IsComment(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  return first != std::string_view::npos && line[first] == '#';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> complaints;
  const Settings settings = ReadSettings(text, "settings.conf", complaints);
  for (const std::string& complaint : complaints) {
    FUZZ_REQUIRE(complaint.starts_with("settings.conf:"));
    FUZZ_REQUIRE(complaint.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
  }
  std::vector<std::string> again;
  FUZZ_REQUIRE(ReadSettings(SettingsText(settings), "written", again) == settings);
  FUZZ_REQUIRE(again.empty());

  FUZZ_REQUIRE(UpdatedSettingsText(text, settings) == text);
  const Settings changed = OneChanged(settings, size);
  const std::string updated = UpdatedSettingsText(text, changed);
  FUZZ_REQUIRE(ReadSettings(updated, "updated", again) == changed);
  const std::vector<std::string_view> kept = Lines(updated);
  size_t at = 0;
  for (std::string_view line : Lines(text)) {
    if (IsComment(line)) {
      while (at < kept.size() && kept[at] != line) {
        ++at;
      }
      FUZZ_REQUIRE(at < kept.size());
      ++at;
    }
  }
  return 0;
}
