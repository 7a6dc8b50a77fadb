#include "lobby_server.h"

#include <cerrno>
#include <cstring>

#include "datagram_gate.h"
#include "secure_random.h"

namespace {

constexpr uint8_t LobbyReliableChannel = 0;
constexpr uint8_t LobbyUnreliableChannel = 1;
// Fragments ENet may hold for one peer: a few of the largest messages, then it drops.
constexpr size_t WaitingBytesPerPeer = 4 * MaxLobbyMessageBytes;
// Events handled in one turn, so that expiry runs even under a flood.
constexpr int MaxEventsPerTurn = 4096;

// The lobby whose host is being serviced on this thread, for ENet's datagram hook.
thread_local LobbyServer* ServingLobby = nullptr;

using Clock = std::chrono::steady_clock;

PeerAddress AddressOf(const ENetAddress& address) {
  PeerAddress peer;
  std::memcpy(peer.ip.data(), &address.host, peer.ip.size());  // network order: a.b.c.d
  peer.port = address.port;
  return peer;
}

}  // namespace

std::unique_ptr<LobbyServer> LobbyServer::Start(const LobbyOptions& options, LobbyLog& log,
                                                std::string& error) {
  if (enet_initialize() != 0) {
    error = "cannot start ENet";
    return nullptr;
  }
  ENetAddress address{};
  enet_address_set_host_ip(&address, options.address.c_str());
  address.port = options.port;
  errno = 0;
  ENetHost* host =
      enet_host_create(&address, static_cast<size_t>(options.maxClients), LobbyChannelCount, 0, 0);
  if (host == nullptr) {
    const int cause = errno;
    error = "cannot listen on UDP " + options.address + ":" + std::to_string(options.port) +
            (cause != 0 ? std::string(": ") + std::strerror(cause) : "");
    enet_deinitialize();
    return nullptr;
  }
  host->duplicatePeers = static_cast<size_t>(options.clientsPerAddress);
  host->maximumPacketSize = MaxLobbyMessageBytes;
  host->maximumWaitingData = WaitingBytesPerPeer;
  host->intercept = WatchDatagram;
  SipHashKey key;
  FillSecureRandom(key);
  return std::unique_ptr<LobbyServer>(new LobbyServer(host, options, log, key));
}

LobbyServer::LobbyServer(ENetHost* host, const LobbyOptions& options, LobbyLog& log,
                         const SipHashKey& key)
    : host_(host),
      log_(log),
      cookies_(key),
      rooms_(options.rooms, options.addresses, FillSecureRandom),
      slotMembers_(host->peerCount, 0) {}

LobbyServer::~LobbyServer() {
  enet_host_destroy(host_);
  enet_deinitialize();
}

void LobbyServer::Serve(int timeoutMs) {
  ServingLobby = this;
  ENetEvent event;
  int result = enet_host_service(host_, &event, static_cast<enet_uint32>(timeoutMs));
  for (int handled = 0; result > 0;) {
    Handle(event);
    if (++handled == MaxEventsPerTurn) {
      break;
    }
    result = enet_host_service(host_, &event, 0);
  }
  ServingLobby = nullptr;
  if (result < 0 && networkErrors_++ == 0) {
    // ENet gives up a turn on a failed send or receive; the next turn tries again.
    log_.Write(std::string("network error (further ones are counted): ") + std::strerror(errno));
  }
  RoomEffects effects;
  rooms_.Expire(Clock::now(), effects);
  Carry(effects);
  enet_host_flush(host_);
}

int LobbyServer::WatchDatagram(ENetHost*, ENetEvent*) {
  LobbyServer* lobby = ServingLobby;
  return lobby != nullptr && lobby->Screen() ? 1 : 0;
}

