// The player's language: chosen by gettext's rules from the environment, and the catalogs the
// build compiles.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/message_catalog.h"
#include "services/texts.h"

namespace {

Language Chosen(const char* language, const char* lcAll, const char* lcMessages, const char* lang) {
  return LanguageFromEnvironment(language, lcAll, lcMessages, lang);
}

// The catalogs of this build, compiled beside its Data folder.
const std::filesystem::path BuildCatalogs =
    std::filesystem::path(ASTORINE_DATA_DIR).parent_path() / "locale";

// Every game text the design draws or asks, as the game writes it.
const char* const GameTexts[] = {"フルスクリーン？", "矢印キーで選択　リターンキーで決定",
                                 "Ｇａｍｅ Ｏｖｅｒ", "ウィンドウの作成に失敗しました。"};

}  // namespace

// Each test leaves the texts as written for the suites after it.
class CatalogTest : public testing::Test {
 protected:
  void TearDown() override { SetTranslateHook(nullptr); }
};

TEST(MessageCatalog, ChoosesLikeGettext) {
  // The locale: LC_ALL over LC_MESSAGES over LANG; empty values count as unset.
  EXPECT_EQ(Chosen(nullptr, nullptr, nullptr, "ja_JP.UTF-8"), Language::Japanese);
  EXPECT_EQ(Chosen(nullptr, "", "", "ja_JP.UTF-8"), Language::Japanese);
  EXPECT_EQ(Chosen(nullptr, "en_GB.UTF-8", nullptr, "ja_JP.UTF-8"), Language::English);
  EXPECT_EQ(Chosen(nullptr, nullptr, "ja_JP.eucJP", "de_DE.UTF-8"), Language::Japanese);
  EXPECT_EQ(Chosen(nullptr, nullptr, nullptr, "fr_FR.UTF-8"), Language::English);
  EXPECT_EQ(Chosen(nullptr, nullptr, nullptr, "ja"), Language::Japanese);
  EXPECT_EQ(Chosen(nullptr, nullptr, nullptr, "jav_ID"), Language::English);
  // LANGUAGE's list wins over the locale, its first language with a catalog first...
  EXPECT_EQ(Chosen("ja", nullptr, nullptr, "en_US.UTF-8"), Language::Japanese);
  EXPECT_EQ(Chosen("fr:de:ja_JP:en", nullptr, nullptr, "en_US.UTF-8"), Language::Japanese);
  EXPECT_EQ(Chosen("en_GB:ja", nullptr, nullptr, "ja_JP.UTF-8"), Language::English);
  // ...and falls back to the locale when it names none of ours.
  EXPECT_EQ(Chosen("fr:de", nullptr, nullptr, "ja_JP.UTF-8"), Language::Japanese);
  // In the C locale, or with none, gettext ignores LANGUAGE.
  EXPECT_EQ(Chosen("ja", "C", nullptr, "ja_JP.UTF-8"), Language::English);
  EXPECT_EQ(Chosen("ja", nullptr, nullptr, "POSIX"), Language::English);
  EXPECT_EQ(Chosen("ja", nullptr, nullptr, nullptr), Language::English);
  EXPECT_EQ(Chosen("ja", nullptr, nullptr, "C.UTF-8"), Language::Japanese);
}

TEST(MessageCatalog, LooksInTheInstallThenTheBuildTree) {
  const std::filesystem::path bin = "/opt/game/bin";
  const std::vector<std::filesystem::path> expected{"/opt/game/share/locale",
                                                    "/opt/game/bin/locale", "/opt/locale"};
  EXPECT_EQ(CatalogFolderCandidates(bin), expected);
  EXPECT_TRUE(CatalogFolderCandidates({}).empty());
}

TEST_F(CatalogTest, JapaneseKeepsTheGameTextsByteForByte) {
  ASSERT_TRUE(UseCatalogIn(Language::Japanese, BuildCatalogs));
  for (const char* text : GameTexts) {
    EXPECT_EQ(std::string(Tr(text)), text);
  }
  EXPECT_EQ(std::string(Tr("Yes")), "はい");
}

TEST_F(CatalogTest, EnglishTranslatesTheGameTextsAndKeepsItsOwn) {
  ASSERT_TRUE(UseCatalogIn(Language::English, BuildCatalogs));
  EXPECT_EQ(std::string(Tr("フルスクリーン？")), "Play full screen?");
  EXPECT_EQ(std::string(Tr("矢印キーで選択　リターンキーで決定")),
            "Arrow keys select, Return confirms");
  EXPECT_EQ(std::string(Tr("Yes")), "Yes");
  // A folder without the catalog leaves the language in use alone.
  EXPECT_FALSE(UseCatalogIn(Language::Japanese, BuildCatalogs / "nowhere"));
  EXPECT_EQ(std::string(Tr("Yes")), "Yes");
}
