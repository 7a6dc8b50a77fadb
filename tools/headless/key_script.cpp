// Reading key scripts.
#include "key_script.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "input/key_names.h"

namespace {

bool AllDigits(const std::string& text) {
  if (text.empty()) {
    return false;
  }
  for (char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
      return false;
    }
  }
  return true;
}

// "FIRST" or "FIRST-LAST", both frame numbers, FIRST <= LAST.
bool ParseFrames(const std::string& text, long& first, long& last) {
  size_t dash = text.find('-');
  std::string firstText = text.substr(0, dash);
  std::string lastText = dash == std::string::npos ? firstText : text.substr(dash + 1);
  if (!AllDigits(firstText) || !AllDigits(lastText) || firstText.size() > 9 ||
      lastText.size() > 9) {
    return false;
  }
  first = std::stol(firstText);
  last = std::stol(lastText);
  return first <= last;
}

}  // namespace

int VirtualKeyFromName(const std::string& name) {
  for (const NamedKey& named : NamedKeys()) {
    if (name == named.name) {
      return named.key;
    }
  }
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])) != 0) {
    return std::toupper(static_cast<unsigned char>(name[0]));
  }
  if (AllDigits(name) && name.size() <= 3 && std::stoi(name) <= 255) {
    return std::stoi(name);
  }
  return -1;
}

bool KeyScript::Load(const std::string& path, std::string& error) {
  std::ifstream file(path);
  if (!file) {
    error = path + ": cannot be read";
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::string frames;
    std::string keys;
    std::string extra;
    if (!(words >> frames)) {
      continue;
    }
    long first = 0;
    long last = 0;
    std::string where = path + ":" + std::to_string(number) + ": ";
    if (!ParseFrames(frames, first, last)) {
      error = where + "expected FIRST or FIRST-LAST frame numbers, got \"" + frames + "\"";
      return false;
    }
    if (!(words >> keys) || (words >> extra)) {
      error = where + "expected one KEY[+KEY...] after the frames";
      return false;
    }
    std::istringstream names(keys);
    std::string name;
    while (std::getline(names, name, '+')) {
      int key = VirtualKeyFromName(name);
      if (key < 0) {
        error = where + "unknown key \"" + name + "\"";
        return false;
      }
      spans_.push_back({first, last, key});
    }
  }
  return true;
}

InputFrame KeyScript::FrameAt(long frame) const {
  InputFrame keys;
  for (const Span& span : spans_) {
    if (frame >= span.first && frame <= span.last) {
      keys.Press(span.key);
    }
  }
  return keys;
}
