// The lobby's rooms as pure logic, with a clock the tests move: codes, matching and its
// refusals, every way a room ends, and the relay's limits.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>

#include "net/room_code.h"
#include "rooms.h"

namespace {

using namespace std::chrono_literals;

PeerAddress PeerAt(uint8_t last, uint16_t port) {
  return PeerAddress{{203, 0, 113, last}, port};
}

const GameVersions Played{LobbyProtocolVersion, OnlineProtocolVersion, 7};

class RoomsBench {
 public:
  explicit RoomsBench(RoomRules rules = {})
      : rooms(rules, AddressRules{}, [this](std::span<uint8_t> out) {
          for (uint8_t& byte : out) {
            byte = static_cast<uint8_t>(scripted.empty() ? generator_() : scripted.front());
            if (!scripted.empty()) {
              scripted.pop_front();
            }
          }
        }) {}

  RoomEffects Send(MemberId id, LobbyMessage message) {
    RoomEffects out;
    rooms.Receive(id, std::move(message), now, out);
    return out;
  }
  RoomEffects Leave(MemberId id, bool silent = false) {
    RoomEffects out;
    rooms.Disconnected(id, silent, now, out);
    return out;
  }
  RoomEffects Wait(std::chrono::seconds time) {
    now += time;
    RoomEffects out;
    rooms.Expire(now, out);
    return out;
  }
  MemberId Connect(uint8_t last) { return rooms.Connect(PeerAt(last, 5000 + last), now); }
  std::string Open(MemberId host, std::vector<PeerAddress> local = {}) {
    RoomEffects out = Send(host, OpenRoomMessage{Played, std::move(local)});
    return std::get<RoomOpenedMessage>(out.messages.at(0).message).code;
  }
  RoomEffects Join(MemberId guest, const std::string& code, GameVersions versions = Played) {
    return Send(guest, JoinRoomMessage{versions, code, {PeerAt(50, 7001)}});
  }
  SessionToken Match(MemberId host, MemberId guest) {
    return std::get<MatchedMessage>(Join(guest, Open(host)).messages.at(0).message).token;
  }

  std::deque<uint8_t> scripted;  // drawn before the generator's own bytes
  std::chrono::steady_clock::time_point now = std::chrono::steady_clock::time_point{} + 1h;
  Rooms rooms;

