// The handshake's decisions on both sides: a match only between programs of the same protocol
// and logic, and on refusal each side says why in the other's numbers and its own.
#include <gtest/gtest.h>

#include "net/handshake.h"
#include "state/state_document.h"

namespace {

const WelcomeMessage SeedWelcome{2, StartKind::Seed, 77, ""};

// The host answers the guest's Hello and the guest reads the answer, each with its own versions.
struct Exchange {
  HostDecision host;
  GuestDecision guest;
};
Exchange Meet(const ProgramVersions& host, const ProgramVersions& guest,
              const WelcomeMessage& welcome = SeedWelcome) {
  Exchange exchange;
  exchange.host = AnswerHello(MakeHello(guest), welcome, host);
  exchange.guest = ReadHostAnswer(exchange.host.answer, guest);
  return exchange;
}

TEST(Handshake, SameVersionsStartTheMatchTheHostOffers) {
  ProgramVersions own = ThisProgramVersions();
  Exchange exchange = Meet(own, own);
  EXPECT_TRUE(exchange.host.accepted);
  EXPECT_TRUE(exchange.guest.accepted);
  EXPECT_EQ(exchange.guest.welcome, SeedWelcome);

  WelcomeMessage fromState{0, StartKind::StateDocument, 0, WriteStateDocument(GameState{}, {})};
  exchange = Meet(own, own, fromState);
  ASSERT_TRUE(exchange.guest.accepted) << exchange.guest.line;
  EXPECT_EQ(exchange.guest.welcome.stateDocument, fromState.stateDocument);
}

TEST(Handshake, ALogicVersionMismatchIsRefusedOnBothSides) {
  Exchange exchange = Meet({1, 3}, {1, 2});
  EXPECT_FALSE(exchange.host.accepted);
  EXPECT_EQ(exchange.host.answer, Message(RefuseMessage{RefuseReason::LogicVersion, 1, 3}));
  EXPECT_EQ(exchange.host.line,
            "match refused: the opponent runs game logic version 2, this program plays version 3");
  EXPECT_FALSE(exchange.guest.accepted);
  EXPECT_EQ(exchange.guest.line,
            "match refused: the opponent runs game logic version 3, this program plays version 2");
}

TEST(Handshake, AProtocolMismatchIsRefusedFirstOnBothSides) {
  // Both numbers differ: the protocol is the one named.
  Exchange exchange = Meet({2, 1}, {1, 4});
  EXPECT_EQ(exchange.host.answer, Message(RefuseMessage{RefuseReason::ProtocolVersion, 2, 1}));
  EXPECT_EQ(exchange.host.line,
            "match refused: the opponent speaks online protocol version 1, this program speaks "
            "version 2");
  EXPECT_FALSE(exchange.guest.accepted);
  EXPECT_EQ(exchange.guest.line,
            "match refused: the opponent speaks online protocol version 2, this program speaks "
            "version 1");
}

TEST(Handshake, TheGuestRefusesABusyHostAnOddAnswerAndAnUnplayableStart) {
  ProgramVersions own = ThisProgramVersions();
  GuestDecision busy = ReadHostAnswer(BusyRefusal(own), own);
  EXPECT_FALSE(busy.accepted);
  EXPECT_EQ(busy.line, "match refused: the host is already playing another opponent");

  GuestDecision odd = ReadHostAnswer(HelloMessage{}, own);
  EXPECT_FALSE(odd.accepted);
  EXPECT_EQ(odd.line, "the host answered with a hello message instead of a welcome");

  auto startingFrom = [&](std::string document) {
    return ReadHostAnswer(WelcomeMessage{0, StartKind::StateDocument, 0, std::move(document)}, own);
  };
  EXPECT_FALSE(startingFrom("{\"FrameCount\": ").accepted);
  GuestDecision wrongField = startingFrom("{\"FrameCount\": \"soon\"}");
  EXPECT_FALSE(wrongField.accepted);
  EXPECT_NE(wrongField.line.find("FrameCount"), std::string::npos);
  // Without the generator the two machines would draw different pairs.
  GuestDecision noGenerator = startingFrom("{\"FrameCount\": 5}");
  EXPECT_FALSE(noGenerator.accepted);
  EXPECT_NE(noGenerator.line.find("random generator"), std::string::npos);
}

}  // namespace
