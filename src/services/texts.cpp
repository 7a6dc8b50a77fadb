// The translation hook, set once by the program before the first text is shown.
#include "services/texts.h"

namespace {
TranslateHook translate = nullptr;
}

const char* Tr(const char* text) {
  return translate == nullptr ? text : translate(text);
}

void SetTranslateHook(TranslateHook hook) {
  translate = hook;
}
