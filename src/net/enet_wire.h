// What the ENet link's files share: the channels, the goodbye code, and making hosts and peers
// as the link wants them. Only the link's own files include this.
#pragma once
#include <enet/enet.h>

#include <chrono>
#include <cstddef>
#include <string>

#include "net/enet_link.h"
#include "net/lobby_protocol.h"

constexpr size_t ChannelCount = LobbyChannelCount;
constexpr uint8_t ReliableChannel = 0;
constexpr uint8_t UnreliableChannel = 1;

// ENet started once for the process; false with a line in `error` when it cannot be.
bool StartEnet(std::string& error);
// A host with the link's limits on packet sizes.
ENetHost* CreateHost(const ENetAddress* address, size_t peers);
// The silence timeout and the pings that make it show.
void ConfigurePeer(ENetPeer* peer, const LinkOptions& options);
// ENet drops unreliable packets while the round trip grows. Keys and hashes are a few bytes a frame
// and each one lost costs a rollback or a desync check, so none is dropped on purpose.
void SendEveryPacket(ENetPeer* peer);
int MillisecondsLeft(std::chrono::steady_clock::time_point deadline);
// A packet of the bytes sent on the reliable or the unreliable channel; false if not queued.
bool SendBytes(ENetPeer* peer, const std::vector<uint8_t>& bytes, bool reliable);
