#include "net/enet_link.h"

#include <enet/enet.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "net/enet_wire.h"
#include "net/handshake.h"
#include "net/meeting.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

// The host's second peer slot exists only to refuse a second guest politely.
constexpr size_t HostPeerSlots = 2;
constexpr int LongestGoodbyeMs = 1000;

// The link whose host is being serviced on this thread, for ENet's datagram hook.
thread_local EnetLink* ServicedLink = nullptr;

}  // namespace

std::unique_ptr<EnetLink> EnetLink::Host(uint16_t port, const LinkOptions& options,
                                         std::string& error) {
  if (!StartEnet(error)) {
    return nullptr;
  }
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  errno = 0;
  ENetHost* host = CreateHost(&address, HostPeerSlots);
  if (host == nullptr) {
    const int cause = errno;
    error = cause != 0
                ? Formatted(Tr("cannot listen on UDP port %d: %s"), port, std::strerror(cause))
                : Formatted(Tr("cannot listen on UDP port %d"), port);
    return nullptr;
  }
  return std::unique_ptr<EnetLink>(new EnetLink(host, options, true));
}

std::unique_ptr<EnetLink> EnetLink::Join(const std::string& hostName, uint16_t port,
                                         const LinkOptions& options, std::string& error) {
  if (!StartEnet(error)) {
    return nullptr;
  }
  ENetAddress address{};
  if (enet_address_set_host(&address, hostName.c_str()) != 0) {
    error = Formatted(Tr("cannot find the host %s"), hostName.c_str());
    return nullptr;
  }
  address.port = port;
  ENetHost* host = CreateHost(nullptr, 1);
  if (host == nullptr) {
    error = Tr("cannot open a UDP socket");
    return nullptr;
  }
  auto link = std::unique_ptr<EnetLink>(new EnetLink(host, options, false));
  link->peer_ = enet_host_connect(host, &address, ChannelCount, 0);
  if (link->peer_ == nullptr) {
    error = Formatted(Tr("cannot connect to %s"), hostName.c_str());
    return nullptr;
  }
  ConfigurePeer(link->peer_, options);
  return link;
}

EnetLink::EnetLink(ENetHost* host, const LinkOptions& options, bool hosting)
    : host_(host), options_(options), hosting_(hosting) {
  host_->intercept = WatchDatagram;
}

int EnetLink::Service(ENetEvent& event, int timeoutMs) {
  ServicedLink = this;
  int result = enet_host_service(host_, &event, static_cast<enet_uint32>(timeoutMs));
  ServicedLink = nullptr;
  return result;
}

int EnetLink::WatchDatagram(ENetHost* host, ENetEvent*) {
  EnetLink* link = ServicedLink;
  if (link != nullptr && link->meeting_ != nullptr) {
    return link->WatchMeetingDatagram(host);
  }
  if (link != nullptr && link->peer_ != nullptr &&
      (host->receivedAddress.host != link->peer_->address.host ||
       host->receivedAddress.port != link->peer_->address.port)) {
    ++link->counters_.foreign;
  }
  return 0;  // ENet reads it all the same, to refuse a second guest
}

EnetLink::~EnetLink() {
  if (peer_ != nullptr && connected_) {
    enet_peer_disconnect_now(peer_, GoodbyeCode);
  }
  if (lobby_ != nullptr) {
    enet_peer_disconnect_now(lobby_, GoodbyeCode);
  }
  enet_host_flush(host_);
  enet_host_destroy(host_);
}

uint16_t EnetLink::Port() const {
  return host_->address.port;
}

LinkEvent EnetLink::Poll(int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    LinkEvent met;
    if (meeting_ != nullptr && RunMeeting(met)) {
      return met;
    }
    // A meeting probes and keeps its deadlines between two looks at the network.
    int wait = MillisecondsLeft(deadline);
    if (meeting_ != nullptr && !pathReported_) {
      wait = std::min(wait, 20);
    }
    ENetEvent event;
    int result = Service(event, wait);
    UpdatePeerFigures();
    if (result < 0) {
      connected_ = false;
      peer_ = nullptr;
      return {LinkEventKind::Disconnected, {}, LinkEnd::Failed, {}};
    }
    LinkEvent out;
    if (result > 0 && Handle(event, out)) {
      return out;
    }
    if (MillisecondsLeft(deadline) == 0 ||
        (result == 0 && (meeting_ == nullptr || pathReported_))) {
      return {};
    }
  }
}

bool EnetLink::Handle(const ENetEvent& event, LinkEvent& out) {
  if (meeting_ != nullptr && (event.peer == lobby_ || !pathReported_)) {
    return HandleMeetingEvent(event, out);
  }
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      // A guest that never got a message through (its handshake lost on a bad network, and
      // given up) gives way to the next; one that has is the opponent, and others are refused.
      if (hosting_ && peer_ != nullptr && counters_.received == 0) {
        enet_peer_reset(peer_);
        peer_ = nullptr;
      }
      if (hosting_ && peer_ != nullptr) {
        RefusePeer(event.peer);
        return false;
      }
      AcceptPeer(event.peer);
      out.kind = LinkEventKind::Connected;
      return true;
    case ENET_EVENT_TYPE_RECEIVE:
      return Receive(event, out);
    case ENET_EVENT_TYPE_DISCONNECT:
      if (event.peer != peer_) {
        return false;  // a refused guest, gone
      }
      peer_ = nullptr;
      connected_ = false;
      out.kind = LinkEventKind::Disconnected;
      out.end = event.data == GoodbyeCode ? LinkEnd::Left : LinkEnd::Silent;
      return true;
    case ENET_EVENT_TYPE_NONE:
      break;
  }
  return false;
}

