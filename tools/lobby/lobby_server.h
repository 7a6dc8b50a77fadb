// The lobby on the network: one ENet host, the gate that keeps unknown senders from getting more
// bytes than they sent, and the rooms behind it.
#pragma once
#include <enet/enet.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "admission_cookie.h"
#include "lobby_log.h"
#include "lobby_options.h"
#include "rooms.h"

struct GateCounts {
  uint64_t cookiesSent = 0;
  uint64_t staleCookies = 0;  // connects with a cookie that was wrong or too old
  uint64_t admitted = 0;      // connects with a valid cookie
  uint64_t pathDropped = 0;
  uint64_t unreadableDropped = 0;
};

class LobbyServer {
 public:
  // nullptr with one line in `error` when ENet cannot start or the address cannot be had.
  static std::unique_ptr<LobbyServer> Start(const LobbyOptions& options, LobbyLog& log,
                                            std::string& error);
  ~LobbyServer();
  LobbyServer(const LobbyServer&) = delete;
  LobbyServer& operator=(const LobbyServer&) = delete;

  uint16_t Port() const { return host_->address.port; }
  // Waits up to `timeoutMs` for traffic, handles what came, then ends what is due.
  void Serve(int timeoutMs);
  // All the counts on one line, for the log.
  std::string CountsText() const;

 private:
  LobbyServer(ENetHost* host, const LobbyOptions& options, LobbyLog& log, const SipHashKey& key);

  static int WatchDatagram(ENetHost* host, ENetEvent* event);
  // True when the datagram just received stops here.
  bool Screen();
  void Handle(const ENetEvent& event);
  void Carry(RoomEffects& effects);

  ENetHost* host_;
  LobbyLog& log_;
  AdmissionCookies cookies_;
  Rooms rooms_;
  std::vector<MemberId> slotMembers_;  // by ENet peer slot
  std::unordered_map<MemberId, ENetPeer*> peers_;
  GateCounts gate_;
  uint64_t networkErrors_ = 0;
};
