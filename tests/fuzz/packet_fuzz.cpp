// Fuzz target: the packet reader and the inbox behind it. A refused packet must leave the message
// as it was and explain itself in one line; an accepted one must encode back to the very same
// bytes. The input is also read as a stream of packets, each one length byte then its bytes, fed
// to one inbox, which must never change a mask it holds, never step back and count every mask.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "net/input_inbox.h"
#include "net/protocol.h"

namespace {

bool Read(const uint8_t* data, size_t size, Message& message) {
  message = ByeMessage{ByeReason::Result};
  std::string error;
  if (!DecodeMessage(data, size, message, error)) {
    FUZZ_REQUIRE(!error.empty() && error.find_first_of("\r\n") == std::string::npos);
    FUZZ_REQUIRE(message == Message(ByeMessage{ByeReason::Result}));
    return false;
  }
  std::vector<uint8_t> again = EncodeMessage(message);
  FUZZ_REQUIRE(again == std::vector<uint8_t>(data, data + size));
  return true;
}

class InboxWatch {
 public:
  void Take(const InputsMessage& inputs) {
    int32_t confirmed = inbox_.ConfirmedFrame();
    std::optional<int32_t> earliest = inbox_.Take(inputs);
    fed_ += inputs.masks.size();
    const InboxCounts& counts = inbox_.Counts();
    FUZZ_REQUIRE(counts.learned + counts.duplicates + counts.outOfWindow + counts.contradictions ==
                 fed_);
    FUZZ_REQUIRE(inbox_.ConfirmedFrame() >= confirmed);
    FUZZ_REQUIRE(!earliest || (*earliest >= inputs.firstFrame && inbox_.Mask(*earliest)));
    FUZZ_REQUIRE(inbox_.RemoteConfirmedFrame() >= inputs.lastConfirmedFrame);
    FUZZ_REQUIRE(!inbox_.Mask(inbox_.ConfirmedFrame() + 1));
    for (size_t i = 0; i < inputs.masks.size(); ++i) {
      int32_t frame = inputs.firstFrame + static_cast<int32_t>(i);
      if (std::optional<uint8_t> held = inbox_.Mask(frame)) {
        seen_.emplace(frame, *held);
      }
    }
    for (const auto& [frame, mask] : seen_) {
      std::optional<uint8_t> held = inbox_.Mask(frame);
      FUZZ_REQUIRE(!held || *held == mask);
      FUZZ_REQUIRE(held ||
                   frame <= inbox_.ConfirmedFrame() + MaxFramesAhead - InputInbox::HistoryFrames);
    }
  }

 private:
  InputInbox inbox_;
  std::map<int32_t, uint8_t> seen_;
  uint64_t fed_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Message message;
  Read(data, size, message);
  InboxWatch inbox;
  for (size_t at = 0; at < size;) {
    size_t length = std::min<size_t>(data[at], size - at - 1);
    if (Read(data + at + 1, length, message)) {
      if (const auto* inputs = std::get_if<InputsMessage>(&message)) {
        inbox.Take(*inputs);
      }
    }
    at += 1 + length;
  }
  return 0;
}
