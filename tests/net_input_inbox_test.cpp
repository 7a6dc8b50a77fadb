// The opponent's masks as packets bring them: late, twice, out of order, out of the window, or
// lying about a frame already held.
#include <gtest/gtest.h>

#include "net/input_inbox.h"

namespace {

InputsMessage Masks(int32_t first, std::vector<uint8_t> masks) {
  return InputsMessage{first, std::move(masks), NoFrame, first};
}

TEST(InputInbox, ConfirmsFramesInOrderWhateverOrderTheyCameIn) {
  InputInbox inbox;
  EXPECT_EQ(inbox.ConfirmedFrame(), NoFrame);
  EXPECT_FALSE(inbox.Mask(0));
  // Frames 3..5 before 0..2: held, not yet confirmed.
  EXPECT_EQ(inbox.Take(Masks(3, {4, 5, 6})), 3);
  EXPECT_EQ(inbox.ConfirmedFrame(), NoFrame);
  EXPECT_EQ(inbox.Mask(4), 5);
  EXPECT_EQ(inbox.Take(Masks(0, {1, 2, 3})), 0);
  EXPECT_EQ(inbox.ConfirmedFrame(), 5);
  // The usual resend: old frames again with one new one.
  EXPECT_EQ(inbox.Take(Masks(2, {3, 4, 5, 6, 7})), 6);
  EXPECT_EQ(inbox.ConfirmedFrame(), 6);
  // The very same packet twice teaches nothing and harms nothing.
  EXPECT_FALSE(inbox.Take(Masks(2, {3, 4, 5, 6, 7})));
  EXPECT_EQ(inbox.Counts().learned, 7u);
  EXPECT_EQ(inbox.Counts().duplicates, 9u);
  EXPECT_EQ(inbox.Counts().outOfWindow + inbox.Counts().contradictions, 0u);
  for (int32_t frame = 0; frame <= 6; ++frame) {
    EXPECT_EQ(inbox.Mask(frame), frame + 1);
  }
  // The opponent's reports only move forward, even from a packet overtaken by a newer one.
  inbox.Take({0, {1}, 40, 52});
  inbox.Take({0, {1}, 38, 50});
  EXPECT_EQ(inbox.RemoteConfirmedFrame(), 40);
  EXPECT_EQ(inbox.RemoteCurrentFrame(), 52);
}

TEST(InputInbox, DropsAndCountsFramesOutsideTheWindow) {
  InputInbox inbox;
  // Nothing confirmed: frames 0..MaxFramesAhead-1 fit, the one after does not.
  EXPECT_EQ(inbox.Take(Masks(MaxFramesAhead - 1, {1, 2})), MaxFramesAhead - 1);
  EXPECT_EQ(inbox.Counts().outOfWindow, 1u);
  EXPECT_FALSE(inbox.Mask(MaxFramesAhead));

  // Confirm frames 0..299 in packets of 30, then a packet from long ago.
  for (int32_t first = 0; first < 300; first += 30) {
    inbox.Take(Masks(first, std::vector<uint8_t>(30, 1)));
  }
  ASSERT_EQ(inbox.ConfirmedFrame(), 299);
  uint64_t dropped = inbox.Counts().outOfWindow;
  EXPECT_FALSE(inbox.Take(Masks(100, {1, 1, 1})));
  EXPECT_EQ(inbox.Counts().outOfWindow, dropped + 3);
  // Frames far ahead, up to the highest frame number, neither wrap around nor land.
  EXPECT_FALSE(inbox.Take(Masks(2147483647 - 1, {1, 1})));
  EXPECT_EQ(inbox.Counts().outOfWindow, dropped + 5);
  // A frame long past is no longer held, so it can no longer be checked.
  EXPECT_FALSE(inbox.Mask(100));
  EXPECT_EQ(inbox.Mask(299 - MaxRollbackFrames), 1);

  // The newest frame the window takes, then the frame whose slot it shares, one past the history:
  // the old frame is dropped and the newest stays held.
  const int32_t newest = 299 + MaxFramesAhead;
  EXPECT_EQ(inbox.Take(Masks(newest, {9})), newest);
  dropped = inbox.Counts().outOfWindow;
  EXPECT_FALSE(inbox.Take(Masks(newest - InputInbox::HistoryFrames, {7})));
  EXPECT_EQ(inbox.Counts().outOfWindow, dropped + 1);
  EXPECT_EQ(inbox.Mask(newest), 9);
  // The next one is still in the window: held already, a duplicate.
  EXPECT_FALSE(inbox.Take(Masks(newest - InputInbox::HistoryFrames + 1, {1})));
  EXPECT_EQ(inbox.Counts().outOfWindow, dropped + 1);
}

TEST(InputInbox, NeverChangesAMaskOnceHeld) {
  InputInbox inbox;
  inbox.Take(Masks(0, {1, 2, 3}));
  inbox.Take(Masks(10, {9}));
  // Frame 1 confirmed and frame 10 only held: both keep their first mask.
  EXPECT_EQ(inbox.Take(Masks(1, {7, 3, 4})), 3);
  EXPECT_EQ(inbox.Take(Masks(10, {8})), std::nullopt);
  EXPECT_EQ(inbox.Mask(1), 2);
  EXPECT_EQ(inbox.Mask(10), 9);
  EXPECT_EQ(inbox.ConfirmedFrame(), 3);
  EXPECT_EQ(inbox.Counts().contradictions, 2u);
  EXPECT_EQ(inbox.Counts().duplicates, 1u);
}

}  // namespace
