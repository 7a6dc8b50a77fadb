// Two links on 127.0.0.1: the handshake, a refusal seen on both sides, a second guest turned
// away, silence and goodbyes, and packets that must never reach the game. Every wait is for a
// condition, bounded only so that a broken link fails instead of hanging.
#include <enet/enet.h>
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <thread>

#include "net/enet_link.h"
#include "net/handshake.h"

namespace {

constexpr int WaitBoundMs = 4000;

// A link and the events polling brought it, in order.
struct Watched {
  std::unique_ptr<EnetLink> link;
  std::deque<LinkEvent> events;
  bool frozen = false;  // not polled: to the others it falls silent
};

// A bare ENet client, to send what no link would.
struct RawGuest {
  explicit RawGuest(uint16_t port) {
    host = enet_host_create(nullptr, 1, 2, 0, 0);
    ENetAddress address{};
    enet_address_set_host_ip(&address, "127.0.0.1");
    address.port = port;
    peer = enet_host_connect(host, &address, 2, 0);
  }
  ~RawGuest() { enet_host_destroy(host); }
  void Send(const std::vector<uint8_t>& bytes) {
    enet_peer_send(peer, 0,
                   enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE));
    enet_host_flush(host);
  }
  ENetHost* host;
  ENetPeer* peer;
  bool connected = false;
};

class Loopback {
 public:
  Watched& Host(int silenceMs = 5000) { return Add(EnetLink::Host(0, {silenceMs}, error_)); }
  Watched& Join(const Watched& host, int silenceMs = 5000) {
    return Join(host.link->Port(), silenceMs);
  }
  Watched& Join(uint16_t port, int silenceMs) {
    return Add(EnetLink::Join("127.0.0.1", port, {silenceMs}, error_));
  }
  void AddRaw(RawGuest& raw) { raws_.push_back(&raw); }

  // Polls every link not frozen and every bare client until `done` holds.
  bool Until(const std::function<bool()>& done) {
    auto bound = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitBoundMs);
    while (!done()) {
      if (std::chrono::steady_clock::now() > bound) {
        return false;
      }
      for (Watched& watched : links_) {
        LinkEvent event = watched.frozen ? LinkEvent{} : watched.link->Poll(2);
        if (event.kind != LinkEventKind::Idle) {
          watched.events.push_back(event);
        }
      }
      for (RawGuest* raw : raws_) {
        ENetEvent event;
        while (enet_host_service(raw->host, &event, 0) > 0) {
          if (event.type == ENET_EVENT_TYPE_CONNECT) {
            raw->connected = true;
          } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            enet_packet_destroy(event.packet);
          }
        }
      }
    }
    return true;
  }
  LinkEvent Next(Watched& watched) {
    if (!Until([&] { return !watched.events.empty(); })) {
      ADD_FAILURE() << "no event within " << WaitBoundMs << " ms";
      return {};
    }
    LinkEvent event = watched.events.front();
    watched.events.pop_front();
    return event;
  }
  // Both ends connected, the guest's Hello answered as the host's handshake decides.
  HostDecision Meet(Watched& host, Watched& guest, const ProgramVersions& guestVersions) {
    EXPECT_EQ(Next(guest).kind, LinkEventKind::Connected);
    EXPECT_EQ(Next(host).kind, LinkEventKind::Connected);
    EXPECT_TRUE(guest.link->Send(MakeHello(guestVersions)));
    LinkEvent hello = Next(host);
    EXPECT_EQ(hello.kind, LinkEventKind::Received);
    HostDecision decision =
        AnswerHello(std::get<HelloMessage>(hello.message),
                    WelcomeMessage{4, StartKind::Seed, 99, ""}, ThisProgramVersions());
    EXPECT_TRUE(host.link->Send(decision.answer));
    return decision;
  }

 private:
  Watched& Add(std::unique_ptr<EnetLink> link) {
    EXPECT_NE(link, nullptr) << error_;
    links_.push_back(Watched{std::move(link), {}, false});
    return links_.back();
  }
  std::deque<Watched> links_;
  std::vector<RawGuest*> raws_;
  std::string error_;
};

