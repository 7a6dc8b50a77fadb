// The lobby's rooms and the connections it holds, as pure logic: messages in, messages out, the
// time given by the caller. The server maps its ENet peers to members and carries out the
// effects; the tests move the clock.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "address_limits.h"
#include "net/lobby_protocol.h"
#include "token_bucket.h"

using MemberId = uint64_t;

struct RoomRules {
  int maxRooms = 10000;
  int maxRelays = 500;
  int roomMinutes = 10;
  int relayMinutes = 120;
  int relayMegabytes = 32;
  // Per member, with a burst of twice that: a match sends 40 a second, and four times as many
  // while it waits on the other side's keys.
  int relayPacketsPerSecond = 240;
};

// What the lobby says of its own versions when it refuses: it plays no game.
constexpr GameVersions LobbyOwnVersions{LobbyProtocolVersion, 0, 0};
// A connection's first request must come this soon, and its next one after a refusal.
constexpr std::chrono::seconds RequestWait{10};
// Two matched peers have this long to open a path or ask for the relay.
constexpr std::chrono::seconds ChoiceWait{30};

// What one call asks of the network: the messages, then the disconnects (each after the
// peer's messages), and the lines for the log.
struct RoomEffects {
  struct Outgoing {
    MemberId to;
    LobbyMessage message;
  };
  std::vector<Outgoing> messages;
  std::vector<MemberId> disconnects;
  std::vector<std::string> log;
};

struct RoomCounts {
  uint64_t opened = 0;
  uint64_t matched = 0;
  uint64_t direct = 0;
  uint64_t relayed = 0;
  uint64_t openRefused = 0;
  uint64_t joinRefused = 0;
  uint64_t badRequests = 0;
  uint64_t silentConnections = 0;  // no request in time
  uint64_t relayPackets = 0;
  uint64_t relayBytes = 0;
  uint64_t relayThrottled = 0;  // over a member's packet rate
  uint64_t relayStray = 0;      // not from a relayed room's member, or with another token
};

using RandomFill = std::function<void(std::span<uint8_t>)>;

class Rooms {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  Rooms(const RoomRules& rules, const AddressRules& addressRules, RandomFill random)
      : rules_(rules), limits_(addressRules), random_(std::move(random)) {}

  // A new connection from `address` (as the lobby sees it).
  MemberId Connect(const PeerAddress& address, TimePoint now);
  void Receive(MemberId id, LobbyMessage message, TimePoint now, RoomEffects& out);
  // A packet from the member that is no lobby message.
  void Unreadable(MemberId id, TimePoint now, RoomEffects& out);
  // The connection is gone: the peer said goodbye, or ENet heard nothing from it (`silent`).
  void Disconnected(MemberId id, bool silent, TimePoint now, RoomEffects& out);
  // Everything due by `now`: requests not made, rooms not joined, paths not chosen, relays over.
  void Expire(TimePoint now, RoomEffects& out);

  size_t RoomCount() const { return rooms_.size(); }
  size_t MemberCount() const { return members_.size(); }
  int RelayCount() const { return relays_; }
  size_t AddressCount() const { return limits_.Size(); }
  const RoomCounts& Counts() const { return counts_; }

 private:
  enum class Stage { Asking, Host, Guest, Leaving };
  struct Member {
    PeerAddress address;
    Stage stage = Stage::Asking;
    TimePoint askBy;                  // Asking
    std::string code;                 // Host, Guest
    std::vector<PeerAddress> local;   // Host, Guest: its own addresses, the usable ones
    std::optional<TokenBucket> pace;  // its relayed packets, once relayed
  };
  enum class RoomStage { Waiting, Matched, Relayed };
  struct Room {
    RoomStage stage = RoomStage::Waiting;
    MemberId host = 0;
    MemberId guest = 0;
    GameVersions versions;
    SessionToken token{};
    TimePoint opened;
    TimePoint due;
    uint64_t relayedBytes = 0;
  };

  void Open(MemberId id, Member& member, const OpenRoomMessage& open, TimePoint now,
            RoomEffects& out);
  void Join(MemberId id, Member& member, const JoinRoomMessage& join, TimePoint now,
            RoomEffects& out);
  void AskRelay(MemberId id, Member& member, const AskRelayMessage& ask, TimePoint now,
                RoomEffects& out);
  void ChoosePath(MemberId id, Member& member, const PathChosenMessage& chosen, TimePoint now,
                  RoomEffects& out);
  void Relay(Member& member, RelayMessage& relay, TimePoint now, RoomEffects& out);

  // Refused: the member may ask again within RequestWait, or (`leave`) is disconnected.
  void Refuse(MemberId id, Member& member, LobbyRefuseReason reason, const GameVersions& versions,
              bool leave, TimePoint now, RoomEffects& out);
  void RefuseBadRequest(MemberId id, Member& member, TimePoint now, RoomEffects& out);
  void Leave(MemberId id, Member& member, RoomEffects& out);
  void AskBy(MemberId id, Member& member, TimePoint when);
  void StopAsking(MemberId id, const Member& member);
  void Reschedule(const std::string& code, Room& room, TimePoint due);
  // Ends a room: `message` to its members but `except`, all of them disconnected.
  void Close(const std::string& code, const std::string& why,
             const std::optional<LobbyMessage>& message, MemberId except, TimePoint now,
             RoomEffects& out);
  void EndRoom(const std::string& code, RoomEffects& out);
  std::string NewCode();

  RoomRules rules_;
  AddressLimits limits_;
  RandomFill random_;
  MemberId lastId_ = 0;
  int relays_ = 0;
  std::unordered_map<MemberId, Member> members_;
  std::unordered_map<std::string, Room> rooms_;
  std::set<std::pair<TimePoint, MemberId>> asksDue_;
  std::set<std::pair<TimePoint, std::string>> roomsDue_;
  RoomCounts counts_;
};
