// Online input: only the local player's five action keys go out, only the ten come in.
#include <gtest/gtest.h>

#include "net/action_mask.h"
#include "services/keyboard.h"

namespace {

TEST(ActionMask, OnlyTheActionKeysCrossAndLandOnTheRightPlayer) {
  InputFrame local;
  const std::initializer_list<int> otherKeys{KeyEscape, KeyReturn, KeyF1, KeyUp, KeyPause,
                                             'H',       'D',       'E',   'T',   'A'};
  for (int key : otherKeys) {
    local.Press(key);
  }
  EXPECT_EQ(ReadActionMask(local), 0);
  local.Press(KeyLeft);
  local.Press('L');
  EXPECT_EQ(ReadActionMask(local), ActionBit(Action::Left) | ActionBit(Action::TurnClockwise));

  for (int host = 0; host < 256; ++host) {
    for (int guest = 0; guest < 256; guest += 7) {
      InputFrame expected;
      for (Action action : AllActions) {
        if ((host & ActionBit(action)) != 0) {
          expected.Press(ActionVirtualKey(1, action));
        }
        if ((guest & ActionBit(action)) != 0) {
          expected.Press(ActionVirtualKey(2, action));
        }
      }
      ASSERT_EQ(OnlineFrame(host, guest), expected) << "host " << host << " guest " << guest;
    }
  }
  EXPECT_EQ(ReadActionMask(OnlineFrame(AllActionBits, 0)), AllActionBits);
}

}  // namespace