TEST(EnetLink, HandshakeInputsAndAGoodbye) {
  Loopback net;
  Watched& host = net.Host();
  EXPECT_NE(host.link->Port(), 0);
  Watched& guest = net.Join(host);
  ASSERT_TRUE(net.Meet(host, guest, ThisProgramVersions()).accepted);
  LinkEvent answer = net.Next(guest);
  GuestDecision decision = ReadHostAnswer(answer.message, ThisProgramVersions());
  ASSERT_TRUE(decision.accepted) << decision.line;
  EXPECT_EQ(decision.welcome.inputDelay, 4);

  InputsMessage inputs{0, {1, 0, 16}, NoFrame, 2};
  guest.link->Send(inputs);
  EXPECT_EQ(net.Next(host).message, Message(inputs));
  // Leaving: the goodbye message arrives, then the link ends as left, not as silent. The guest
  // waits for the host to take its goodbye, so the host is polled meanwhile.
  guest.link->Send(ByeMessage{ByeReason::Quit});
  guest.frozen = true;
  std::thread leaving([&] { guest.link->Close(); });
  EXPECT_EQ(net.Next(host).message, Message(ByeMessage{ByeReason::Quit}));
  LinkEvent end = net.Next(host);
  EXPECT_EQ(end.kind, LinkEventKind::Disconnected);
  EXPECT_EQ(end.end, LinkEnd::Left);
  leaving.join();
  EXPECT_FALSE(guest.link->Connected());
  EXPECT_EQ(guest.link->Counters().sent, 3u);
  EXPECT_EQ(host.link->Counters().received, 3u);
  EXPECT_FALSE(host.link->Send(inputs));
}

TEST(EnetLink, AVersionRefusalIsSeenOnBothSides) {
  Loopback net;
  Watched& host = net.Host();
  Watched& guest = net.Join(host);
  ProgramVersions newer = ThisProgramVersions();
  ++newer.logic;
  HostDecision refusal = net.Meet(host, guest, newer);
  EXPECT_FALSE(refusal.accepted);
  EXPECT_NE(refusal.line.find("game logic version"), std::string::npos);
  GuestDecision seen = ReadHostAnswer(net.Next(guest).message, newer);
  EXPECT_FALSE(seen.accepted);
  EXPECT_NE(seen.line.find("game logic version"), std::string::npos);
}

TEST(EnetLink, ASecondGuestIsRefusedAndItsPacketsDropped) {
  Loopback net;
  Watched& host = net.Host();
  Watched& first = net.Join(host);
  ASSERT_TRUE(net.Meet(host, first, ThisProgramVersions()).accepted);
  Watched& second = net.Join(host);
  EXPECT_EQ(net.Next(second).kind, LinkEventKind::Connected);
  GuestDecision refused = ReadHostAnswer(net.Next(second).message, ThisProgramVersions());
  EXPECT_EQ(refused.line, "match refused: the host is already playing another opponent");
  EXPECT_EQ(net.Next(second).kind, LinkEventKind::Disconnected);

  EXPECT_EQ(host.link->Counters().refusedPeers, 1u);
  EXPECT_GT(host.link->Counters().foreign, 0u);
  // The first guest is still the opponent.
  EXPECT_EQ(net.Next(first).kind, LinkEventKind::Received);
  first.link->Send(RematchMessage{true});
  EXPECT_EQ(net.Next(host).message, Message(RematchMessage{true}));
}

TEST(EnetLink, MalformedAndOversizedPacketsNeverArrive) {
  Loopback net;
  Watched& host = net.Host();
  RawGuest raw(host.link->Port());
  net.AddRaw(raw);
  ASSERT_TRUE(net.Until([&] { return raw.connected; }));
  raw.Send({99, 1, 2});
  raw.Send(std::vector<uint8_t>(MaxMessageBytes + 1, 1));
  raw.Send(EncodeMessage(ByeMessage{ByeReason::Result}));
  EXPECT_EQ(net.Next(host).kind, LinkEventKind::Connected);
  EXPECT_EQ(net.Next(host).message, Message(ByeMessage{ByeReason::Result}));
  LinkCounters counters = host.link->Counters();
  EXPECT_EQ(counters.malformed, 1u);
  EXPECT_EQ(counters.oversized, 1u);
  EXPECT_EQ(counters.received, 1u);
}

TEST(EnetLink, SilenceEndsTheLinkOnEitherSideAndAnAbsentHostIsNoWait) {
  constexpr int SilenceMs = 500;
  for (bool hostFalls : {true, false}) {
    Loopback net;
    Watched& host = net.Host(SilenceMs);
    Watched& guest = net.Join(host, SilenceMs);
    ASSERT_EQ(net.Next(guest).kind, LinkEventKind::Connected);
    ASSERT_EQ(net.Next(host).kind, LinkEventKind::Connected);
    Watched& silent = hostFalls ? host : guest;
    Watched& waiting = hostFalls ? guest : host;
    silent.frozen = true;
    LinkEvent end = net.Next(waiting);
    EXPECT_EQ(end.kind, LinkEventKind::Disconnected);
    EXPECT_EQ(end.end, LinkEnd::Silent);
    if (hostFalls) {
      uint16_t closed = host.link->Port();
      host.link.reset();
      end = net.Next(net.Join(closed, SilenceMs));
      EXPECT_EQ(end.kind, LinkEventKind::Disconnected);
      EXPECT_EQ(end.end, LinkEnd::Silent);
    }
  }
}

}  // namespace