 private:
  std::mt19937 generator_{5};
};

// What one member was sent, in order.
std::vector<LobbyMessage> SentTo(const RoomEffects& out, MemberId id) {
  std::vector<LobbyMessage> sent;
  for (const RoomEffects::Outgoing& outgoing : out.messages) {
    if (outgoing.to == id) {
      sent.push_back(outgoing.message);
    }
  }
  return sent;
}

std::vector<LobbyMessage> Refused(LobbyRefuseReason reason,
                                  GameVersions versions = LobbyOwnVersions) {
  return {LobbyRefuseMessage{reason, versions}};
}

std::vector<LobbyMessage> Gone(PeerGoneReason reason) {
  return {PeerGoneMessage{reason}};
}

bool LetsGo(const RoomEffects& out, MemberId id) {
  return std::find(out.disconnects.begin(), out.disconnects.end(), id) != out.disconnects.end();
}

TEST(LobbyRooms, CodesAreCanonicalAndUniqueAndALiveOneIsDrawnAgain) {
  RoomsBench bench;
  std::set<std::string> codes;
  for (uint8_t i = 0; i < 200; ++i) {
    codes.insert(bench.Open(bench.Connect(i)));
  }
  EXPECT_EQ(codes.size(), 200u);
  EXPECT_TRUE(std::all_of(codes.begin(), codes.end(), IsCanonicalRoomCode));
  // The bits of a live code first: the room takes the next draw's.
  const std::string live = *codes.begin();
  uint32_t bits = 0;
  for (size_t i = 0; i < live.size(); ++i) {
    bits |= static_cast<uint32_t>(RoomCodeAlphabet.find(live[i])) << (5 * i);
  }
  bench.scripted = {static_cast<uint8_t>(bits),
                    static_cast<uint8_t>(bits >> 8),
                    static_cast<uint8_t>(bits >> 16),
                    static_cast<uint8_t>(bits >> 24),
                    57,
                    48,
                    0,
                    0};
  EXPECT_EQ(bench.Open(bench.Connect(200)), RoomCodeFromBits(12345));
}

TEST(LobbyRooms, AJoinTellsEachTheOthersAddressesElseSaysWhyNot) {
  RoomsBench bench;
  const MemberId host = bench.Connect(7);
  // Addresses nobody can be reached at are not passed on.
  const std::string code = bench.Open(
      host, {PeerAddress{{0, 0, 0, 0}, 7000}, PeerAt(20, 7000),
             PeerAddress{{255, 255, 255, 255}, 7000}, PeerAddress{{224, 0, 0, 251}, 7000}});
  const MemberId guest = bench.Connect(9);
  RoomEffects refused = bench.Join(guest, code == "000000" ? "000001" : "000000");
  EXPECT_EQ(SentTo(refused, guest), Refused(LobbyRefuseReason::UnknownCode));
  EXPECT_EQ(refused.log,
            std::vector<std::string>{"join refused from 203.0.113.9:5009: unknown code"});
  const MemberId older = bench.Connect(10);
  refused = bench.Join(older, code, GameVersions{1, OnlineProtocolVersion, 6});
  EXPECT_EQ(SentTo(refused, older), Refused(LobbyRefuseReason::GameVersions, Played));
  EXPECT_TRUE(LetsGo(refused, older));

  // The guest tries again on the same connection.
  RoomEffects joined = bench.Join(guest, code);
  ASSERT_EQ(joined.messages.size(), 2u);
  const MatchedMessage hostView = std::get<MatchedMessage>(SentTo(joined, host).at(0));
  const MatchedMessage guestView = std::get<MatchedMessage>(SentTo(joined, guest).at(0));
  EXPECT_EQ(hostView,
            (MatchedMessage{hostView.token, PeerRole::Host, PeerAt(9, 5009), {PeerAt(50, 7001)}}));
  EXPECT_EQ(guestView,
            (MatchedMessage{hostView.token, PeerRole::Guest, PeerAt(7, 5007), {PeerAt(20, 7000)}}));
  EXPECT_NE(hostView.token, SessionToken{});
  EXPECT_EQ(joined.log, std::vector<std::string>{"room " + code + " joined by 203.0.113.9:5009"});
  const MemberId third = bench.Connect(12);
  EXPECT_EQ(SentTo(bench.Join(third, code), third), Refused(LobbyRefuseReason::RoomFull));

  // Too many tries from one address: refused before the code is looked up, one line written.
  for (int i = 1; i < JoinBurst(AddressRules{}); ++i) {
    bench.Join(third, "000000");
  }
  refused = bench.Join(third, code);
  EXPECT_EQ(SentTo(refused, third), Refused(LobbyRefuseReason::SlowDown));
  EXPECT_EQ(refused.log,
            std::vector<std::string>{"join refused from 203.0.113.12:5012: slow down"});
  EXPECT_TRUE(bench.Join(third, code).log.empty());
}

TEST(LobbyRooms, OpeningIsPacedAndBoundedAndOddRequestsAreRefused) {
  RoomRules rules;
  rules.maxRooms = 11;
  RoomsBench bench(rules);
  const MemberId host = bench.rooms.Connect(PeerAt(7, 40000), bench.now);
  for (uint16_t port = 1; port <= 10; ++port) {
    bench.Open(bench.rooms.Connect(PeerAt(7, port), bench.now));
  }
  EXPECT_EQ(SentTo(bench.Send(host, OpenRoomMessage{Played, {}}), host),
            Refused(LobbyRefuseReason::SlowDown));
  bench.Open(bench.Connect(8));
  EXPECT_EQ(SentTo(bench.Send(host, OpenRoomMessage{Played, {}}), host),
            Refused(LobbyRefuseReason::SlowDown));
  bench.now += 7s;  // a room back for the address, but the lobby is full
  EXPECT_EQ(SentTo(bench.Send(host, OpenRoomMessage{Played, {}}), host),
            Refused(LobbyRefuseReason::LobbyFull));
  GameVersions newer = Played;
  ++newer.lobbyVersion;
  const MemberId stranger = bench.Connect(9);
  RoomEffects refused = bench.Send(stranger, OpenRoomMessage{newer, {}});
  EXPECT_EQ(SentTo(refused, stranger), Refused(LobbyRefuseReason::LobbyVersion));
  EXPECT_TRUE(LetsGo(refused, stranger));

  // Nothing to relay yet, and a message the lobby itself sends: refused and let go.
  for (LobbyMessage odd : std::vector<LobbyMessage>{AskRelayMessage{}, RelayReadyMessage{}}) {
    const MemberId peer = bench.Connect(10);
    refused = bench.Send(peer, odd);
    EXPECT_EQ(SentTo(refused, peer), Refused(LobbyRefuseReason::BadRequest));
    EXPECT_TRUE(LetsGo(refused, peer));
  }
  // A connection that asks nothing for ten seconds is let go too.
  const MemberId idle = bench.Connect(11);
  EXPECT_FALSE(LetsGo(bench.Wait(9s), idle));
  EXPECT_TRUE(LetsGo(bench.Wait(1s), idle));
}

TEST(LobbyRooms, EveryRoomEndsTellingWhoIsLeftWhy) {
  RoomsBench bench;
  const MemberId lonely = bench.Connect(1);
  const std::string code = bench.Open(lonely);
  EXPECT_TRUE(bench.Wait(599s).messages.empty());
  RoomEffects expired = bench.Wait(1s);
  EXPECT_EQ(SentTo(expired, lonely), Gone(PeerGoneReason::Expired));
  EXPECT_EQ(expired.log, std::vector<std::string>{"room " + code +
                                                  " closed: expired after 600 s, relayed 0 bytes"});
  EXPECT_TRUE(LetsGo(expired, lonely));
  const MemberId late = bench.Connect(2);
  EXPECT_EQ(SentTo(bench.Join(late, code), late), Refused(LobbyRefuseReason::UnknownCode));

  MemberId host = bench.Connect(3);
  MemberId guest = bench.Connect(4);
  bench.Match(host, guest);
  EXPECT_TRUE(bench.Wait(29s).messages.empty());
  RoomEffects unchosen = bench.Wait(1s);
  EXPECT_EQ(SentTo(unchosen, guest), Gone(PeerGoneReason::Expired));
  EXPECT_NE(unchosen.log.at(0).find("closed: no path chosen after 30 s"), std::string::npos);

  host = bench.Connect(5);
  guest = bench.Connect(6);
  SessionToken token = bench.Match(host, guest);
  token[0] ^= 1;
  EXPECT_EQ(SentTo(bench.Send(guest, PathChosenMessage{token, PathKind::Local}), host),
            Gone(PeerGoneReason::Left));
  host = bench.Connect(7);
  guest = bench.Connect(8);
  token = bench.Match(host, guest);
  RoomEffects direct = bench.Send(guest, PathChosenMessage{token, PathKind::Local});
  EXPECT_TRUE(direct.messages.empty() && LetsGo(direct, host) && LetsGo(direct, guest));
  EXPECT_NE(direct.log.at(0).find(" direct (local)"), std::string::npos);

  for (bool silent : {false, true}) {
    host = bench.Connect(9);
    guest = bench.Connect(10);
    bench.Match(host, guest);
    RoomEffects left = bench.Leave(silent ? guest : host, silent);
    EXPECT_EQ(SentTo(left, silent ? host : guest),
              Gone(silent ? PeerGoneReason::Silent : PeerGoneReason::Left));
    EXPECT_NE(left.log.at(0).find(silent ? "closed: guest silent" : "closed: host left"),
              std::string::npos);
  }
  EXPECT_EQ(bench.rooms.RoomCount(), 0u);
}

TEST(LobbyRooms, TheRelayForwardsToTheOtherMemberWithinItsPaceBytesAndTime) {
  RoomRules rules;
  rules.relayMegabytes = 1;
  rules.relayPacketsPerSecond = 10;
  rules.maxRelays = 1;
  RoomsBench bench(rules);
  const MemberId host = bench.Connect(1), guest = bench.Connect(2);
  const SessionToken token = bench.Match(host, guest);
  EXPECT_TRUE(bench.Send(host, RelayMessage{token, true, {1}}).messages.empty());  // not yet
  RoomEffects ready = bench.Send(guest, AskRelayMessage{token});
  EXPECT_EQ(ready.messages.size(), 2u);
  EXPECT_EQ(SentTo(ready, host), std::vector<LobbyMessage>{RelayReadyMessage{}});
  RoomEffects relayed = bench.Send(host, RelayMessage{token, false, {4, 5}});
  EXPECT_EQ(relayed.messages.size(), 1u);
  EXPECT_EQ(SentTo(relayed, guest), (std::vector<LobbyMessage>{RelayedMessage{false, {4, 5}}}));
  SessionToken wrong = token;
  wrong[15] ^= 0x80;
  EXPECT_TRUE(bench.Send(host, RelayMessage{wrong, true, {1}}).messages.empty());
  EXPECT_TRUE(bench.Send(bench.Connect(3), RelayMessage{token, true, {1}}).messages.empty());
  EXPECT_EQ(bench.rooms.Counts().relayStray, 3u);

  // Twice the pace at once, then the pace.
  int forwarded = 0;
  for (int i = 0; i < 25; ++i) {
    forwarded +=
        static_cast<int>(bench.Send(guest, RelayMessage{token, true, {1}}).messages.size());
  }
  EXPECT_EQ(forwarded, 20);
  bench.now += 100ms;
  EXPECT_EQ(bench.Send(guest, RelayMessage{token, true, {1}}).messages.size(), 1u);

  // A second room finds no relay free.
  const MemberId host2 = bench.Connect(4), guest2 = bench.Connect(5);
  RoomEffects full = bench.Send(guest2, AskRelayMessage{bench.Match(host2, guest2)});
  EXPECT_EQ(SentTo(full, host2), Refused(LobbyRefuseReason::LobbyFull));
  EXPECT_NE(full.log.at(0).find("closed: relay refused"), std::string::npos);

  // Past a megabyte the match is over for both.
  RoomEffects out;
  for (int i = 0; i < 40 && out.log.empty(); ++i) {
    bench.now += 1s;
    out = bench.Send(guest, RelayMessage{token, true, std::vector<uint8_t>(MaxRelayedBytes, 9)});
  }
  EXPECT_EQ(SentTo(out, host), Gone(PeerGoneReason::RelayLimit));
  EXPECT_EQ(SentTo(out, guest), Gone(PeerGoneReason::RelayLimit));
  EXPECT_NE(out.log.at(0).find("closed: relay limit after 16 s, relayed 983303 bytes"),
            std::string::npos)
      << out.log.at(0);

  // The relay is free again, for its minutes.
  const MemberId host3 = bench.Connect(6), guest3 = bench.Connect(7);
  bench.Send(host3, AskRelayMessage{bench.Match(host3, guest3)});
  EXPECT_TRUE(bench.Wait(119min).messages.empty());
  EXPECT_EQ(SentTo(bench.Wait(1min), guest3), Gone(PeerGoneReason::Expired));
}

}  // namespace