bool LobbyServer::Screen() {
  const PeerAddress from = AddressOf(host_->receivedAddress);
  const uint32_t bucket = CookieBucketAt(Clock::now());
  switch (JudgeDatagram(host_->receivedData, host_->receivedDataLength, from, cookies_, bucket)) {
    case GateVerdict::PassToEnet:
      return false;
    case GateVerdict::Admit:
      ++gate_.admitted;
      return false;
    case GateVerdict::DropPath:
      ++gate_.pathDropped;
      return true;
    case GateVerdict::DropUnreadable:
      ++gate_.unreadableDropped;
      return true;
    case GateVerdict::RefreshCookie:
      ++gate_.staleCookies;
      break;
    case GateVerdict::AskForCookie:
      break;
  }
  PathDatagram answer{DatagramKind::Cookie};
  answer.cookie = cookies_.Make(from, bucket);
  std::vector<uint8_t> bytes = EncodePathDatagram(answer);
  // A CONNECT is longer than a cookie; the check keeps that promise should either change.
  if (bytes.size() <= host_->receivedDataLength) {
    ENetBuffer buffer;
    buffer.data = bytes.data();
    buffer.dataLength = bytes.size();
    enet_socket_send(host_->socket, &host_->receivedAddress, &buffer, 1);
    ++gate_.cookiesSent;
  }
  return true;
}

void LobbyServer::Handle(const ENetEvent& event) {
  RoomEffects effects;
  const Clock::time_point now = Clock::now();
  // ENet's peers are slots of one array; a slot's member is 0 while it holds none.
  MemberId& slotMember = slotMembers_.at(static_cast<size_t>(event.peer - host_->peers));
  const MemberId id = slotMember;
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT: {
      slotMember = rooms_.Connect(AddressOf(event.peer->address), now);
      peers_[slotMember] = event.peer;
      break;
    }
    case ENET_EVENT_TYPE_RECEIVE: {
      LobbyMessage message;
      std::string error;
      if (id != 0 &&
          DecodeLobbyMessage(event.packet->data, event.packet->dataLength, message, error)) {
        rooms_.Receive(id, std::move(message), now, effects);
      } else if (id != 0) {
        rooms_.Unreadable(id, now, effects);
      }
      enet_packet_destroy(event.packet);
      break;
    }
    case ENET_EVENT_TYPE_DISCONNECT:
      if (id != 0) {
        peers_.erase(id);
        slotMember = 0;
        rooms_.Disconnected(id, event.data != GoodbyeCode, now, effects);
      }
      break;
    case ENET_EVENT_TYPE_NONE:
      break;
  }
  Carry(effects);
}

void LobbyServer::Carry(RoomEffects& effects) {
  for (RoomEffects::Outgoing& outgoing : effects.messages) {
    auto peer = peers_.find(outgoing.to);
    if (peer == peers_.end()) {
      continue;
    }
    const bool reliable = IsReliable(outgoing.message);
    std::vector<uint8_t> bytes = EncodeLobbyMessage(outgoing.message);
    ENetPacket* packet =
        enet_packet_create(bytes.data(), bytes.size(),
                           reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED);
    if (packet != nullptr &&
        enet_peer_send(peer->second, reliable ? LobbyReliableChannel : LobbyUnreliableChannel,
                       packet) != 0) {
      enet_packet_destroy(packet);
    }
  }
  for (MemberId id : effects.disconnects) {
    auto peer = peers_.find(id);
    if (peer != peers_.end()) {
      enet_peer_disconnect_later(peer->second, GoodbyeCode);
    }
  }
  for (const std::string& line : effects.log) {
    log_.Write(line);
  }
}

std::string LobbyServer::CountsText() const {
  const RoomCounts& rooms = rooms_.Counts();
  auto n = [](uint64_t count) { return std::to_string(count); };
  return n(rooms.opened) + " rooms opened, " + n(rooms.matched) + " matched, " + n(rooms.direct) +
         " direct, " + n(rooms.relayed) + " relayed; now " + n(rooms_.RoomCount()) + " rooms, " +
         n(static_cast<uint64_t>(rooms_.RelayCount())) + " relays, " + n(peers_.size()) +
         " connections, " + n(rooms_.AddressCount()) + " addresses; refused " +
         n(rooms.openRefused) + " opens, " + n(rooms.joinRefused) + " joins, " +
         n(rooms.badRequests) + " bad requests, " + n(rooms.silentConnections) +
         " silent connections; relayed " + n(rooms.relayPackets) + " packets (" +
         n(rooms.relayBytes) + " bytes), dropped " + n(rooms.relayThrottled) + " over pace, " +
         n(rooms.relayStray) + " stray; cookies " + n(gate_.cookiesSent) + " sent, " +
         n(gate_.staleCookies) + " stale, " + n(gate_.admitted) + " admitted; dropped " +
         n(gate_.pathDropped) + " path and " + n(gate_.unreadableDropped) +
         " unreadable datagrams; " + n(networkErrors_) + " network errors";
}
