// Each label the game draws fits its place in every language: drawn where the game draws it, in
// the game's face and size, its pixels stay on one line and on the screen, and the English
// "Game Over" stays centred where the Japanese one is.
#include <gtest/gtest.h>

#include <string>

#include "label_ink.h"
#include "services/texts.h"

namespace {

struct Label {
  const char* text;
  int x, y, height;
};
// As the title and the game-over screen draw them.
constexpr Label TitleHint{"矢印キーで選択　リターンキーで決定", 190, 260, 15};
constexpr Label GameOver{"Ｇａｍｅ Ｏｖｅｒ", 75, 200, 60};

// Where the label, in the language in use, puts its pixels on a black screen.
InkBox Draw(const Label& label) {
  return InkOfLabel(Tr(label.text), label.x, label.y, label.height);
}

}  // namespace

class LabelFit : public InEachLanguage {};

TEST_P(LabelFit, EachLabelStaysOnOneLineOnTheScreen) {
  for (const Label& label : {TitleHint, GameOver}) {
    const InkBox inked = Draw(label);
    ASSERT_GE(inked.right, 0) << Tr(label.text) << ": nothing drawn";
    EXPECT_LT(inked.right, ScreenWidth - 1) << Tr(label.text) << ": runs off the screen";
    EXPECT_LT(inked.bottom, label.y + label.height * 3 / 2) << Tr(label.text) << ": wraps";
  }
}

TEST_P(LabelFit, GameOverIsCentredAsDesigned) {
  const InkBox inked = Draw(GameOver);
  // The design's full-width "Ｇａｍｅ Ｏｖｅｒ" spans x 75 to 585 or so, centred on 330.
  EXPECT_NEAR((inked.left + inked.right) / 2, 330, 30);
}

INSTANTIATE_TEST_SUITE_P(Languages, LabelFit,
                         testing::Values(Language::English, Language::Japanese),
                         [](const testing::TestParamInfo<Language>& language) {
                           return std::string(LanguageCode(language.param));
                         });
