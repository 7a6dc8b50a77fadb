// Formatting the first broken rule.
#include "rule_report.h"

#include <cstdarg>
#include <cstdio>

bool RuleReport::Expect(bool holds, const char* format, ...) {
  if (holds || Broken()) {
    return holds;
  }
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  first_ = text;
  return false;
}
