#include "datagram_gate.h"

#include <enet/enet.h>

#include "net/enet_datagram.h"

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

GateVerdict JudgeDatagram(const uint8_t* data, size_t size, const PeerAddress& from,
                          const AdmissionCookies& cookies, uint32_t bucket) {
  if (IsPathDatagram(data, size)) {
    return GateVerdict::DropPath;
  }
  if (size < 2 || !AddressedToNoPeer(HeaderPeerId(data))) {
    return GateVerdict::PassToEnet;
  }
  uint32_t cookie = 0;
  if (!ReadConnectAttempt(data, size, cookie)) {
    return GateVerdict::DropUnreadable;
  }
  if (cookie == 0) {
    return GateVerdict::AskForCookie;
  }
  return cookies.Accepts(cookie, from, bucket) ? GateVerdict::Admit : GateVerdict::RefreshCookie;
}
