// The packet reader: every message comes back as it went, and every kind of damage is refused
// with one line, leaving the message as it was.
#include <gtest/gtest.h>

#include "net/protocol.h"

namespace {

std::vector<Message> OneOfEach() {
  InputsMessage inputs{1000, {0x00, 0x01, 0x1F, 0x10}, 987, 1003};
  InputsMessage fullInputs{0, std::vector<uint8_t>(MaxInputsPerPacket, 0x05), NoFrame, 0};
  return {
      HelloMessage{OnlineProtocolVersion, 7},
      WelcomeMessage{3, StartKind::Seed, 0xDEADBEEF, ""},
      WelcomeMessage{MaxInputDelay, StartKind::StateDocument, 0, std::string(1000, 'x')},
      WelcomeMessage{0, StartKind::StateDocument, 0, std::string(MaxStartDocumentBytes, '{')},
      RefuseMessage{RefuseReason::LogicVersion, 1, 2},
      inputs,
      fullInputs,
      StateHashMessage{2147483647, 0x0123456789ABCDEFull},
      RematchMessage{false},
      RematchMessage{true},
      ByeMessage{ByeReason::Desync},
  };
}

bool Decodes(const std::vector<uint8_t>& bytes, Message& message, std::string& error) {
  return DecodeMessage(bytes.data(), bytes.size(), message, error);
}

// Refused, with one line, and the message untouched.
std::string Refusal(const std::vector<uint8_t>& bytes) {
  Message message = ByeMessage{ByeReason::Result};
  std::string error;
  EXPECT_FALSE(Decodes(bytes, message, error));
  EXPECT_EQ(message, Message(ByeMessage{ByeReason::Result}));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(error.find('\n'), std::string::npos);
  return error;
}

TEST(Protocol, EveryMessageComesBackAsItWent) {
  for (const Message& sent : OneOfEach()) {
    std::vector<uint8_t> bytes = EncodeMessage(sent);
    EXPECT_EQ(bytes[0], static_cast<uint8_t>(TypeOf(sent)));
    EXPECT_LE(bytes.size(), MaxMessageBytes);
    Message read;
    std::string error;
    ASSERT_TRUE(Decodes(bytes, read, error)) << error;
    EXPECT_EQ(read, sent) << MessageTypeName(TypeOf(sent));
  }
  // Little-endian, field by field.
  EXPECT_EQ(EncodeMessage(StateHashMessage{0x01020304, 0x1122334455667788ull}),
            (std::vector<uint8_t>{5, 4, 3, 2, 1, 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}));
}

TEST(Protocol, RefusesUnknownTypesKindsAndOutOfRangeFields) {
  EXPECT_NE(Refusal({0}).find("unknown type 0"), std::string::npos);
  EXPECT_NE(Refusal({8, 0, 0}).find("unknown type 8"), std::string::npos);
  // Welcome: a delay past the limit, an unknown starting point.
  Refusal({2, MaxInputDelay + 1, 0, 1, 2, 3, 4});
  Refusal({2, 2, 2, 1, 2, 3, 4});
  // Refuse and Bye with an unknown reason, Rematch with an unknown answer.
  Refusal({3, 0, 1, 0, 1, 0});
  Refusal({3, 4, 1, 0, 1, 0});
  Refusal({7, 0});
  Refusal({7, 4});
  Refusal({6, 2});

  auto inputs = [](InputsMessage message) { return EncodeMessage(message); };
  std::vector<uint8_t> badMask = inputs({10, {1, 2, 0x20}, 3, 12});
  EXPECT_NE(Refusal(badMask).find("unused bits"), std::string::npos);
  Refusal(inputs({-5, {1}, 3, 12}));
  Refusal(inputs({10, {1}, -2, 12}));
  Refusal(inputs({10, {1}, 3, -1}));
  // The last frame a mask stands for must still be a frame number.
  Refusal(inputs({2147483647 - 1, {1, 2, 3}, 3, 12}));
  Message read;
  std::string error;
  EXPECT_TRUE(Decodes(inputs({2147483647 - 2, {1, 2, 3}, 3, 12}), read, error)) << error;
}

TEST(Protocol, RefusesCountsAndLengthsBeyondTheirBoundsBeforeReading) {
  // 33 masks present in full are still too many.
  std::vector<uint8_t> many = EncodeMessage(InputsMessage{0, std::vector<uint8_t>(33, 1), 0, 0});
  EXPECT_NE(Refusal(many).find("33 masks"), std::string::npos);
  // A count claiming more masks than the packet holds.
  std::vector<uint8_t> claims = EncodeMessage(InputsMessage{0, {1, 1}, 0, 0});
  claims[5] = 30;
  Refusal(claims);
  // A document one byte over the bound, and a length claiming four gigabytes.
  std::vector<uint8_t> big = EncodeMessage(
      WelcomeMessage{0, StartKind::StateDocument, 0, std::string(MaxStartDocumentBytes + 1, 'x')});
  EXPECT_NE(Refusal(big).find("65537 bytes"), std::string::npos);
  EXPECT_NE(Refusal({2, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, '{'}).find("4294967295"), std::string::npos);
  // Any packet over the largest message, whatever it starts with.
  std::vector<uint8_t> oversized(MaxMessageBytes + 1, 0);
  oversized[0] = 1;
  EXPECT_NE(Refusal(oversized).find("more than any message"), std::string::npos);
}

}  // namespace
