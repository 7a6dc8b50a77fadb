// The real lobby on 127.0.0.1, stepped by the test, and bare ENet clients: the cookie dance, a
// room opened, joined and relayed, what an unknown sender gets back, and a guesser held back
// before any code is looked up. Every wait is for a condition, bounded only so that a broken
// lobby fails instead of hanging.
#include <arpa/inet.h>
#include <enet/enet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>

#include "lobby_server.h"
#include "net/room_code.h"

namespace {

const GameVersions ClientVersions{LobbyProtocolVersion, OnlineProtocolVersion, 3};

// A game's lobby connection, as bare as ENet allows: connect, take the cookie, connect again.
class LobbyTestClient {
 public:
  explicit LobbyTestClient(uint16_t lobbyPort) {
    ENetAddress own{};
    enet_address_set_host_ip(&own, "127.0.0.1");
    host_ = enet_host_create(&own, 1, 2, 0, 0);
    host_->intercept = TakeCookie;
    enet_address_set_host_ip(&lobby_, "127.0.0.1");
    lobby_.port = lobbyPort;
    peer_ = enet_host_connect(host_, &lobby_, 2, 0);
  }
  ~LobbyTestClient() { enet_host_destroy(host_); }

  PeerAddress Address() const { return PeerAddress{{127, 0, 0, 1}, host_->address.port}; }
  void Poll() {
    Polled = this;
    ENetEvent event;
    while (enet_host_service(host_, &event, 0) > 0) {
      if (event.type == ENET_EVENT_TYPE_CONNECT) {
        connected = true;
      } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
        connected = false;
      } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
        LobbyMessage message;
        std::string error;
        EXPECT_TRUE(
            DecodeLobbyMessage(event.packet->data, event.packet->dataLength, message, error));
        inbox.push_back(message);
        enet_packet_destroy(event.packet);
      }
    }
    Polled = nullptr;
    if (cookie_ != 0) {
      enet_peer_reset(peer_);
      peer_ = enet_host_connect(host_, &lobby_, 2, cookie_);
      cookie_ = 0;
    }
  }
  void Send(const LobbyMessage& message) {
    const std::vector<uint8_t> bytes = EncodeLobbyMessage(message);
    const bool reliable = IsReliable(message);
    enet_peer_send(
        peer_, reliable ? 0 : 1,
        enet_packet_create(bytes.data(), bytes.size(),
                           reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED));
  }
  void Leave() { enet_peer_disconnect(peer_, GoodbyeCode); }

  std::deque<LobbyMessage> inbox;
  bool connected = false;

 private:
  static int TakeCookie(ENetHost* host, ENetEvent*) {
    PathDatagram datagram;
    std::string error;
    if (!DecodePathDatagram(host->receivedData, host->receivedDataLength, datagram, error)) {
      return 0;
    }
    if (datagram.kind == DatagramKind::Cookie && !Polled->connected) {
      Polled->cookie_ = datagram.cookie;
    }
    return 1;
  }
  static thread_local LobbyTestClient* Polled;

  ENetHost* host_;
  ENetPeer* peer_;
  ENetAddress lobby_{};
  uint32_t cookie_ = 0;
};

thread_local LobbyTestClient* LobbyTestClient::Polled = nullptr;

// An ENet CONNECT to no peer yet, as a plain UDP socket can send it.
std::vector<uint8_t> RawConnect(uint32_t data, uint16_t extraFlags = 0) {
  const uint16_t peerId = static_cast<uint16_t>(ENET_PROTOCOL_MAXIMUM_PEER_ID) |
                          ENET_PROTOCOL_HEADER_FLAG_SENT_TIME | extraFlags;
  std::vector<uint8_t> bytes{static_cast<uint8_t>(peerId >> 8), static_cast<uint8_t>(peerId), 0, 1};
  ENetProtocolConnect connect{};
  connect.header.command =
      static_cast<uint8_t>(ENET_PROTOCOL_COMMAND_CONNECT) | ENET_PROTOCOL_COMMAND_FLAG_ACKNOWLEDGE;
  connect.header.channelID = 0xFF;
  connect.header.reliableSequenceNumber = htons(1);
  connect.mtu = htonl(1400);
  connect.windowSize = htonl(32768);
  connect.channelCount = htonl(2);
  connect.data = htonl(data);
  const auto* raw = reinterpret_cast<const uint8_t*>(&connect);
  bytes.insert(bytes.end(), raw, raw + sizeof(connect));
  return bytes;
}

