// The text of the player's files (controls, settings, records): their lines, blanks and comments,
// and quoting a piece of a line safely in a complaint.
#pragma once
#include <string>
#include <string_view>

// A CR before a line's end counts as a blank: files edited on other systems end lines in CR LF.
constexpr std::string_view FileBlanks = " \t\r";

// The text without its leading and trailing blanks.
std::string_view TrimmedText(std::string_view text);
// Text from a file fit for one line of a message: quoted, control characters and bytes that are
// not UTF-8 escaped as \xNN, shortened past a few dozen characters.
std::string Quoted(std::string_view text);

// Calls `line(number, content)` for each line of the text that holds anything but blanks and a
// comment ('#' to the line's end): its number from 1 and its content, comment cut and trimmed.
template <typename LineReader>
void ForEachFileLine(std::string_view text, LineReader line) {
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view whole = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    const std::string_view content = TrimmedText(whole.substr(0, whole.find('#')));
    if (!content.empty()) {
      line(number, content);
    }
  }
}
