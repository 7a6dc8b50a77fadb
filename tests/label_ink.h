// For the tests of where drawn texts fall: a text drawn alone on a black back buffer, and the box
// its pixels take; and a fixture that runs a suite in each language of the catalogs.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "gfx/text_fonts.h"
#include "platform/display_device.h"
#include "platform/message_catalog.h"
#include "services/texts.h"

struct InkBox {
  int left = ScreenWidth, right = -1, top = ScreenHeight, bottom = -1;
};

// Where `text`, drawn at x, y in the game's face at `height`, puts its pixels on a black screen.
inline InkBox InkOfLabel(const char* text, int x, int y, int height) {
  SDL_Surface* screen = BackBuffer();
  ClearSurfaceToColour(screen, 0, 0, 0);
  DrawLabelOn(screen, text, x, y, height, 255, 255, 255);
  InkBox box;
  for (int row = 0; row < screen->h; ++row) {
    const auto* pixels = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(screen->pixels) +
                                                           row * screen->pitch);
    for (int column = 0; column < screen->w; ++column) {
      if ((pixels[column] & 0xffffff) != 0) {
        box = {std::min(box.left, column), std::max(box.right, column), std::min(box.top, row),
               std::max(box.bottom, row)};
      }
    }
  }
  return box;
}

// A headless display and the catalog of the suite's language (the build's locale folder).
class InEachLanguage : public testing::TestWithParam<Language> {
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