class LobbyOnLoopback : public ::testing::Test {
 protected:
  void TearDown() override {
    clients_.clear();
    server_.reset();
    std::fclose(logFile_);
  }
  void Start(LobbyOptions options = {}) {
    options.address = "127.0.0.1";
    options.port = 0;
    std::string error;
    server_ = LobbyServer::Start(options, log_, error);
    ASSERT_NE(server_, nullptr) << error;
  }
  LobbyTestClient& Connected() {
    clients_.push_back(std::make_unique<LobbyTestClient>(server_->Port()));
    LobbyTestClient& client = *clients_.back();
    EXPECT_TRUE(Until([&] { return client.connected; })) << "no connection";
    return client;
  }
  // Steps the lobby and every client until `done` holds.
  bool Until(const std::function<bool()>& done) {
    const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (; !done(); server_->Serve(1)) {
      if (std::chrono::steady_clock::now() > bound) {
        return false;
      }
      for (auto& client : clients_) {
        client->Poll();
      }
    }
    return true;
  }
  LobbyMessage Next(LobbyTestClient& client) {
    if (!Until([&] { return !client.inbox.empty(); })) {
      ADD_FAILURE() << "no message";
      return RelayReadyMessage{};
    }
    LobbyMessage message = client.inbox.front();
    client.inbox.pop_front();
    return message;
  }

  std::unique_ptr<LobbyServer> server_;

 private:
  std::FILE* logFile_ = std::tmpfile();
  LobbyLog log_{logFile_};
  std::vector<std::unique_ptr<LobbyTestClient>> clients_;
};

TEST_F(LobbyOnLoopback, TwoClientsMeetAndTheRelayCarriesTheirMessagesOneWayEach) {
  Start();
  LobbyTestClient& host = Connected();
  host.Send(OpenRoomMessage{ClientVersions, {PeerAddress{{192, 168, 1, 20}, 7000}}});
  const auto opened = std::get<RoomOpenedMessage>(Next(host));
  EXPECT_TRUE(IsCanonicalRoomCode(opened.code));

  LobbyTestClient& guest = Connected();
  guest.Send(JoinRoomMessage{ClientVersions, opened.code, {}});
  const auto hostView = std::get<MatchedMessage>(Next(host));
  const auto guestView = std::get<MatchedMessage>(Next(guest));
  EXPECT_EQ(hostView.peerPublic, guest.Address());
  EXPECT_EQ(guestView.peerPublic, host.Address());
  EXPECT_EQ(guestView.peerLocal.at(0), (PeerAddress{{192, 168, 1, 20}, 7000}));
  const SessionToken token = hostView.token;
  EXPECT_EQ(guestView.token, token);

  guest.Send(AskRelayMessage{token});
  EXPECT_EQ(Next(host), LobbyMessage(RelayReadyMessage{}));
  EXPECT_EQ(Next(guest), LobbyMessage(RelayReadyMessage{}));
  // A wrong token's message goes first on the same channel: had it been forwarded, it would
  // arrive first.
  SessionToken wrong = token;
  wrong[0] ^= 1;
  host.Send(RelayMessage{wrong, true, {1, 1}});
  host.Send(RelayMessage{token, true, {2, 2}});
  EXPECT_EQ(Next(guest), LobbyMessage(RelayedMessage{true, {2, 2}}));
  guest.Send(RelayMessage{token, true, {3}});
  EXPECT_EQ(Next(host), LobbyMessage(RelayedMessage{true, {3}}));
  EXPECT_TRUE(host.inbox.empty()) << "the host's own message came back";
  guest.Send(RelayMessage{token, false, {4}});
  EXPECT_EQ(Next(host), LobbyMessage(RelayedMessage{false, {4}}));

  host.Leave();
  EXPECT_EQ(Next(guest), LobbyMessage(PeerGoneMessage{PeerGoneReason::Left}));
  EXPECT_TRUE(Until([&] { return !guest.connected; })) << "the lobby kept the guest";
}

