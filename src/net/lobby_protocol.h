// What the game and the lobby server say to each other, and what two peers send each other while
// they open a path through their routers. Lobby messages travel as ENet packets on the lobby's
// connection: a type byte, then the fields, little-endian. Path datagrams are raw UDP from the
// game's own socket, outside ENet, marked by a prefix ENet never sends. The readers check every
// length against the bytes present and refuse anything malformed with one line saying why.
// OpenRoom, JoinRoom and LobbyRefuse keep their layout in every lobby protocol version, so that a
// lobby and a game of different versions can still tell why they cannot talk.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "net/protocol.h"

constexpr uint16_t LobbyProtocolVersion = 1;
constexpr uint16_t DefaultLobbyPort = 7490;
// Both ENet connections, the lobby's and the match's, have two channels: 0 carries everything
// reliably but what the match sends unreliably (its inputs and hashes), which goes on 1.
constexpr size_t LobbyChannelCount = 2;
// Sent with every disconnect of ours, lobby and game alike, so that the other side can tell a
// goodbye from a timeout.
constexpr uint32_t GoodbyeCode = 1;
// The addresses of its own machine a peer may give, for two players on one network.
constexpr int MaxLocalAddresses = 8;
// A relayed message: the largest match message, with room for nothing else.
constexpr size_t MaxRelayedBytes = MaxMessageBytes;
constexpr size_t MaxLobbyMessageBytes = MaxRelayedBytes + 32;
constexpr size_t RoomCodeLength = 6;

// An IPv4 address and port, the address in network order as four bytes a.b.c.d.
struct PeerAddress {
  std::array<uint8_t, 4> ip{};
  uint16_t port = 0;
  bool operator==(const PeerAddress&) const = default;
  auto operator<=>(const PeerAddress&) const = default;
};
// "a.b.c.d:port"
std::string AddressText(const PeerAddress& address);

// A room's secret, shared by its two peers and the lobby: it marks their path datagrams, their
// relayed messages and the guest's direct connection.
using SessionToken = std::array<uint8_t, 16>;
// The ENet connect data a guest sends on a direct path: the token's first four bytes.
uint32_t ConnectTag(const SessionToken& token);

enum class LobbyMessageType : uint8_t {
  // game to lobby
  OpenRoom = 1,
  JoinRoom = 2,
  AskRelay = 3,
  PathChosen = 4,
  Relay = 5,
  // lobby to game
  RoomOpened = 10,
  Matched = 11,
  RelayReady = 12,
  Relayed = 13,
  PeerGone = 14,
  LobbyRefuse = 15,
};

// The versions a peer plays: a room pairs only peers that play the same.
struct GameVersions {
  uint16_t lobbyVersion = LobbyProtocolVersion;
  uint16_t protocolVersion = OnlineProtocolVersion;
  uint16_t logicVersion = 0;
  bool operator==(const GameVersions&) const = default;
};

// Host to lobby: a room, please. `local` are the host's own addresses at its game port.
struct OpenRoomMessage {
  GameVersions versions;
  std::vector<PeerAddress> local;
  bool operator==(const OpenRoomMessage&) const = default;
};

// Guest to lobby: the room of this code (canonical: RoomCodeLength characters of the alphabet).
struct JoinRoomMessage {
  GameVersions versions;
  std::string code;
  std::vector<PeerAddress> local;
  bool operator==(const JoinRoomMessage&) const = default;
};

// A peer of the room (the guest, in the game) to lobby: no direct path opened; relay the match.
struct AskRelayMessage {
  SessionToken token{};
  bool operator==(const AskRelayMessage&) const = default;
};

enum class PathKind : uint8_t { Local = 1, Public = 2 };

// A peer of the room (the guest, in the game) to lobby: a direct path opened; the room is done
// with the lobby.
struct PathChosenMessage {
  SessionToken token{};
  PathKind path = PathKind::Public;
  bool operator==(const PathChosenMessage&) const = default;
};

// Game to lobby: one match message for the other peer of the room.
struct RelayMessage {
  SessionToken token{};
  bool reliable = false;
  std::vector<uint8_t> payload;  // 1..MaxRelayedBytes
  bool operator==(const RelayMessage&) const = default;
};

// Lobby to host: the room's code, valid for `seconds` while nobody joins.
struct RoomOpenedMessage {
  std::string code;
  uint16_t seconds = 0;
  bool operator==(const RoomOpenedMessage&) const = default;
};

