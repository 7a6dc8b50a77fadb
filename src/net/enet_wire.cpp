#include "net/enet_wire.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "net/protocol.h"
#include "services/texts.h"

namespace {

// ENet reassembles fragments up to this and no further; between MaxMessageBytes and this we see
// the packet, and count it as oversized.
constexpr size_t EnetPacketLimit = 4 * MaxMessageBytes;
constexpr size_t EnetWaitingLimit = 16 * MaxMessageBytes;

}  // namespace

bool StartEnet(std::string& error) {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    started = enet_initialize() == 0;
    if (started) {
      std::atexit(enet_deinitialize);
    }
  });
  if (!started) {
    error = Tr("cannot start the network library");
  }
  return started;
}

ENetHost* CreateHost(const ENetAddress* address, size_t peers) {
  ENetHost* host = enet_host_create(address, peers, ChannelCount, 0, 0);
  if (host != nullptr) {
    host->maximumPacketSize = EnetPacketLimit;
    host->maximumWaitingData = EnetWaitingLimit;
  }
  return host;
}

void ConfigurePeer(ENetPeer* peer, const LinkOptions& options) {
  auto silence = static_cast<enet_uint32>(std::max(options.silenceTimeoutMs, 10));
  // Pings keep a quiet link busy, so that silence shows within a tenth of the timeout.
  enet_peer_ping_interval(peer, silence / 10);
  enet_peer_timeout(peer, ENET_PEER_TIMEOUT_LIMIT, silence, silence);
}

void SendEveryPacket(ENetPeer* peer) {
  // With no acceleration or deceleration the throttle stays wide open; ENet tells the far side.
  // Only once connected: the command queued while connecting would stall the handshake.
  enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 0, 0);
}

int MillisecondsLeft(std::chrono::steady_clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<int64_t>(left.count(), 0));
}

bool SendBytes(ENetPeer* peer, const std::vector<uint8_t>& bytes, bool reliable) {
  ENetPacket* packet =
      enet_packet_create(bytes.data(), bytes.size(),
                         reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED);
  if (packet == nullptr) {
    return false;
  }
  if (enet_peer_send(peer, reliable ? ReliableChannel : UnreliableChannel, packet) != 0) {
    enet_packet_destroy(packet);
    return false;
  }
  return true;
}
