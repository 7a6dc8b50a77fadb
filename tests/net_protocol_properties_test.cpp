// The online messages over generated fields: every message reads back as it was sent; what the
// reader accepts it writes back byte for byte; every truncation, extra byte or field past its
// bound is refused with one line, the message untouched; any bytes read safely.
#include <rapidcheck/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "boundary_values.h"
#include "net/protocol.h"

namespace {

constexpr int32_t LastFrame = std::numeric_limits<int32_t>::max();

// Any text, of any bytes: the reader does not look into the document.
std::string AnyDocument() {
  const size_t length = *boundary::DocumentLengths();
  std::string document(length, '\0');
  std::mt19937_64 draw(*rc::gen::arbitrary<uint64_t>());
  for (char& c : document) {
    c = static_cast<char>(draw());
  }
  return document;
}

// A message of the type numbered `type` + 1, or of any type.
Message AnyMessage(size_t type = boundary::Uniform(7)) {
  switch (type) {
    case 0:
      return HelloMessage{*boundary::Leaning<uint16_t>(), *boundary::Leaning<uint16_t>()};
    case 1:
      if (*rc::gen::arbitrary<bool>()) {
        return WelcomeMessage{*boundary::InputDelays(), StartKind::Seed,
                              *boundary::Leaning<uint32_t>(), ""};
      }
      return WelcomeMessage{*boundary::InputDelays(), StartKind::StateDocument, 0, AnyDocument()};
    case 2:
      return RefuseMessage{*rc::gen::element(RefuseReason::ProtocolVersion,
                                             RefuseReason::LogicVersion, RefuseReason::Busy),
                           *boundary::Leaning<uint16_t>(), *boundary::Leaning<uint16_t>()};
    case 3: {
      InputsMessage inputs;
      inputs.masks = *rc::gen::container<std::vector<uint8_t>>(
          *boundary::MaskCounts(), boundary::Leaning<uint8_t>({0x01, 0x10}, 0, InputMaskBits));
      // The last frame a mask stands for is still a frame number.
      const int32_t spare =
          inputs.masks.empty() ? 0 : static_cast<int32_t>(inputs.masks.size()) - 1;
      inputs.firstFrame = *boundary::Leaning<int32_t>(
          boundary::Around<int32_t>({LastFrame - spare}), 0, LastFrame - spare);
      inputs.lastConfirmedFrame = *boundary::Leaning<int32_t>({NoFrame}, NoFrame);
      inputs.currentFrame = *boundary::Frames();
      return inputs;
    }
    case 4:
      return StateHashMessage{*boundary::Frames(), *boundary::Leaning<uint64_t>()};
    case 5:
      return RematchMessage{*rc::gen::arbitrary<bool>()};
    default:
      return ByeMessage{*rc::gen::element(ByeReason::Quit, ByeReason::Desync, ByeReason::Result)};
  }
}

// A message no generated one equals, to see that a refusal leaves it alone.
const Message Untouched = InputsMessage{77, {1, 2}, 75, 78};

// Refused with one line and the message untouched; or accepted, and then written back byte for
// byte. The bytes are read from a buffer of their exact size, for AddressSanitizer's sake.
bool ReadsSafely(const std::vector<uint8_t>& bytes, const std::string& what) {
  const auto exact = std::make_unique<uint8_t[]>(std::max<size_t>(bytes.size(), 1));
  std::copy(bytes.begin(), bytes.end(), exact.get());
  Message message = Untouched;
  std::string error;
  if (DecodeMessage(exact.get(), bytes.size(), message, error)) {
    if (EncodeMessage(message) != bytes) {
      RC_FAIL(what + ": accepted, but written back differently");
    }
    return true;
  }
  if (error.empty() || error.find('\n') != std::string::npos || !(message == Untouched)) {
    RC_FAIL(what + ": refused with \"" + error + "\" or changed the message");
  }
  return false;
}

void RequireRefused(const std::vector<uint8_t>& bytes, const std::string& what) {
  if (ReadsSafely(bytes, what)) {
    RC_FAIL(what + ": accepted");
  }
}

RC_GTEST_PROP(NetProtocolProperties, EveryMessageReadsBackAsItWasSent, ()) {
  for (size_t type = 0; type < std::variant_size_v<Message>; ++type) {
    const Message sent = AnyMessage(type);
    const std::vector<uint8_t> bytes = EncodeMessage(sent);
    RC_ASSERT(bytes.size() <= MaxMessageBytes);
    Message read = Untouched;
    std::string error;
    if (!DecodeMessage(bytes.data(), bytes.size(), read, error)) {
      RC_FAIL("refused what it wrote: " + error);
    }
    RC_ASSERT(read == sent);
  }
}

RC_GTEST_PROP(NetProtocolProperties, RefusesEveryTruncationAndAnyByteMore, ()) {
  const std::vector<uint8_t> bytes = EncodeMessage(AnyMessage());
  std::vector<size_t> cuts;
  for (size_t size = 0; size < std::min<size_t>(bytes.size(), 64); ++size) {
    cuts.push_back(size);
  }
  for (int i = 0; bytes.size() > 64 && i < 16; ++i) {
    cuts.push_back(64 + boundary::Uniform(bytes.size() - 64));
  }
  for (size_t size : cuts) {
    RequireRefused(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(size)),
                   "cut to " + std::to_string(size));
  }
  std::vector<uint8_t> longer = bytes;
  const auto more =
      *rc::gen::nonEmpty(rc::gen::container<std::vector<uint8_t>>(rc::gen::arbitrary<uint8_t>()));
  longer.insert(longer.end(), more.begin(), more.end());
  RequireRefused(longer, std::to_string(more.size()) + " bytes more");
}

