// The link's part in a meeting through the lobby: the lobby's connection (with the cookie it asks
// for first), path datagrams from the game's own socket, the guest's direct connection, and the
// relay.
#include <enet/enet.h>

#include <cerrno>
#include <cstring>

#include "net/enet_datagram.h"
#include "net/enet_link.h"
#include "net/enet_wire.h"
#include "net/local_addresses.h"
#include "net/meeting.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

// The lobby's peer, the opponent's, one to refuse a second guest, and one to spare.
constexpr size_t MeetingPeerSlots = 4;
// A lobby that keeps asking for a cookie is not one we can talk to.
constexpr int MaxCookieTries = 3;

PeerAddress FromEnet(const ENetAddress& address) {
  PeerAddress peer;
  std::memcpy(peer.ip.data(), &address.host, peer.ip.size());
  peer.port = address.port;
  return peer;
}

ENetAddress ToEnet(const PeerAddress& address) {
  ENetAddress enet{};
  std::memcpy(&enet.host, address.ip.data(), address.ip.size());
  enet.port = address.port;
  return enet;
}

}  // namespace

std::unique_ptr<EnetLink> EnetLink::Meet(const std::string& lobbyName, uint16_t lobbyPort,
                                         uint16_t localPort, const MeetingPlan& plan,
                                         const LinkOptions& options, std::string& error) {
  if (!StartEnet(error)) {
    return nullptr;
  }
  ENetAddress lobby{};
  if (enet_address_set_host(&lobby, lobbyName.c_str()) != 0) {
    error = Formatted(Tr("cannot find the lobby %s"), lobbyName.c_str());
    return nullptr;
  }
  lobby.port = lobbyPort;
  ENetAddress local{};
  local.host = ENET_HOST_ANY;
  local.port = localPort;
  errno = 0;
  ENetHost* host = CreateHost(&local, MeetingPeerSlots);
  if (host == nullptr) {
    const int cause = errno;
    error = cause != 0
                ? Formatted(Tr("cannot listen on UDP port %d: %s"), localPort, std::strerror(cause))
                : Formatted(Tr("cannot listen on UDP port %d"), localPort);
    return nullptr;
  }
  auto link = std::unique_ptr<EnetLink>(new EnetLink(host, options, plan.role == PeerRole::Host));
  link->lobbyAddress_ = FromEnet(lobby);
  MeetingPlan full = plan;
  full.local = LocalAddresses(link->Port());
  link->meeting_ = std::make_unique<Meeting>(full, link->Seconds());
  link->ConnectLobby(0);
  if (link->lobby_ == nullptr) {
    error = Formatted(Tr("cannot connect to the lobby %s"), lobbyName.c_str());
    return nullptr;
  }
  return link;
}

double EnetLink::Seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - created_).count();
}

void EnetLink::ConnectLobby(uint32_t cookie) {
  if (lobby_ != nullptr) {
    enet_peer_reset(lobby_);
  }
  ENetAddress address = ToEnet(lobbyAddress_);
  lobby_ = enet_host_connect(host_, &address, ChannelCount, cookie);
  if (lobby_ != nullptr) {
    ConfigurePeer(lobby_, options_);
  }
}

void EnetLink::SendDatagram(const PeerAddress& to, const std::vector<uint8_t>& bytes) {
  ENetAddress address = ToEnet(to);
  ENetBuffer buffer;
  buffer.data = const_cast<uint8_t*>(bytes.data());
  buffer.dataLength = bytes.size();
  enet_socket_send(host_->socket, &address, &buffer, 1);
}

bool EnetLink::RunMeeting(LinkEvent& out) {
  if (cookie_ != 0) {
    ++cookieTries_;
    ConnectLobby(cookie_);
    cookie_ = 0;
  }
  MeetingActions actions = meeting_->Step(Seconds());
  for (const LobbyMessage& message : actions.toLobby) {
    if (lobby_ != nullptr) {
      SendBytes(lobby_, EncodeLobbyMessage(message), true);
    }
  }
  for (const PathProbe& probe : actions.datagrams) {
    SendDatagram(probe.to, EncodePathDatagram(probe.datagram));
  }
  if (actions.connectTo) {
    ENetAddress address = ToEnet(*actions.connectTo);
    peer_ = enet_host_connect(host_, &address, ChannelCount, ConnectTag(meeting_->Token()));
    if (peer_ != nullptr) {
      ConfigurePeer(peer_, options_);
    } else {
      meeting_->DirectFailed();
    }
  }
  enet_host_flush(host_);
  if (pathReported_) {
    return false;
  }
  if (meeting_->Stage() == MeetingStage::Failed) {
    pathReported_ = true;
    out.kind = LinkEventKind::Disconnected;
    out.end = LinkEnd::Lobby;
    out.line = meeting_->Failure();
    return true;
  }
  if (meeting_->Stage() == MeetingStage::Relayed) {
    pathReported_ = true;
    relayed_ = true;
    connected_ = true;
    out.kind = LinkEventKind::Connected;
    return true;
  }
  return false;
}

