// The settings file's lines as the reader and the updater both see them: what each line is, the
// section it stands in, and the parts an update rewrites in place.
#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

struct SettingsLine {
  enum class Kind {
    Blank,       // nothing but blanks and perhaps a comment
    Header,      // [NAME]
    OpenHeader,  // a '[' without its ']'
    Entry,       // KEY = VALUE
    Stray,       // none of these
  };
  // Where the line stands: a header stands in the section it opens; lines under an open header
  // stand in an unknown section.
  enum class Place { BeforeAnySection, KnownSection, UnknownSection };

  Kind kind = Kind::Blank;
  Place place = Place::BeforeAnySection;
  std::string_view section;     // KnownSection: the section's own spelling
  std::string_view text;        // the line without its end
  std::string_view end;         // "\n" or "\r\n"; the last line's "\r" or nothing
  std::string_view content;     // the text without its comment, trimmed
  std::string_view key, value;  // Entry: both trimmed, the value without its comment
  size_t keyAt = 0;             // Entry: where the key starts, after the indentation
  size_t tailAt = 0;            // Entry: where the value's trailing blanks and comment start
};

// Every line of the text, the last one only when it is not empty.
std::vector<SettingsLine> SettingsLines(std::string_view text);
