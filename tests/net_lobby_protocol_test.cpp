// The lobby's messages and the path datagrams held to their layout at its boundaries: every one
// comes back as it went, every truncation and extra byte is refused, each bound is the last value
// taken, and a path datagram is never mistaken for ENet's.
#include <gtest/gtest.h>

#include "net/lobby_protocol.h"
#include "net/room_code.h"

namespace {

const SessionToken LobbyToken{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

std::vector<PeerAddress> LanAddresses(int count) {
  std::vector<PeerAddress> addresses;
  for (int i = 0; i < count; ++i) {
    addresses.push_back(PeerAddress{{192, 168, 1, static_cast<uint8_t>(10 + i)}, 65535});
  }
  return addresses;
}

std::vector<LobbyMessage> OneLobbyMessageOfEach() {
  const GameVersions versions{LobbyProtocolVersion, 1, 65535};
  return {
      OpenRoomMessage{versions, {}},
      OpenRoomMessage{versions, LanAddresses(MaxLocalAddresses)},
      JoinRoomMessage{versions, "K7QF2M", LanAddresses(1)},
      AskRelayMessage{LobbyToken},
      PathChosenMessage{LobbyToken, PathKind::Local},
      RelayMessage{LobbyToken, true, {4, 0, 0, 0, 0}},
      RelayMessage{LobbyToken, false, std::vector<uint8_t>(MaxRelayedBytes, 7)},
      RoomOpenedMessage{"ZZZZZZ", 600},
      MatchedMessage{LobbyToken, PeerRole::Guest, PeerAddress{{203, 0, 113, 5}, 1},
                     LanAddresses(2)},
      RelayReadyMessage{},
      RelayedMessage{false, {5}},
      PeerGoneMessage{PeerGoneReason::Expired},
      LobbyRefuseMessage{LobbyRefuseReason::BadRequest, versions},
  };
}

bool LobbyReads(const std::vector<uint8_t>& bytes) {
  LobbyMessage message;
  std::string error;
  bool read = DecodeLobbyMessage(bytes.data(), bytes.size(), message, error);
  EXPECT_EQ(read, error.empty()) << error;
  return read;
}

TEST(LobbyProtocol, EveryMessageComesBackAsItWentAndNoTruncationOrExtraByteIsRead) {
  for (const LobbyMessage& sent : OneLobbyMessageOfEach()) {
    const std::vector<uint8_t> bytes = EncodeLobbyMessage(sent);
    ASSERT_LE(bytes.size(), MaxLobbyMessageBytes);
    LobbyMessage read;
    std::string error;
    ASSERT_TRUE(DecodeLobbyMessage(bytes.data(), bytes.size(), read, error)) << error;
    EXPECT_EQ(read, sent) << LobbyMessageTypeName(TypeOf(sent));
    // A relay's message runs to the end of the packet: cut into, it is a shorter message, and one
    // byte more is one byte more of it, up to the largest; never a message of nothing.
    size_t payload = 0;
    if (const auto* relay = std::get_if<RelayMessage>(&sent)) {
      payload = relay->payload.size();
    } else if (const auto* relayed = std::get_if<RelayedMessage>(&sent)) {
      payload = relayed->payload.size();
    }
    const size_t fields = bytes.size() - payload;
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_EQ(LobbyReads(longer), payload > 0 && payload < MaxRelayedBytes)
        << LobbyMessageTypeName(TypeOf(sent));
    for (size_t cut = 0; cut < std::min(bytes.size(), fields + 2); ++cut) {
      const std::vector<uint8_t> shorter(bytes.begin(), bytes.begin() + static_cast<long>(cut));
      EXPECT_EQ(LobbyReads(shorter), payload > 0 && cut > fields)
          << LobbyMessageTypeName(TypeOf(sent)) << " cut at " << cut;
    }
  }
}

TEST(LobbyProtocol, EachBoundIsTheLastValueTaken) {
  const GameVersions versions;
  std::vector<uint8_t> nine =
      EncodeLobbyMessage(OpenRoomMessage{versions, LanAddresses(MaxLocalAddresses + 1)});
  EXPECT_FALSE(LobbyReads(nine));
  std::vector<uint8_t> portZero =
      EncodeLobbyMessage(OpenRoomMessage{versions, {PeerAddress{{10, 0, 0, 1}, 0}}});
  EXPECT_FALSE(LobbyReads(portZero));
  std::vector<uint8_t> badCode = EncodeLobbyMessage(JoinRoomMessage{versions, "K7QF2U", {}});
  EXPECT_FALSE(LobbyReads(badCode));  // U is not in the alphabet
  EXPECT_FALSE(LobbyReads(EncodeLobbyMessage(RelayMessage{LobbyToken, true, {}})));
  EXPECT_FALSE(LobbyReads(
      EncodeLobbyMessage(RelayedMessage{true, std::vector<uint8_t>(MaxRelayedBytes + 1, 0)})));
  std::vector<uint8_t> flag = EncodeLobbyMessage(RelayedMessage{true, {1}});
  flag[1] = 2;
  EXPECT_FALSE(LobbyReads(flag));
  std::vector<uint8_t> reason = EncodeLobbyMessage(PeerGoneMessage{PeerGoneReason::Expired});
  reason[1] = static_cast<uint8_t>(PeerGoneReason::Expired) + 1;
  EXPECT_FALSE(LobbyReads(reason));
  reason[1] = 0;
  EXPECT_FALSE(LobbyReads(reason));
  std::vector<uint8_t> refuse =
      EncodeLobbyMessage(LobbyRefuseMessage{LobbyRefuseReason::BadRequest, versions});
  refuse[1] = static_cast<uint8_t>(LobbyRefuseReason::BadRequest) + 1;
  EXPECT_FALSE(LobbyReads(refuse));
  for (uint8_t type : {0, 6, 9, 16, 255}) {
    EXPECT_FALSE(LobbyReads({type})) << int{type};
  }
  EXPECT_FALSE(LobbyReads({}));
}

TEST(LobbyProtocol, PathDatagramsAreSmallAndNeverENets) {
  const std::vector<uint8_t> cookie =
      EncodePathDatagram(PathDatagram{DatagramKind::Cookie, 0xA1B2C3D4});
  const std::vector<uint8_t> probe =
      EncodePathDatagram(PathDatagram{DatagramKind::Probe, 0, LobbyToken, PeerRole::Guest, 8});
  EXPECT_EQ(cookie.size(), 10u);  // smaller than any ENet connect it answers
  EXPECT_EQ(probe.size(), 24u);
  for (const std::vector<uint8_t>& bytes : {cookie, probe}) {
    ASSERT_TRUE(IsPathDatagram(bytes.data(), bytes.size()));
    PathDatagram read;
    std::string error;
    EXPECT_TRUE(DecodePathDatagram(bytes.data(), bytes.size(), read, error)) << error;
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
      EXPECT_FALSE(DecodePathDatagram(bytes.data(), cut, read, error));
    }
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(DecodePathDatagram(longer.data(), longer.size(), read, error));
  }
  std::vector<uint8_t> far = probe;
  far.back() = MaxLocalAddresses + 1;  // candidates are the public address and the local ones
  PathDatagram read;
  std::string error;
  EXPECT_FALSE(DecodePathDatagram(far.data(), far.size(), read, error));
  // ENet's own datagrams start with a peer number and flags that never make the prefix.
  const uint8_t connect[] = {0x8F, 0xFF, 0x12, 0x34, 0x82, 0xFF};
  EXPECT_FALSE(IsPathDatagram(connect, sizeof connect));
}

TEST(LobbyProtocol, RoomCodesForgiveWhatPlayersType) {
  EXPECT_EQ(CanonicalRoomCode("k7qf2m"), "K7QF2M");
  EXPECT_EQ(CanonicalRoomCode("K7Q-F2M"), "K7QF2M");
  EXPECT_EQ(CanonicalRoomCode(" oIl-iLo "), "011110");
  EXPECT_EQ(CanonicalRoomCode("K7QF2"), "");
  EXPECT_EQ(CanonicalRoomCode("K7QF2MM"), "");
  EXPECT_EQ(CanonicalRoomCode("K7QF2U"), "");
  EXPECT_EQ(CanonicalRoomCode("K7.F2M"), "");
  // Every code drawn is canonical, and 30 bits give each of the 32^6 codes.
  EXPECT_EQ(RoomCodeFromBits(0), "000000");
  EXPECT_EQ(RoomCodeFromBits((1u << 30) - 1), "ZZZZZZ");
  EXPECT_TRUE(IsCanonicalRoomCode(RoomCodeFromBits(0x2ABCDEF1)));
}

}  // namespace
