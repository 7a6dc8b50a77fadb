// The screens around an online match in both languages: each text drawn where the layout puts it
// stays on the picture, on one row, clear of the next, with the longest values the screens show;
// and the rows the layout breaks long texts into.
#include <gtest/gtest.h>

#include <string>

#include "label_ink.h"
#include "program/online_screen_texts.h"
#include "program/text_rows.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

InkBox InkOfText(const PlacedText& text) {
  return InkOfLabel(text.text.c_str(), text.x, text.y, text.height);
}

// Every screen, with the longest values each shows: the lobby's reasons, a long lobby name, the
// most addresses, a slow path.
std::vector<OnlineScreen> EveryScreen() {
  const char* lobby = "lobby.example.org:7490";
  const std::string path = Formatted(Tr("relayed by the lobby, round trip about %d ms"), 999);
  RoomCodeEntry typing;
  typing.Type("K7Q");
  RoomCodeEntry wrong;
  wrong.Type("K7QFUM");
  wrong.Submit();
  RoomCodeEntry unknown;
  unknown.Type("K7QF2M");
  unknown.Complain(Formatted(Tr("no room %s: the code is unknown or expired"), "K7QF2M"));
  const PeerAddress address{{192, 168, 100, 200}, 65535};
  std::vector<OnlineScreen> screens = {
      CodeEntryScreen(typing),
      CodeEntryScreen(wrong),
      CodeEntryScreen(unknown),
      RoomScreen("K7QF2M", lobby, Formatted(Tr("room %s: waiting for an opponent"), "K7QF2M")),
      DirectWaitScreen(Formatted(Tr("waiting for an opponent on port %d"), 65535),
                       {address, address, address, address}),
      ConnectingScreen(Formatted(Tr("asking the lobby at %s"), lobby)),
      ConnectingScreen(Tr("no direct path: asking the lobby to relay")),
      RematchScreen(false, true, path),
      RematchScreen(true, false, path),
  };
  const std::string failures[] = {
      Formatted(Tr("no lobby answers at %s"), lobby),
      Formatted(Tr("room %s expired: nobody joined in time"), "K7QF2M"),
      Formatted(Tr("room %s is full: someone joined it already"), "K7QF2M"),
      Formatted(Tr("the lobby at %s is full; try again later"), lobby),
      Tr("the lobby asks to slow down: too many attempts from this address"),
      Formatted(Tr("the versions differ: the room's host plays online protocol %d and "
                   "game logic %d, this program %d and %d"),
                65535, 65535, 65535, 65535),
      Tr("no path to the opponent opened, and the lobby did not relay"),
      Tr("the lobby stopped relaying the match: its limit for one match was reached"),
  };
  for (const std::string& failure : failures) {
    screens.push_back(EndScreen(failure, path));
  }
  return screens;
}

}  // namespace

class OnlineScreens : public InEachLanguage {};

TEST_P(OnlineScreens, EachTextStaysOnOneRowOnThePictureClearOfTheNext) {
  for (const OnlineScreen& screen : EveryScreen()) {
    int lastBottom = -1;
    for (const PlacedText& text : LayOutOnlineScreen(screen)) {
      const InkBox ink = InkOfText(text);
      ASSERT_GE(ink.right, 0) << text.text << ": nothing drawn";
      EXPECT_LT(ink.right, ScreenWidth - 1) << text.text << ": runs off the picture";
      EXPECT_LT(ink.bottom, text.y + text.height * 3 / 2) << text.text << ": wraps";
      EXPECT_LT(ink.bottom, ScreenHeight - 1) << text.text << ": below the picture";
      EXPECT_GT(ink.top, lastBottom) << text.text << ": overlaps the text above";
      lastBottom = ink.bottom;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, OnlineScreens,
                         testing::Values(Language::English, Language::Japanese),
                         [](const testing::TestParamInfo<Language>& language) {
                           return std::string(LanguageCode(language.param));
                         });

TEST(TextRows, LongTextsBreakAtASpaceElseBetweenCharacters) {
  EXPECT_EQ(TextRows("fits", 20, 40), std::vector<std::string>{"fits"});
  EXPECT_EQ(TextRows("one two three", 20, 80), (std::vector<std::string>{"one two", "three"}));
  EXPECT_EQ(TextRows("abcdefgh", 20, 40), (std::vector<std::string>{"abcd", "efgh"}));
  // Japanese characters are a whole cell wide and are never cut inside their bytes.
  EXPECT_EQ(TextWidth("あい a", 20), 60);
  EXPECT_EQ(TextRows("あいうえお", 20, 40), (std::vector<std::string>{"あい", "うえ", "お"}));
  // A width under one character still moves on, a character a row.
  EXPECT_EQ(TextRows("あい", 20, 5), (std::vector<std::string>{"あ", "い"}));
}
