// What the lobby does with each datagram before ENet reads it. A datagram from a peer not yet
// connected reaches ENet only as a CONNECT carrying a valid cookie; other CONNECTs are answered
// with a cookie no longer than themselves, and nothing else from an unknown sender is answered,
// so the lobby can never be made to send more than it received to an address it has not seen.
#pragma once
#include <cstddef>
#include <cstdint>

#include "admission_cookie.h"

enum class GateVerdict {
  PassToEnet,      // for a connected peer (ENet checks which), or for ENet to ignore
  Admit,           // a CONNECT with a valid cookie
  AskForCookie,    // a CONNECT with data 0: answer a cookie
  RefreshCookie,   // a CONNECT with a wrong or stale cookie: answer a fresh one
  DropPath,        // a path datagram, for the players' own sockets, not for the lobby
  DropUnreadable,  // addressed to no peer, yet no readable CONNECT
};

GateVerdict JudgeDatagram(const uint8_t* data, size_t size, const PeerAddress& from,
                          const AdmissionCookies& cookies, uint32_t bucket);
