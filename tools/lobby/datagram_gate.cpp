#include "datagram_gate.h"

#include <arpa/inet.h>
#include <enet/enet.h>

#include <cstring>

namespace {

// The header's first two bytes: the peer id and, in its top bits, flags and a session number.
uint16_t HeaderPeerId(const uint8_t* data) {
  return static_cast<uint16_t>(data[0] << 8 | data[1]);
}

bool AddressedToNoPeer(uint16_t peerId) {
  return (peerId & ~(ENET_PROTOCOL_HEADER_FLAG_MASK | ENET_PROTOCOL_HEADER_SESSION_MASK)) ==
         ENET_PROTOCOL_MAXIMUM_PEER_ID;
}

}  // namespace

std::optional<uint32_t> EnetConnectData(const uint8_t* data, size_t size) {
  if (size < 2) {
    return std::nullopt;
  }
  const uint16_t peerId = HeaderPeerId(data);
  // We never set up a decompressor, so ENet drops a compressed datagram unread.
  if (!AddressedToNoPeer(peerId) || (peerId & ENET_PROTOCOL_HEADER_FLAG_COMPRESSED) != 0) {
    return std::nullopt;
  }
  const size_t headerSize = (peerId & ENET_PROTOCOL_HEADER_FLAG_SENT_TIME) != 0 ? 4 : 2;
  ENetProtocolConnect connect;
  if (size < headerSize + sizeof(connect)) {
    return std::nullopt;
  }
  std::memcpy(&connect, data + headerSize, sizeof(connect));
  if ((connect.header.command & ENET_PROTOCOL_COMMAND_MASK) != ENET_PROTOCOL_COMMAND_CONNECT) {
    return std::nullopt;
  }
  return ntohl(connect.data);
}

GateVerdict JudgeDatagram(const uint8_t* data, size_t size, const PeerAddress& from,
                          const AdmissionCookies& cookies, uint32_t bucket) {
  if (IsPathDatagram(data, size)) {
    return GateVerdict::DropPath;
  }
  if (size < 2 || !AddressedToNoPeer(HeaderPeerId(data))) {
    return GateVerdict::PassToEnet;
  }
  std::optional<uint32_t> cookie = EnetConnectData(data, size);
  if (!cookie) {
    return GateVerdict::DropUnreadable;
  }
  if (*cookie == 0) {
    return GateVerdict::AskForCookie;
  }
  return cookies.Accepts(*cookie, from, bucket) ? GateVerdict::Admit : GateVerdict::RefreshCookie;
}