enum class PeerRole : uint8_t { Host = 1, Guest = 2 };

// Lobby to both peers of a room: the other peer's address as the lobby saw it and the local
// addresses it gave, and the room's token. Both then try every address at once.
struct MatchedMessage {
  SessionToken token{};
  PeerRole role = PeerRole::Host;  // the receiver's
  PeerAddress peerPublic;
  std::vector<PeerAddress> peerLocal;
  bool operator==(const MatchedMessage&) const = default;
};

// Lobby to both peers: the match goes through the lobby from now on.
struct RelayReadyMessage {
  bool operator==(const RelayReadyMessage&) const = default;
};

// Lobby to game: a match message from the other peer.
struct RelayedMessage {
  bool reliable = false;
  std::vector<uint8_t> payload;
  bool operator==(const RelayedMessage&) const = default;
};

enum class PeerGoneReason : uint8_t { Left = 1, Silent = 2, RelayLimit = 3, Expired = 4 };

// Lobby to a peer: the room is over for the reason given.
struct PeerGoneMessage {
  PeerGoneReason reason = PeerGoneReason::Left;
  bool operator==(const PeerGoneMessage&) const = default;
};

enum class LobbyRefuseReason : uint8_t {
  LobbyVersion = 1,  // the lobby speaks another lobby protocol
  GameVersions = 2,  // the room's host plays other versions
  UnknownCode = 3,   // no room of that code (never opened, or expired)
  RoomFull = 4,      // the room has its guest already
  LobbyFull = 5,     // no room for another room or relay
  SlowDown = 6,      // too many rooms or attempts from this address
  BadRequest = 7,    // a message the lobby could not take at this point
};

// Lobby to game: the request is refused, with the room host's versions for GameVersions, else
// the lobby's own: its lobby protocol version and 0 for the game's two, which it does not play.
struct LobbyRefuseMessage {
  LobbyRefuseReason reason = LobbyRefuseReason::BadRequest;
  GameVersions versions;
  bool operator==(const LobbyRefuseMessage&) const = default;
};

using LobbyMessage =
    std::variant<OpenRoomMessage, JoinRoomMessage, AskRelayMessage, PathChosenMessage, RelayMessage,
                 RoomOpenedMessage, MatchedMessage, RelayReadyMessage, RelayedMessage,
                 PeerGoneMessage, LobbyRefuseMessage>;

LobbyMessageType TypeOf(const LobbyMessage& message);
std::string_view LobbyMessageTypeName(LobbyMessageType type);
// Whether the message travels reliably (all but the unreliable relayed ones).
bool IsReliable(const LobbyMessage& message);

// The caller keeps every field within the bounds above; the reader refuses what is not.
std::vector<uint8_t> EncodeLobbyMessage(const LobbyMessage& message);
// On refusal `message` is left as it was and `error` holds one line.
bool DecodeLobbyMessage(const uint8_t* data, size_t size, LobbyMessage& message,
                        std::string& error);

// Raw datagrams: the prefix, a version byte, a kind byte, then the fields. ENet's first two bytes
// carry a peer number and flags; with the compression flag, which no ENet host of ours sets, an
// ENet host drops the datagram unread, so a stray one harms nothing.
constexpr std::array<uint8_t, 4> DatagramPrefix{0xFF, 0xFF, 'A', 'T'};
constexpr uint8_t DatagramVersion = 1;

enum class DatagramKind : uint8_t {
  Cookie = 1,  // lobby to game: repeat the connect with this cookie
  Probe = 2,   // peer to peer: are you there? (a path's first leg)
  Answer = 3,  // peer to peer: yes (the path works both ways)
};

struct PathDatagram {
  DatagramKind kind = DatagramKind::Probe;
  uint32_t cookie = 0;             // Cookie
  SessionToken token{};            // Probe, Answer
  PeerRole from = PeerRole::Host;  // Probe, Answer: the sender's role
  uint8_t candidate = 0;           // Probe: which of the receiver's addresses; Answer: echoed
  bool operator==(const PathDatagram&) const = default;
};

// True when the bytes start with the prefix: a path datagram, not ENet's.
bool IsPathDatagram(const uint8_t* data, size_t size);
std::vector<uint8_t> EncodePathDatagram(const PathDatagram& datagram);
bool DecodePathDatagram(const uint8_t* data, size_t size, PathDatagram& datagram,
                        std::string& error);
