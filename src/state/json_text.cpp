// The state document's layout: one star, one explosion, one row of a well per line.
#include "state/json_text.h"

#include <algorithm>

namespace {

constexpr size_t LineLimit = 100;

bool IsFlat(const Json& value) {
  return std::none_of(value.begin(), value.end(), [](const Json& v) { return v.is_structured(); });
}

// The one-line form of a flat object or an array of numbers, or "" when it should be spread out.
std::string OneLine(const Json& value, size_t indent) {
  bool numbers =
      std::all_of(value.begin(), value.end(), [](const Json& v) { return v.is_number(); });
  if (value.empty() || !IsFlat(value) || (value.is_array() && !numbers)) {
    return value.empty() ? value.dump() : "";
  }
  std::string line = value.is_array() ? "[" : "{";
  bool first = true;
  for (auto it = value.begin(); it != value.end(); ++it) {
    line += first ? "" : ", ";
    first = false;
    if (value.is_object()) {
      line += Json(it.key()).dump() + ": ";
    }
    line += it->dump();
  }
  line += value.is_array() ? "]" : "}";
  return (value.is_array() || indent + line.size() <= LineLimit) ? line : "";
}

void Append(std::string& out, const Json& value, size_t indent) {
  if (!value.is_structured()) {
    out += value.dump();
    return;
  }
  std::string line = OneLine(value, indent);
  if (!line.empty()) {
    out += line;
    return;
  }
  std::string inner(indent + 2, ' ');
  out += value.is_array() ? "[\n" : "{\n";
  bool first = true;
  for (auto it = value.begin(); it != value.end(); ++it) {
    out += first ? "" : ",\n";
    first = false;
    out += inner;
    if (value.is_object()) {
      out += Json(it.key()).dump() + ": ";
    }
    Append(out, *it, indent + 2);
  }
  out += '\n';
  out.append(indent, ' ');
  out += value.is_array() ? ']' : '}';
}

}  // namespace

std::string FormatJson(const Json& value) {
  std::string out;
  Append(out, value, 0);
  return out + "\n";
}
