// Catalog selection through gettext. The catalog is named outright through LANGUAGE, so that a
// Japanese player whose locale is not generated on the machine still gets the Japanese texts.
#include "platform/message_catalog.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

#include "services/texts.h"

namespace {

const char* FirstSet(std::initializer_list<const char*> values) {
  for (const char* value : values) {
    if (value != nullptr && *value != '\0') {
      return value;
    }
  }
  return nullptr;
}

bool IsJapanese(std::string_view name) {
  return name == "ja" || name.starts_with("ja_") || name.starts_with("ja.") ||
         name.starts_with("ja@");
}

bool IsEnglish(std::string_view name) {
  return name == "en" || name.starts_with("en_") || name.starts_with("en.") ||
         name.starts_with("en@");
}

const char* Translate(const char* text) {
  return dgettext(CatalogDomain, text);
}

}  // namespace

Language LanguageFromEnvironment(const char* language, const char* lcAll, const char* lcMessages,
                                 const char* lang) {
  const char* locale = FirstSet({lcAll, lcMessages, lang});
  if (locale == nullptr || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0) {
    return Language::English;
  }
  std::string_view list = language != nullptr ? language : "";
  while (!list.empty()) {
    const size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (IsJapanese(entry)) {
      return Language::Japanese;
    }
    if (IsEnglish(entry)) {
      return Language::English;
    }
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  return IsJapanese(locale) ? Language::Japanese : Language::English;
}

Language LocaleLanguage() {
  return LanguageFromEnvironment(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                 std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string_view LanguageCode(Language language) {
  return language == Language::Japanese ? "ja" : "en";
}

std::vector<std::filesystem::path> CatalogFolderCandidates(
    const std::filesystem::path& executableFolder) {
  if (executableFolder.empty()) {
    return {};
  }
  // A build tree keeps its catalogs in locale/ beside the game, two folders above the tools.
  std::vector<std::filesystem::path> candidates;
  for (const char* below : {"../share/locale", "locale", "../../locale"}) {
    candidates.push_back((executableFolder / below).lexically_normal());
  }
  return candidates;
}

bool UseCatalogIn(Language language, const std::filesystem::path& folder) {
  const std::string code(LanguageCode(language));
  std::error_code error;
  const std::filesystem::path catalog =
      folder / code / "LC_MESSAGES" / (std::string(CatalogDomain) + ".mo");
  if (!std::filesystem::is_regular_file(catalog, error)) {
    return false;
  }
  // gettext reads LANGUAGE only outside the C locale; C.UTF-8 is always there and is not C.
  const char* messages = std::setlocale(LC_MESSAGES, "");
  if (messages == nullptr || std::strcmp(messages, "C") == 0 ||
      std::strcmp(messages, "POSIX") == 0) {
    std::setlocale(LC_MESSAGES, "C.UTF-8");
  }
  setenv("LANGUAGE", code.c_str(), 1);
  bindtextdomain(CatalogDomain, folder.c_str());
  bind_textdomain_codeset(CatalogDomain, "UTF-8");
  SetTranslateHook(Translate);
  return true;
}

void UseLanguage(Language language, const std::filesystem::path& executableFolder) {
  for (const std::filesystem::path& folder : CatalogFolderCandidates(executableFolder)) {
    if (UseCatalogIn(language, folder)) {
      return;
    }
  }
}
