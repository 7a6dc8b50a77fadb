// This side's masks on their way out: what is resent, and that a lossy, reordering stream of
// them still brings the opponent every frame.
#include <gtest/gtest.h>

#include "net/input_inbox.h"
#include "net/input_outbox.h"

namespace {

TEST(InputOutbox, SendsFromTheFirstFrameNotAcknowledgedAPacketAtATime) {
  InputOutbox outbox;
  EXPECT_EQ(outbox.Next(NoFrame, NoFrame, 0), (InputsMessage{0, {}, NoFrame, 0}));
  for (int frame = 0; frame < 50; ++frame) {
    outbox.Add(static_cast<uint8_t>(frame % 32));
  }
  EXPECT_EQ(outbox.LastFrame(), 49);
  InputsMessage fromStart = outbox.Next(NoFrame, 7, 45);
  EXPECT_EQ(fromStart.firstFrame, 0);
  ASSERT_EQ(fromStart.masks.size(), size_t{MaxInputsPerPacket});
  EXPECT_EQ(fromStart.masks[31], 31);
  EXPECT_EQ(fromStart.lastConfirmedFrame, 7);
  EXPECT_EQ(fromStart.currentFrame, 45);
  EXPECT_EQ(outbox.Next(39, 7, 45),
            (InputsMessage{40, {8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, 7, 45}));
  // All acknowledged, or an acknowledgement of frames never sent: nothing to resend.
  EXPECT_TRUE(outbox.Next(49, 7, 45).masks.empty());
  EXPECT_TRUE(outbox.Next(1000, 7, 45).masks.empty());
}

TEST(InputOutbox, ALossyReorderingStreamStillDeliversEveryFrame) {
  InputOutbox outbox;
  InputInbox inbox;
  std::vector<InputsMessage> late;
  for (int frame = 0; frame < 400; ++frame) {
    outbox.Add(static_cast<uint8_t>(frame * 7 % 32));
    // The opponent acknowledges only every tenth frame; packets go missing in runs of three out
    // of five, one in seven arrives a frame late, after the next one.
    int32_t confirmed = inbox.ConfirmedFrame();
    int32_t acknowledged = confirmed < 0 ? NoFrame : confirmed - confirmed % 10;
    InputsMessage message = outbox.Next(acknowledged, NoFrame, frame);
    if (frame % 5 < 3) {
      continue;
    }
    if (frame % 7 == 0) {
      late.push_back(message);
      continue;
    }
    inbox.Take(message);
    for (const InputsMessage& overtaken : late) {
      inbox.Take(overtaken);
    }
    late.clear();
  }
  ASSERT_GE(inbox.ConfirmedFrame(), 395);
  for (int32_t frame = inbox.ConfirmedFrame() - 100; frame <= inbox.ConfirmedFrame(); ++frame) {
    EXPECT_EQ(inbox.Mask(frame), frame * 7 % 32);
  }
  EXPECT_EQ(inbox.Counts().outOfWindow + inbox.Counts().contradictions, 0u);
}

}  // namespace
