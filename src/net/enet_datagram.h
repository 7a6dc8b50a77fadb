// A look into a raw ENet datagram before ENet reads it: whether it asks for a new connection, and
// the data the asker sent with it (the lobby's cookie, or the room's tag on a direct path).
#pragma once
#include <cstddef>
#include <cstdint>

// True for a datagram whose first command is a connect to a peer not yet known; `connectData`
// is then the connect's data.
bool ReadConnectAttempt(const uint8_t* data, size_t size, uint32_t& connectData);