TEST_F(LobbyOnLoopback, AnUnknownSenderGetsOnlyACookieNoLongerThanItsConnect) {
  Start();
  const int raw = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
  sockaddr_in lobby{};
  lobby.sin_family = AF_INET;
  lobby.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  lobby.sin_port = htons(server_->Port());
  std::vector<std::vector<uint8_t>> replies;
  // Sends, then steps the lobby until a reply comes, and a few turns more for any other.
  auto exchange = [&](const std::vector<std::vector<uint8_t>>& datagrams) {
    for (const auto& datagram : datagrams) {
      sendto(raw, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&lobby),
             sizeof(lobby));
    }
    replies.clear();
    std::vector<uint8_t> buffer(4096);
    auto take = [&] {
      for (ssize_t size; (size = recv(raw, buffer.data(), buffer.size(), 0)) >= 0;) {
        replies.emplace_back(buffer.begin(), buffer.begin() + size);
      }
      return !replies.empty();
    };
    Until(take);
    for (int turn = 0; turn < 5; ++turn) {
      server_->Serve(1);
    }
    take();
  };

  const std::vector<uint8_t> connect = RawConnect(0);
  std::vector<uint8_t> ping = connect;
  ping[4] = ENET_PROTOCOL_COMMAND_PING;
  PathDatagram probe;
  // Garbage, a byte, a cut header, another command, a compressed CONNECT, a path datagram: no
  // answer; then the CONNECT's cookie.
  exchange({std::vector<uint8_t>(64, 5),
            {0x00},
            {0x8F, 0xFF, 0x00},
            ping,
            RawConnect(0, ENET_PROTOCOL_HEADER_FLAG_COMPRESSED),
            EncodePathDatagram(probe),
            connect});
  ASSERT_EQ(replies.size(), 1u);
  PathDatagram cookie;
  std::string error;
  ASSERT_TRUE(DecodePathDatagram(replies[0].data(), replies[0].size(), cookie, error)) << error;
  EXPECT_EQ(cookie.kind, DatagramKind::Cookie);
  EXPECT_LE(replies[0].size(), connect.size());

  exchange({RawConnect(cookie.cookie ^ 0x5555)});  // a wrong cookie gets a right one
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_TRUE(IsPathDatagram(replies[0].data(), replies[0].size()));

  exchange({RawConnect(cookie.cookie)});  // with the cookie, ENet itself answers
  ASSERT_GE(replies.size(), 1u);
  EXPECT_FALSE(IsPathDatagram(replies[0].data(), replies[0].size()));
  EXPECT_LE(replies[0].size(), connect.size());
  close(raw);
}

TEST_F(LobbyOnLoopback, GuessesAreHeldBackBeforeAnyCodeIsLookedUp) {
  LobbyOptions options;
  options.addresses.joinsPerMinute = 1;  // no test lasts long enough to earn one past the burst
  Start(options);
  LobbyTestClient& host = Connected();
  host.Send(OpenRoomMessage{ClientVersions, {}});
  const std::string live = std::get<RoomOpenedMessage>(Next(host)).code;

  // Four connections from one address, 2000 codes, the last of them the live one.
  std::vector<LobbyTestClient*> guessers;
  for (int i = 0; i < 4; ++i) {
    guessers.push_back(&Connected());
  }
  std::mt19937 random(11);
  for (int i = 0; i < 500; ++i) {
    for (LobbyTestClient* guesser : guessers) {
      std::string guess = RoomCodeFromBits(static_cast<uint32_t>(random()));
      guess = guess == live ? "000000" : guess;
      guesser->Send(JoinRoomMessage{ClientVersions, i == 499 ? live : guess, {}});
    }
  }
  ASSERT_TRUE(Until([&] {
    return std::all_of(guessers.begin(), guessers.end(),
                       [](LobbyTestClient* guesser) { return guesser->inbox.size() == 500; });
  }));
  std::map<LobbyRefuseReason, int> answers;
  for (LobbyTestClient* guesser : guessers) {
    for (const LobbyMessage& answer : guesser->inbox) {
      ++answers[std::get<LobbyRefuseMessage>(answer).reason];
    }
  }
  EXPECT_EQ(answers[LobbyRefuseReason::UnknownCode], JoinBurst(options.addresses));
  EXPECT_EQ(answers[LobbyRefuseReason::SlowDown], 2000 - JoinBurst(options.addresses));
  EXPECT_TRUE(host.inbox.empty()) << "somebody found the room";
}

}  // namespace
