#include "net/enet_datagram.h"

#include <enet/enet.h>

#include <cstddef>
#include <cstring>

bool ReadConnectAttempt(const uint8_t* data, size_t size, uint32_t& connectData) {
  if (size < offsetof(ENetProtocolHeader, sentTime)) {
    return false;
  }
  enet_uint16 peerField = 0;
  std::memcpy(&peerField, data, sizeof peerField);
  peerField = ENET_NET_TO_HOST_16(peerField);
  // A connect is addressed to no peer yet; compressed datagrams are none of ours.
  if ((peerField & ENET_PROTOCOL_HEADER_FLAG_COMPRESSED) != 0 ||
      (peerField & ~ENET_PROTOCOL_HEADER_FLAG_MASK & ~ENET_PROTOCOL_HEADER_SESSION_MASK) !=
          ENET_PROTOCOL_MAXIMUM_PEER_ID) {
    return false;
  }
  size_t header = (peerField & ENET_PROTOCOL_HEADER_FLAG_SENT_TIME) != 0
                      ? sizeof(ENetProtocolHeader)
                      : offsetof(ENetProtocolHeader, sentTime);
  if (size < header + sizeof(ENetProtocolConnect)) {
    return false;
  }
  ENetProtocolConnect connect;
  std::memcpy(&connect, data + header, sizeof connect);
  if ((connect.header.command & ENET_PROTOCOL_COMMAND_MASK) != ENET_PROTOCOL_COMMAND_CONNECT) {
    return false;
  }
  connectData = ENET_NET_TO_HOST_32(connect.data);
  return true;
}
