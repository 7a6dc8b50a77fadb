// This machine's own IPv4 addresses, as a peer on the same network would reach it: every
// interface that is up, but the loopback, at most MaxLocalAddresses.
#pragma once
#include <cstdint>
#include <vector>

#include "net/lobby_protocol.h"

std::vector<PeerAddress> LocalAddresses(uint16_t port);
