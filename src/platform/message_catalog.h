// The player's language: which catalog of translated texts is in use, and where catalogs are.
#pragma once
#include <filesystem>
#include <string_view>
#include <vector>

enum class Language { English, Japanese };

// The catalogs' domain: share/locale/LANG/LC_MESSAGES/astorine.mo.
constexpr const char* CatalogDomain = "astorine";

// The language gettext's rules give for these variables' values (each may be null): the locale is
// the first non-empty of LC_ALL, LC_MESSAGES and LANG; in the C or POSIX locale, or with none,
// English. Otherwise LANGUAGE's colon-separated list, when set, is read for the first language we
// have (ja or en), and then the locale's own language: Japanese for ja, English for any other.
Language LanguageFromEnvironment(const char* language, const char* lcAll, const char* lcMessages,
                                 const char* lang);
// The same, from this process's environment.
Language LocaleLanguage();
// "ja" or "en", the catalogs' folder names.
std::string_view LanguageCode(Language language);

// The folders a catalog is looked for in, in order, from the executable's folder: ../share/locale
// (an installed game), then locale and ../../locale (the game and the tools in a build tree).
std::vector<std::filesystem::path> CatalogFolderCandidates(
    const std::filesystem::path& executableFolder);
// Points Tr at the catalog of `language` in the first candidate folder that holds one. Japanese
// without a catalog still shows the game's own texts, which are written in Japanese; English
// without one leaves every text as written. Call once, before any text is shown.
void UseLanguage(Language language, const std::filesystem::path& executableFolder);
// The same with the catalog of one folder; false, and Tr left as it was, when it holds none.
bool UseCatalogIn(Language language, const std::filesystem::path& folder);
