// The connection to one opponent over ENet (UDP). The host listens on one port and takes the
// first guest that connects; any other is refused and its packets are dropped. Messages are
// checked by the protocol's reader before anyone sees them; the handshake, rematch and goodbye
// travel reliably on one channel, inputs and hashes unreliably on another. A peer silent for
// the timeout ends the link, and no call waits longer than it is told to.
// Through a lobby (Meet), the same socket first talks to the lobby and opens a path through both
// players' routers (net/meeting); the opponent is then reached directly, or through the lobby,
// which relays every message.
#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "net/lobby_protocol.h"
#include "net/protocol.h"

class Meeting;
struct MeetingPlan;

struct _ENetHost;
struct _ENetPeer;
struct _ENetEvent;

struct LinkOptions {
  int silenceTimeoutMs = 5000;
};

enum class LinkEventKind { Idle, Connected, Received, Disconnected };
enum class LinkEnd {
  Left,    // the opponent closed the link
  Silent,  // nothing heard within the timeout (or the host never answered)
  Failed,  // the socket failed
  Lobby,   // the meeting through the lobby failed; the event's line says why
};

struct LinkEvent {
  LinkEventKind kind = LinkEventKind::Idle;
  Message message;              // Received
  LinkEnd end = LinkEnd::Left;  // Disconnected
  std::string line;             // Disconnected by LinkEnd::Lobby
};

struct LinkCounters {
  uint64_t sent = 0;       // messages handed to ENet
  uint64_t received = 0;   // messages read and passed on
  uint64_t malformed = 0;  // packets the reader refused
  uint64_t oversized = 0;  // packets over MaxMessageBytes, refused unread
  // Datagrams from any address but the opponent's while there is one: ENet answers only a
  // connection attempt (refused) and hands on none of their data.
  uint64_t foreign = 0;
  uint64_t refusedPeers = 0;
  // ENet's own figures: reliable packets sent again for want of an acknowledgement (at least
  // this many: ENet restarts its count every 10 s), its running mean loss of reliable packets,
  // the mean round trip, and the UDP datagrams each way.
  uint64_t resent = 0;
  double packetLossPercent = 0;
  uint32_t roundTripMs = 0;
  uint64_t datagramsSent = 0;
  uint64_t datagramsReceived = 0;
};

class EnetLink {
 public:
  // Listens on every address at `port`; port 0 takes any free one (see Port()).
  static std::unique_ptr<EnetLink> Host(uint16_t port, const LinkOptions& options,
                                        std::string& error);
  // Starts connecting; Poll reports Connected, or Disconnected (Silent) if no host answers.
  static std::unique_ptr<EnetLink> Join(const std::string& hostName, uint16_t port,
                                        const LinkOptions& options, std::string& error);
  // Meets the opponent through the lobby at lobbyName:lobbyPort, from a socket on `localPort`
  // (0: any free one); Poll reports Connected once a direct path or the relay is up.
  static std::unique_ptr<EnetLink> Meet(const std::string& lobbyName, uint16_t lobbyPort,
                                        uint16_t localPort, const MeetingPlan& plan,
                                        const LinkOptions& options, std::string& error);
  ~EnetLink();
  EnetLink(const EnetLink&) = delete;
  EnetLink& operator=(const EnetLink&) = delete;

  uint16_t Port() const;
  bool Connected() const { return connected_; }
  // The next event, waiting at most `timeoutMs` for one (Idle if none came).
  LinkEvent Poll(int timeoutMs);
  // Queues the message and sends it at once; false when there is no opponent to send it to.
  bool Send(const Message& message);
  // Sends what is queued, then a goodbye, and waits a bounded time for the opponent's
  // acknowledgement.
  void Close();
  LinkCounters Counters() const;
  // Why the last packet dropped as malformed or oversized was refused.
  const std::string& LastRefusal() const { return lastRefusal_; }
  // The meeting through the lobby; nullptr for a link made by Host or Join.
  const Meeting* LobbyMeeting() const { return meeting_.get(); }
  bool Relayed() const { return relayed_; }

 private:
  EnetLink(_ENetHost* host, const LinkOptions& options, bool hosting);
  double Seconds() const;
  // The meeting's part of Poll: its actions carried out, its end or its path reported.
  bool RunMeeting(LinkEvent& out);
  // Events of the lobby's peer, and of the opponent's until the path is reported.
  bool HandleMeetingEvent(const _ENetEvent& event, LinkEvent& out);
  bool ReceiveFromLobby(const _ENetEvent& event, LinkEvent& out);
  void ConnectLobby(uint32_t cookie);
  // A path datagram or a connection attempt seen before ENet reads it: 1 to drop it.
  int WatchMeetingDatagram(_ENetHost* host);
  void SendDatagram(const PeerAddress& to, const std::vector<uint8_t>& bytes);
  void AcceptPeer(_ENetPeer* peer);
  bool Handle(const _ENetEvent& event, LinkEvent& out);
  bool Receive(const _ENetEvent& event, LinkEvent& out);
  int Service(_ENetEvent& event, int timeoutMs);
  static int WatchDatagram(_ENetHost* host, _ENetEvent* event);
  void RefusePeer(_ENetPeer* peer);
  void UpdatePeerFigures();

  _ENetHost* host_;
  _ENetPeer* peer_ = nullptr;  // the opponent, or the host being joined
  LinkOptions options_;
  bool hosting_;
  bool connected_ = false;
  LinkCounters counters_;
  uint32_t lastPacketsLost_ = 0;
  std::string lastRefusal_;
  // Through a lobby: the lobby's peer and address, the meeting, whether the lobby relays.
  _ENetPeer* lobby_ = nullptr;
  PeerAddress lobbyAddress_;
  std::unique_ptr<Meeting> meeting_;
  bool relayed_ = false;
  bool pathReported_ = false;
  uint32_t cookie_ = 0;  // a cookie the lobby sent, to connect again with
  int cookieTries_ = 0;
  std::chrono::steady_clock::time_point created_ = std::chrono::steady_clock::now();
};
