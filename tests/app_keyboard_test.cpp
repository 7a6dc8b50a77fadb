// The virtual-key table and KeyDown's readers.
#include <gtest/gtest.h>

#include <set>

#include "app/key_table.h"
#include "app/keyboard.h"

namespace {

TEST(AppKeyboard, EveryPolledCodeHasItsKey) {
  const std::pair<int, SDL_Scancode> table[] = {
      {KeyReturn, SDL_SCANCODE_RETURN},
      {KeyPause, SDL_SCANCODE_PAUSE},
      {KeyEscape, SDL_SCANCODE_ESCAPE},
      {KeyPageUp, SDL_SCANCODE_PAGEUP},
      {KeyHome, SDL_SCANCODE_HOME},
      {KeyLeft, SDL_SCANCODE_LEFT},
      {KeyUp, SDL_SCANCODE_UP},
      {KeyRight, SDL_SCANCODE_RIGHT},
      {KeyDown_, SDL_SCANCODE_DOWN},
      {KeyF1, SDL_SCANCODE_F1},
      {KeyF7, SDL_SCANCODE_F7},
      {KeyF12, SDL_SCANCODE_F12},
      {'A', SDL_SCANCODE_A},
      {'K', SDL_SCANCODE_K},
      {'Z', SDL_SCANCODE_Z},
      {'0', SDL_SCANCODE_0},
      {'1', SDL_SCANCODE_1},
      {'9', SDL_SCANCODE_9},
  };
  for (const auto& [code, scancode] : table) {
    EXPECT_EQ(ScancodesForVirtualKey(code).primary, scancode) << "virtual key " << code;
  }
  EXPECT_EQ(ScancodesForVirtualKey(KeyReturn).alternate, SDL_SCANCODE_KP_ENTER);
  EXPECT_EQ(ScancodesForVirtualKey(KeyLeft).alternate, SDL_SCANCODE_UNKNOWN);
}

TEST(AppKeyboard, LettersAndDigitsAreDistinctAndOthersUnmapped) {
  std::set<SDL_Scancode> seen;
  for (int code = 0; code < 256; ++code) {
    SDL_Scancode key = ScancodesForVirtualKey(code).primary;
    bool letterOrDigit = (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
    if (letterOrDigit) {
      EXPECT_NE(key, SDL_SCANCODE_UNKNOWN) << code;
      EXPECT_TRUE(seen.insert(key).second) << "two codes share key " << key;
    }
  }
  EXPECT_EQ(seen.size(), 36u);
  for (int code : {0, 97, 122, 124, 255, -1, 1000}) {
    EXPECT_EQ(ScancodesForVirtualKey(code).primary, SDL_SCANCODE_UNKNOWN) << code;
  }
}

TEST(AppKeyboard, KeyDownAsksTheInstalledReaderUntilItIsRemoved) {
  SetKeyReader([](int code) { return code == 'K' ? 1 : 0; });
  EXPECT_EQ(KeyDown('K'), 1);
  EXPECT_EQ(KeyDown('L'), 0);
  SetKeyReader(nullptr);
  EXPECT_EQ(KeyDown('K'), 0);  // no window: nothing is held
}

}  // namespace
