// Each label the game draws fits its place in every language: drawn where the game draws it, in
// the game's face and size, its pixels stay on one line and on the screen, and the English
// "Game Over" stays centred where the Japanese one is.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "gfx/text_fonts.h"
#include "platform/display_device.h"
#include "platform/message_catalog.h"
#include "services/texts.h"

namespace {

struct Label {
  const char* text;
  int x, y, height;
};
// As the title and the game-over screen draw them.
constexpr Label TitleHint{"矢印キーで選択　リターンキーで決定", 190, 260, 15};
constexpr Label GameOver{"Ｇａｍｅ Ｏｖｅｒ", 75, 200, 60};

struct Inked {
  int left = ScreenWidth, right = -1, top = ScreenHeight, bottom = -1;
};

// Where the label, in the language in use, puts its pixels on a black screen.
Inked Draw(const Label& label) {
  SDL_Surface* screen = BackBuffer();
  ClearSurfaceToColour(screen, 0, 0, 0);
  DrawLabelOn(screen, Tr(label.text), label.x, label.y, label.height, 255, 255, 255);
  Inked inked;
  for (int y = 0; y < screen->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(screen->pixels) +
                                                        y * screen->pitch);
    for (int x = 0; x < screen->w; ++x) {
      if ((row[x] & 0xffffff) != 0) {
        inked = {std::min(inked.left, x), std::max(inked.right, x), std::min(inked.top, y),
                 std::max(inked.bottom, y)};
      }
    }
  }
  return inked;
}

}  // namespace

class LabelFit : public testing::TestWithParam<Language> {
 protected:
  void SetUp() override {
    ASSERT_EQ(InitHeadlessDisplay(), 1);
    ASSERT_TRUE(UseCatalogIn(GetParam(),
                             std::filesystem::path(ASTORINE_DATA_DIR).parent_path() / "locale"));
  }
  void TearDown() override {
    SetTranslateHook(nullptr);
    ReleaseDisplay();
  }
};

TEST_P(LabelFit, EachLabelStaysOnOneLineOnTheScreen) {
  for (const Label& label : {TitleHint, GameOver}) {
    const Inked inked = Draw(label);
    ASSERT_GE(inked.right, 0) << Tr(label.text) << ": nothing drawn";
    EXPECT_LT(inked.right, ScreenWidth - 1) << Tr(label.text) << ": runs off the screen";
    EXPECT_LT(inked.bottom, label.y + label.height * 3 / 2) << Tr(label.text) << ": wraps";
  }
}

TEST_P(LabelFit, GameOverIsCentredAsDesigned) {
  const Inked inked = Draw(GameOver);
  // The design's full-width "Ｇａｍｅ Ｏｖｅｒ" spans x 75 to 585 or so, centred on 330.
  EXPECT_NEAR((inked.left + inked.right) / 2, 330, 30);
}

INSTANTIATE_TEST_SUITE_P(Languages, LabelFit,
                         testing::Values(Language::English, Language::Japanese),
                         [](const testing::TestParamInfo<Language>& language) {
                           return std::string(LanguageCode(language.param));
                         });
