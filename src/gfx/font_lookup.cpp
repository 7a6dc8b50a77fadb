// The Japanese Gothic face through fontconfig, and the faces to fall back on without it. A match
// never fails (an unknown family comes back as some other face), so every match is checked.
#include "gfx/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>

namespace {

using MatchCheck = bool (*)(FcPattern* match);

bool FamilyIsIpaGothic(FcPattern* match) {
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (std::strcmp(reinterpret_cast<const char*>(family), "IPAGothic") == 0) {
      return true;
    }
  }
  return false;
}

bool SpeaksJapanese(FcPattern* match) {
  FcLangSet* languages = nullptr;
  return FcPatternGetLangSet(match, FC_LANG, 0, &languages) == FcResultMatch &&
         FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual;
}

std::string MatchedFile(FcConfig* config, const char* name, MatchCheck check) {
  std::string file;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
  if (pattern == nullptr) {
    return file;
  }
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcChar8* path = nullptr;
  if (match != nullptr && check(match) &&
      FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
    file = reinterpret_cast<const char*>(path);
  }
  if (match != nullptr) {
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

}  // namespace

std::string FindJapaneseGothicFont() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) {
    return {};
  }
  std::string file = MatchedFile(config, "IPAGothic", FamilyIsIpaGothic);
  if (file.empty()) {
    file = MatchedFile(config, "sans-serif:lang=ja", SpeaksJapanese);
  }
  FcConfigDestroy(config);
  return file;
}

std::vector<std::string> FindFallbackFonts() {
  std::vector<std::string> files;
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) {
    return files;
  }
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
  if (pattern != nullptr) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    // Trimmed, the sorted set keeps only the faces that add characters the ones before lack.
    FcFontSet* sorted = FcFontSort(config, pattern, FcTrue, nullptr, &result);
    for (int i = 0; sorted != nullptr && i < sorted->nfont; ++i) {
      // Bitmap faces (the X core fonts) come in fixed sizes: no label height could be met.
      FcBool scalable = FcFalse;
      FcChar8* path = nullptr;
      if (FcPatternGetBool(sorted->fonts[i], FC_SCALABLE, 0, &scalable) == FcResultMatch &&
          scalable && FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &path) == FcResultMatch) {
        std::string file = reinterpret_cast<const char*>(path);
        if (std::find(files.begin(), files.end(), file) == files.end()) {
          files.push_back(file);
        }
      }
    }
    if (sorted != nullptr) {
      FcFontSetDestroy(sorted);
    }
    FcPatternDestroy(pattern);
  }
  FcConfigDestroy(config);
  return files;
}