void EnetLink::AcceptPeer(ENetPeer* peer) {
  peer_ = peer;
  connected_ = true;
  lastPacketsLost_ = peer->packetsLost;
  ConfigurePeer(peer, options_);
  SendEveryPacket(peer);
}

void EnetLink::RefusePeer(ENetPeer* peer) {
  ++counters_.refusedPeers;
  ConfigurePeer(peer, options_);
  std::vector<uint8_t> bytes = EncodeMessage(BusyRefusal(ThisProgramVersions()));
  ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
  if (enet_peer_send(peer, ReliableChannel, packet) != 0) {
    enet_packet_destroy(packet);
  }
  enet_peer_disconnect_later(peer, GoodbyeCode);
}

bool EnetLink::Receive(const ENetEvent& event, LinkEvent& out) {
  ENetPacket* packet = event.packet;
  bool passed = false;
  if (packet->dataLength > MaxMessageBytes) {
    ++counters_.oversized;
    lastRefusal_ = "a packet of " + std::to_string(packet->dataLength) + " bytes";
  } else if (!DecodeMessage(packet->data, packet->dataLength, out.message, lastRefusal_)) {
    ++counters_.malformed;
  } else {
    ++counters_.received;
    out.kind = LinkEventKind::Received;
    passed = true;
    if (event.peer == peer_) {
      // Once the opponent has spoken, the session times silence from every message it hears.
      // ENet's own timeout hangs on a single reliable command, a ping that a lossy link can lose
      // with all its resends while the Inputs still arrive, so it only backs the session up.
      const auto backstop = static_cast<enet_uint32>(std::max(options_.silenceTimeoutMs, 10)) * 3;
      enet_peer_timeout(peer_, ENET_PEER_TIMEOUT_LIMIT, backstop, backstop);
    }
  }
  enet_packet_destroy(packet);
  return passed;
}

bool EnetLink::Send(const Message& message) {
  if (!connected_) {
    return false;
  }
  std::vector<uint8_t> bytes = EncodeMessage(message);
  bool reliable = IsReliable(TypeOf(message));
  bool queued = false;
  if (relayed_) {
    RelayMessage relay{meeting_->Token(), reliable, std::move(bytes)};
    queued = lobby_ != nullptr && SendBytes(lobby_, EncodeLobbyMessage(relay), reliable);
  } else {
    queued = SendBytes(peer_, bytes, reliable);
  }
  if (!queued) {
    return false;
  }
  ++counters_.sent;
  enet_host_flush(host_);
  return true;
}

void EnetLink::Close() {
  if (relayed_ && lobby_ != nullptr) {
    // The lobby tells the opponent that this side left.
    peer_ = lobby_;
    lobby_ = nullptr;
    relayed_ = false;
  } else if (lobby_ != nullptr) {
    enet_peer_disconnect_now(lobby_, GoodbyeCode);
    lobby_ = nullptr;
  }
  if (peer_ == nullptr) {
    return;
  }
  if (!connected_) {
    enet_peer_reset(peer_);
    peer_ = nullptr;
    return;
  }
  enet_peer_disconnect_later(peer_, GoodbyeCode);
  auto deadline = std::chrono::steady_clock::now() +
                  std::chrono::milliseconds(std::min(options_.silenceTimeoutMs, LongestGoodbyeMs));
  while (peer_ != nullptr && MillisecondsLeft(deadline) > 0) {
    ENetEvent event;
    int result = Service(event, MillisecondsLeft(deadline));
    if (result < 0) {
      break;
    }
    if (result > 0 && event.type == ENET_EVENT_TYPE_RECEIVE) {
      enet_packet_destroy(event.packet);
    } else if (result > 0 && event.type == ENET_EVENT_TYPE_DISCONNECT && event.peer == peer_) {
      peer_ = nullptr;
    }
  }
  if (peer_ != nullptr) {
    enet_peer_reset(peer_);
    peer_ = nullptr;
  }
  connected_ = false;
}

void EnetLink::UpdatePeerFigures() {
  ENetPeer* peer = relayed_ ? lobby_ : peer_;
  if (peer == nullptr || !connected_) {
    return;
  }
  uint32_t lost = peer->packetsLost;
  // ENet zeroes its count every ten seconds; what was lost since our last look then is missed.
  counters_.resent += lost >= lastPacketsLost_ ? lost - lastPacketsLost_ : lost;
  lastPacketsLost_ = lost;
  counters_.packetLossPercent = 100.0 * peer->packetLoss / double{ENET_PEER_PACKET_LOSS_SCALE};
  // Relayed, the way is there and back twice: to the lobby and from it to the opponent, whose
  // own leg this side cannot see; its own leg doubled stands for both.
  counters_.roundTripMs = relayed_ ? 2 * peer->roundTripTime : peer->roundTripTime;
}

LinkCounters EnetLink::Counters() const {
  LinkCounters counters = counters_;
  counters.datagramsSent = host_->totalSentPackets;
  counters.datagramsReceived = host_->totalReceivedPackets;
  return counters;
}