bool EnetLink::HandleMeetingEvent(const ENetEvent& event, LinkEvent& out) {
  if (event.peer == lobby_) {
    switch (event.type) {
      case ENET_EVENT_TYPE_CONNECT:
        SendEveryPacket(lobby_);  // the relay carries the match's keys
        meeting_->LobbyConnected(Seconds());
        return false;
      case ENET_EVENT_TYPE_RECEIVE:
        return ReceiveFromLobby(event, out);
      case ENET_EVENT_TYPE_DISCONNECT:
        lobby_ = nullptr;
        if (relayed_) {
          connected_ = false;
          out.kind = LinkEventKind::Disconnected;
          out.end = LinkEnd::Lobby;
          out.line = Tr("the lobby stopped relaying the match");
          return true;
        }
        meeting_->LobbyLost(event.data != GoodbyeCode);
        return false;
      case ENET_EVENT_TYPE_NONE:
        return false;
    }
  }
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      // The guest's own connection on the path, or the one the host's watch let in.
      if (meeting_->Role() == PeerRole::Guest && event.peer != peer_) {
        return false;
      }
      meeting_->DirectOpened(FromEnet(event.peer->address));
      pathReported_ = true;
      AcceptPeer(event.peer);
      out.kind = LinkEventKind::Connected;
      return true;
    case ENET_EVENT_TYPE_DISCONNECT:
      if (event.peer == peer_) {
        peer_ = nullptr;
        meeting_->DirectFailed();
      }
      return false;
    case ENET_EVENT_TYPE_RECEIVE:
      enet_packet_destroy(event.packet);
      return false;
    case ENET_EVENT_TYPE_NONE:
      break;
  }
  return false;
}

bool EnetLink::ReceiveFromLobby(const ENetEvent& event, LinkEvent& out) {
  LobbyMessage message;
  bool read =
      DecodeLobbyMessage(event.packet->data, event.packet->dataLength, message, lastRefusal_);
  enet_packet_destroy(event.packet);
  if (!read) {
    ++counters_.malformed;
    return false;
  }
  if (!relayed_) {
    meeting_->TakeLobby(message, Seconds());
    return false;
  }
  if (const auto* relayed = std::get_if<RelayedMessage>(&message)) {
    if (!DecodeMessage(relayed->payload.data(), relayed->payload.size(), out.message,
                       lastRefusal_)) {
      ++counters_.malformed;
      return false;
    }
    ++counters_.received;
    out.kind = LinkEventKind::Received;
    return true;
  }
  if (const auto* gone = std::get_if<PeerGoneMessage>(&message)) {
    connected_ = false;
    out.kind = LinkEventKind::Disconnected;
    switch (gone->reason) {
      case PeerGoneReason::Left:
        out.end = LinkEnd::Left;
        break;
      case PeerGoneReason::Silent:
        out.end = LinkEnd::Silent;
        break;
      case PeerGoneReason::RelayLimit:
      case PeerGoneReason::Expired:
        out.end = LinkEnd::Lobby;
        out.line = Tr("the lobby stopped relaying the match: its limit for one match was reached");
        break;
    }
    return true;
  }
  return false;
}

int EnetLink::WatchMeetingDatagram(ENetHost* host) {
  const uint8_t* data = host->receivedData;
  const size_t size = host->receivedDataLength;
  const PeerAddress from = FromEnet(host->receivedAddress);
  if (IsPathDatagram(data, size)) {
    PathDatagram datagram;
    std::string error;
    if (!DecodePathDatagram(data, size, datagram, error)) {
      ++counters_.malformed;
    } else if (datagram.kind == DatagramKind::Cookie) {
      if (from == lobbyAddress_ && meeting_->Stage() == MeetingStage::ReachingLobby &&
          cookieTries_ < MaxCookieTries && datagram.cookie != 0) {
        cookie_ = datagram.cookie;
      }
    } else {
      meeting_->TakeDatagram(datagram, from, Seconds());
    }
    return 1;
  }
  // Only the room's guest, carrying the room's tag, may connect to a host met through a lobby.
  uint32_t tag = 0;
  if (hosting_ && from != lobbyAddress_ && ReadConnectAttempt(data, size, tag) &&
      !meeting_->AcceptsConnect(tag)) {
    ++counters_.foreign;
    return 1;
  }
  return 0;
}
