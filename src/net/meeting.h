// Two players meeting through a lobby, as decisions without a socket: what to tell the lobby,
// which addresses of the opponent to probe and when, which path to keep, when to ask the lobby to
// relay, and what to say when it fails. The link (net/enet_link) carries out its actions and
// hands it what arrives; time is the caller's, in seconds from any steady origin.
//
// Both peers probe every address the lobby gave of the other (its public address as the lobby
// saw it, then the local ones it gave) from their game sockets at once, which opens both routers
// for the other's packets, and answer every probe that carries the room's token. The guest keeps
// the first address that answers, a local one first, and connects there; with no answer in time,
// or no connection, it asks the lobby to relay.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "net/lobby_protocol.h"

struct MeetingPlan {
  PeerRole role = PeerRole::Host;
  std::string code;  // the guest's room code, canonical
  GameVersions versions;
  std::vector<PeerAddress> local;  // this machine's addresses at the game's port
  std::string lobbyName;           // "HOST:PORT", for the lines said
};

enum class MeetingStage {
  ReachingLobby,    // connecting to the lobby
  AskingLobby,      // the room asked for or joined, no answer yet
  WaitingForGuest,  // the host's room is open
  OpeningPath,      // probing the opponent's addresses
  Connecting,       // the guest connects on the path found
  AwaitingRelay,    // the guest asked the lobby to relay
  Direct,           // a direct path is open
  Relayed,          // the lobby relays the match
  Failed,
};

struct PathProbe {
  PeerAddress to;
  PathDatagram datagram;
};

struct MeetingActions {
  std::vector<LobbyMessage> toLobby;
  std::vector<PathProbe> datagrams;
  std::optional<PeerAddress> connectTo;  // the guest: connect there, with the token's tag
};

// Between two rounds of probes.
constexpr double ProbeInterval = 0.1;
// The lobby's answers; and how long the guest probes before it asks for a relay.
constexpr double LobbyAnswerSeconds = 5;
constexpr double ProbeSeconds = 4;
// A public path that answered waits this long for a local one.
constexpr double LocalPathGrace = 0.3;
constexpr double DirectConnectSeconds = 3;
// The host gives up when neither a direct connection nor the relay came by then.
constexpr double HostPathSeconds = 20;

class Meeting {
 public:
  Meeting(MeetingPlan plan, double now);

  void LobbyConnected(double now);
  // The lobby's connection ended (`silent`: by a timeout) before the match had its path.
  void LobbyLost(bool silent);
  void TakeLobby(const LobbyMessage& message, double now);
  // A path datagram from `from` (Probe or Answer; Cookies are the link's).
  void TakeDatagram(const PathDatagram& datagram, const PeerAddress& from, double now);
  // The guest's connection on the path failed.
  void DirectFailed();
  // A direct connection is up (the guest's, or the one the host accepted) at `at`.
  void DirectOpened(const PeerAddress& at);
  // What is due now: the lobby's first message, rounds of probes, answers, deadlines.
  MeetingActions Step(double now);

  MeetingStage Stage() const { return stage_; }
  PeerRole Role() const { return plan_.role; }
  // The room's code once known (the host's from the lobby, the guest's from its plan).
  const std::string& Code() const { return code_; }
  const SessionToken& Token() const { return token_; }
  std::optional<PathKind> Path() const { return path_; }
  // One line: why the meeting failed.
  const std::string& Failure() const { return failure_; }
  // The host takes a direct connection only with the room's tag, and only once matched.
  bool AcceptsConnect(uint32_t tag) const;

 private:
  void Fail(const std::string& line);
  void Refused(const LobbyRefuseMessage& refuse);
  void Matched(const MatchedMessage& matched, double now);
  void AskRelay();
  void Probe(double now);
  void GuestChooses(double now);
  // The opponent's addresses: its public one first, then its local ones.
  std::vector<PeerAddress> candidates_;

  MeetingPlan plan_;
  MeetingStage stage_ = MeetingStage::ReachingLobby;
  MeetingActions pending_;
  std::string code_;
  SessionToken token_{};
  std::optional<PathKind> path_;
  std::string failure_;
  double stageStarted_ = 0;
  double matchedAt_ = 0;
  double nextProbe_ = 0;
  // The guest's first answered candidates: the public one and the first local one.
  std::optional<PeerAddress> publicAnswer_;
  std::optional<PeerAddress> localAnswer_;
  double firstAnswerAt_ = 0;
};
