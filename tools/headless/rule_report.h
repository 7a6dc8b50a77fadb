// The first broken rule of a state check, kept as one line of text.
#pragma once
#include <string>

class RuleReport {
 public:
  // Records the rule, formatted as by printf, when `holds` is false and nothing broke before;
  // returns `holds`.
  bool Expect(bool holds, const char* format, ...) __attribute__((format(printf, 3, 4)));
  bool Broken() const { return !first_.empty(); }
  const std::string& Text() const { return first_; }

 private:
  std::string first_;
};