// Changed, inserted or removed bytes: refused, or a message whose own bytes these are.
RC_GTEST_PROP(NetProtocolProperties, WhatTheReaderAcceptsItWritesBackByteForByte, ()) {
  std::vector<uint8_t> bytes = EncodeMessage(AnyMessage());
  const size_t changes = 1 + boundary::Uniform(3);
  for (size_t i = 0; i < changes && !bytes.empty(); ++i) {
    const size_t at = boundary::Uniform(std::min<size_t>(bytes.size(), 48));
    const uint8_t byte = *boundary::Leaning<uint8_t>({0x1F, 0x20, MaxInputDelay + 1, 0x80, 0xFF});
    switch (boundary::Uniform(3)) {
      case 0:
        bytes[at] = byte;
        break;
      case 1:
        bytes.insert(bytes.begin() + static_cast<long>(at), byte);
        break;
      default:
        bytes.erase(bytes.begin() + static_cast<long>(at));
    }
  }
  ReadsSafely(bytes, "changed");
}

// Each bounded field, in turn, at its bound's next value or anywhere beyond, in an otherwise good
// message.
RC_GTEST_PROP(NetProtocolProperties, RefusesEachFieldPastItsBound, ()) {
  auto beyond = [](uint32_t bound, uint32_t highest) {
    return *boundary::Leaning<uint32_t>({bound + 1}, bound + 1, highest);
  };
  auto refused = [](std::vector<uint8_t> bytes, size_t offset, uint32_t value, int width,
                    const std::string& what) {
    for (int i = 0; i < width; ++i) {
      bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
    RequireRefused(bytes, what + " " + std::to_string(value));
  };
  refused(EncodeMessage(AnyMessage()), 0, *rc::gen::element<uint32_t>(0, beyond(7, 255)), 1,
          "type");
  const auto seeded =
      EncodeMessage(WelcomeMessage{0, StartKind::Seed, *boundary::Leaning<uint32_t>(), ""});
  refused(seeded, 1, beyond(MaxInputDelay, 255), 1, "input delay");
  refused(seeded, 2, beyond(1, 255), 1, "starting point kind");
  // A document past the bound, present in full, or only claimed.
  const uint32_t length = beyond(MaxStartDocumentBytes, MaxStartDocumentBytes + 2);
  const auto document =
      EncodeMessage(WelcomeMessage{0, StartKind::StateDocument, 0, std::string(length, '{')});
  refused(document, 3, length, 4, "document of");
  refused(std::vector<uint8_t>(document.begin(), document.begin() + 64), 3,
          beyond(MaxStartDocumentBytes, std::numeric_limits<uint32_t>::max()), 4,
          "document claimed of");
  // More masks than a packet may hold, all present; a mask with a bit past the fifth.
  const uint32_t count = beyond(MaxInputsPerPacket, 255);
  refused(EncodeMessage(InputsMessage{0, std::vector<uint8_t>(count, 1), 0, 0}), 5, count, 1,
          "mask count");
  const auto inputs = EncodeMessage(InputsMessage{0, {1, 2}, 0, 0});
  refused(inputs, 6 + boundary::Uniform(2), beyond(InputMaskBits, 255), 1, "mask");
  // The first or the current frame below 0, the acknowledgement below -1, two masks from the
  // last frame number on, a hash's frame below 0.
  refused(inputs, 1, beyond(LastFrame, 0xFFFFFFFFu), 4, "first frame");
  refused(inputs, 1, LastFrame, 4, "first frame");
  refused(inputs, 8, beyond(LastFrame, 0xFFFFFFFEu), 4, "acknowledged frame");
  refused(inputs, 12, beyond(LastFrame, 0xFFFFFFFFu), 4, "current frame");
  refused(EncodeMessage(StateHashMessage{0, *boundary::Leaning<uint64_t>()}), 1,
          beyond(LastFrame, 0xFFFFFFFFu), 4, "hash's frame");
  // Reasons and answers outside their lists.
  refused(EncodeMessage(RematchMessage{}), 1, beyond(1, 255), 1, "rematch answer");
  for (const Message& message : {Message(RefuseMessage{}), Message(ByeMessage{})}) {
    refused(EncodeMessage(message), 1, *rc::gen::element<uint32_t>(0, beyond(3, 255)), 1, "reason");
  }
}

RC_GTEST_PROP(NetProtocolProperties, ReadsArbitraryBytesSafely, ()) {
  std::vector<uint8_t> bytes = *rc::gen::container<std::vector<uint8_t>>(
      boundary::Leaning<uint8_t>({0x00, 0x01, 0x1F, 0x20, 0x7F, 0x80, 0xFF}));
  if (!bytes.empty() && *rc::gen::arbitrary<bool>()) {
    bytes[0] = static_cast<uint8_t>(1 + boundary::Uniform(7));
  }
  ReadsSafely(bytes, "arbitrary bytes");
}

}  // namespace
