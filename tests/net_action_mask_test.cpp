// Online input: only the local player's five action keys go out, only the ten come in.
#include <gtest/gtest.h>

#include "app/keyboard.h"
#include "net/action_mask.h"

namespace {

InputFrame Holding(std::initializer_list<int> keys) {
  InputFrame frame;
  for (int key : keys) {
    frame.Press(key);
  }
  return frame;
}

TEST(ActionMask, ReadsPlayerOnesActionKeysAndNothingElse) {
  for (Action action : AllActions) {
    EXPECT_EQ(ReadActionMask(Holding({ActionVirtualKey(1, action)})), ActionBit(action));
    EXPECT_EQ(ReadActionMask(Holding({ActionVirtualKey(2, action)})), 0);
  }
  InputFrame everythingElse = Holding(
      {KeyEscape, KeyReturn, KeyF1, KeyF4, KeyUp, KeyPause, 'H', 'D', 'E', 'T', 'R', 'A', 'S'});
  EXPECT_EQ(ReadActionMask(everythingElse), 0);
  everythingElse.Press(KeyLeft);
  everythingElse.Press('L');
  EXPECT_EQ(ReadActionMask(everythingElse),
            ActionBit(Action::Left) | ActionBit(Action::TurnClockwise));
}

TEST(ActionMask, MergedFrameHoldsOnlyTheTenActionKeysOfTheRightPlayers) {
  for (int host = 0; host < 256; ++host) {
    for (int guest = 0; guest < 256; guest += 7) {
      const InputFrame frame = OnlineFrame(host, guest);
      InputFrame expected;
      for (Action action : AllActions) {
        if ((host & ActionBit(action)) != 0) {
          expected.Press(ActionVirtualKey(1, action));
        }
        if ((guest & ActionBit(action)) != 0) {
          expected.Press(ActionVirtualKey(2, action));
        }
      }
      ASSERT_EQ(frame, expected) << "host " << host << " guest " << guest;
    }
  }
  EXPECT_EQ(ReadActionMask(OnlineFrame(AllActionBits, 0)), AllActionBits);
}

}  // namespace
