// The lobby's messages and the path datagrams, byte by byte as docs/lobby.md describes them.
#include "net/lobby_protocol.h"

#include <algorithm>
#include <type_traits>

#include "net/field_reader.h"
#include "net/room_code.h"
#include "replay/byte_stream.h"

namespace {

void WriteAddress(ByteWriter& out, const PeerAddress& address) {
  out.Bytes(address.ip.data(), address.ip.size());
  out.U16(address.port);
}

void WriteAddresses(ByteWriter& out, const std::vector<PeerAddress>& addresses) {
  out.U8(static_cast<uint8_t>(addresses.size()));
  for (const PeerAddress& address : addresses) {
    WriteAddress(out, address);
  }
}

void WriteVersions(ByteWriter& out, const GameVersions& versions) {
  out.U16(versions.lobbyVersion);
  out.U16(versions.protocolVersion);
  out.U16(versions.logicVersion);
}

void WriteToken(ByteWriter& out, const SessionToken& token) {
  out.Bytes(token.data(), token.size());
}

void WritePayload(ByteWriter& out, bool reliable, const std::vector<uint8_t>& payload) {
  out.U8(reliable ? 1 : 0);
  out.Bytes(payload.data(), payload.size());
}

void Write(ByteWriter& out, const OpenRoomMessage& open) {
  WriteVersions(out, open.versions);
  WriteAddresses(out, open.local);
}

void Write(ByteWriter& out, const JoinRoomMessage& join) {
  WriteVersions(out, join.versions);
  out.Bytes(join.code.data(), join.code.size());
  WriteAddresses(out, join.local);
}

void Write(ByteWriter& out, const AskRelayMessage& ask) {
  WriteToken(out, ask.token);
}

void Write(ByteWriter& out, const PathChosenMessage& chosen) {
  WriteToken(out, chosen.token);
  out.U8(static_cast<uint8_t>(chosen.path));
}

void Write(ByteWriter& out, const RelayMessage& relay) {
  WriteToken(out, relay.token);
  WritePayload(out, relay.reliable, relay.payload);
}

void Write(ByteWriter& out, const RoomOpenedMessage& opened) {
  out.Bytes(opened.code.data(), opened.code.size());
  out.U16(opened.seconds);
}

void Write(ByteWriter& out, const MatchedMessage& matched) {
  WriteToken(out, matched.token);
  out.U8(static_cast<uint8_t>(matched.role));
  WriteAddress(out, matched.peerPublic);
  WriteAddresses(out, matched.peerLocal);
}

void Write(ByteWriter&, const RelayReadyMessage&) {}

void Write(ByteWriter& out, const RelayedMessage& relayed) {
  WritePayload(out, relayed.reliable, relayed.payload);
}

void Write(ByteWriter& out, const PeerGoneMessage& gone) {
  out.U8(static_cast<uint8_t>(gone.reason));
}

void Write(ByteWriter& out, const LobbyRefuseMessage& refuse) {
  out.U8(static_cast<uint8_t>(refuse.reason));
  WriteVersions(out, refuse.versions);
}

// A one-byte enumeration within [first, last].
template <class Enum>
Enum ReadEnum(FieldReader& in, const char* field, Enum first, Enum last) {
  uint8_t value = in.U8(field);
  if (in.Ok() && (value < static_cast<uint8_t>(first) || value > static_cast<uint8_t>(last))) {
    in.Refuse(std::string("unknown ") + field + " " + std::to_string(value));
  }
  return static_cast<Enum>(value);
}

bool ReadFlag(FieldReader& in, const char* field) {
  uint8_t value = in.U8(field);
  if (in.Ok() && value > 1) {
    in.Refuse(std::string(field) + " " + std::to_string(value) + " is neither 0 nor 1");
  }
  return value == 1;
}

PeerAddress ReadAddress(FieldReader& in) {
  PeerAddress address;
  const uint8_t* ip = in.Take(address.ip.size(), "an address");
  if (ip != nullptr) {
    std::copy(ip, ip + address.ip.size(), address.ip.begin());
  }
  address.port = in.U16("a port");
  if (in.Ok() && address.port == 0) {
    in.Refuse("an address with port 0");
  }
  return address;
}

std::vector<PeerAddress> ReadAddresses(FieldReader& in) {
  uint8_t count = in.U8("the address count");
  if (in.Ok() && count > MaxLocalAddresses) {
    in.Refuse(std::to_string(count) + " addresses, more than " + std::to_string(MaxLocalAddresses));
  }
  std::vector<PeerAddress> addresses;
  for (int i = 0; i < count && in.Ok(); ++i) {
    addresses.push_back(ReadAddress(in));
  }
  return addresses;
}

GameVersions ReadVersions(FieldReader& in) {
  GameVersions versions;
  versions.lobbyVersion = in.U16("the lobby protocol version");
  versions.protocolVersion = in.U16("the online protocol version");
  versions.logicVersion = in.U16("the game logic version");
  return versions;
}

SessionToken ReadToken(FieldReader& in) {
  SessionToken token{};
  const uint8_t* bytes = in.Take(token.size(), "the token");
  if (bytes != nullptr) {
    std::copy(bytes, bytes + token.size(), token.begin());
  }
  return token;
}

std::string ReadCode(FieldReader& in) {
  const uint8_t* bytes = in.Take(RoomCodeLength, "the room code");
  if (bytes == nullptr) {
    return {};
  }
  std::string code(reinterpret_cast<const char*>(bytes), RoomCodeLength);
  if (!IsCanonicalRoomCode(code)) {
    in.Refuse("a room code with a character outside the alphabet");
  }
  return code;
}

std::vector<uint8_t> ReadPayload(FieldReader& in) {
  size_t size = in.Left();
  if (in.Ok() && (size == 0 || size > MaxRelayedBytes)) {
    in.Refuse("a relayed message of " + std::to_string(size) + " bytes");
    return {};
  }
  const uint8_t* bytes = in.Take(size, "the relayed message");
  return bytes != nullptr ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>();
}

LobbyMessage ReadOpenRoom(FieldReader& in) {
  OpenRoomMessage open;
  open.versions = ReadVersions(in);
  open.local = ReadAddresses(in);
  return open;
}

LobbyMessage ReadJoinRoom(FieldReader& in) {
  JoinRoomMessage join;
  join.versions = ReadVersions(in);
  join.code = ReadCode(in);
  join.local = ReadAddresses(in);
  return join;
}

LobbyMessage ReadAskRelay(FieldReader& in) {
  return AskRelayMessage{ReadToken(in)};
}

LobbyMessage ReadPathChosen(FieldReader& in) {
  PathChosenMessage chosen;
  chosen.token = ReadToken(in);
  chosen.path = ReadEnum(in, "path", PathKind::Local, PathKind::Public);
  return chosen;
}

LobbyMessage ReadRelay(FieldReader& in) {
  RelayMessage relay;
  relay.token = ReadToken(in);
  relay.reliable = ReadFlag(in, "reliable flag");
  relay.payload = ReadPayload(in);
  return relay;
}

LobbyMessage ReadRoomOpened(FieldReader& in) {
  RoomOpenedMessage opened;
  opened.code = ReadCode(in);
  opened.seconds = in.U16("the seconds");
  return opened;
}

LobbyMessage ReadMatched(FieldReader& in) {
  MatchedMessage matched;
  matched.token = ReadToken(in);
  matched.role = ReadEnum(in, "role", PeerRole::Host, PeerRole::Guest);
  matched.peerPublic = ReadAddress(in);
  matched.peerLocal = ReadAddresses(in);
  return matched;
}

LobbyMessage ReadRelayReady(FieldReader&) {
  return RelayReadyMessage{};
}

LobbyMessage ReadRelayed(FieldReader& in) {
  RelayedMessage relayed;
  relayed.reliable = ReadFlag(in, "reliable flag");
  relayed.payload = ReadPayload(in);
  return relayed;
}

LobbyMessage ReadPeerGone(FieldReader& in) {
  return PeerGoneMessage{ReadEnum(in, "reason", PeerGoneReason::Left, PeerGoneReason::Expired)};
}

LobbyMessage ReadLobbyRefuse(FieldReader& in) {
  LobbyRefuseMessage refuse;
  refuse.reason =
      ReadEnum(in, "reason", LobbyRefuseReason::LobbyVersion, LobbyRefuseReason::BadRequest);
  refuse.versions = ReadVersions(in);
  return refuse;
}

using FieldsReader = LobbyMessage (*)(FieldReader&);

// The reader of each type, or nullptr for a number no type has.
FieldsReader ReaderOf(LobbyMessageType type) {
  switch (type) {
    case LobbyMessageType::OpenRoom:
      return ReadOpenRoom;
    case LobbyMessageType::JoinRoom:
      return ReadJoinRoom;
    case LobbyMessageType::AskRelay:
      return ReadAskRelay;
    case LobbyMessageType::PathChosen:
      return ReadPathChosen;
    case LobbyMessageType::Relay:
      return ReadRelay;
    case LobbyMessageType::RoomOpened:
      return ReadRoomOpened;
    case LobbyMessageType::Matched:
      return ReadMatched;
    case LobbyMessageType::RelayReady:
      return ReadRelayReady;
    case LobbyMessageType::Relayed:
      return ReadRelayed;
    case LobbyMessageType::PeerGone:
      return ReadPeerGone;
    case LobbyMessageType::LobbyRefuse:
      return ReadLobbyRefuse;
  }
  return nullptr;
}

constexpr LobbyMessageType TypeNumbers[] = {
    LobbyMessageType::OpenRoom,   LobbyMessageType::JoinRoom,   LobbyMessageType::AskRelay,
    LobbyMessageType::PathChosen, LobbyMessageType::Relay,      LobbyMessageType::RoomOpened,
    LobbyMessageType::Matched,    LobbyMessageType::RelayReady, LobbyMessageType::Relayed,
    LobbyMessageType::PeerGone,   LobbyMessageType::LobbyRefuse};
static_assert(std::size(TypeNumbers) == std::variant_size_v<LobbyMessage>);

}  // namespace

std::string AddressText(const PeerAddress& address) {
  return std::to_string(address.ip[0]) + "." + std::to_string(address.ip[1]) + "." +
         std::to_string(address.ip[2]) + "." + std::to_string(address.ip[3]) + ":" +
         std::to_string(address.port);
}

uint32_t ConnectTag(const SessionToken& token) {
  return static_cast<uint32_t>(token[0]) | static_cast<uint32_t>(token[1]) << 8 |
         static_cast<uint32_t>(token[2]) << 16 | static_cast<uint32_t>(token[3]) << 24;
}

LobbyMessageType TypeOf(const LobbyMessage& message) {
  return TypeNumbers[message.index()];
}

std::string_view LobbyMessageTypeName(LobbyMessageType type) {
  switch (type) {
    case LobbyMessageType::OpenRoom:
      return "open room";
    case LobbyMessageType::JoinRoom:
      return "join room";
    case LobbyMessageType::AskRelay:
      return "ask relay";
    case LobbyMessageType::PathChosen:
      return "path chosen";
    case LobbyMessageType::Relay:
      return "relay";
    case LobbyMessageType::RoomOpened:
      return "room opened";
    case LobbyMessageType::Matched:
      return "matched";
    case LobbyMessageType::RelayReady:
      return "relay ready";
    case LobbyMessageType::Relayed:
      return "relayed";
    case LobbyMessageType::PeerGone:
      return "peer gone";
    case LobbyMessageType::LobbyRefuse:
      return "lobby refuse";
  }
  return "unknown";
}

bool IsReliable(const LobbyMessage& message) {
  if (const auto* relay = std::get_if<RelayMessage>(&message)) {
    return relay->reliable;
  }
  if (const auto* relayed = std::get_if<RelayedMessage>(&message)) {
    return relayed->reliable;
  }
  return true;
}

std::vector<uint8_t> EncodeLobbyMessage(const LobbyMessage& message) {
  ByteWriter out;
  out.U8(static_cast<uint8_t>(TypeOf(message)));
  std::visit([&out](const auto& fields) { Write(out, fields); }, message);
  return std::move(out.Buffer());
}

bool DecodeLobbyMessage(const uint8_t* data, size_t size, LobbyMessage& message,
                        std::string& error) {
  if (size > MaxLobbyMessageBytes) {
    error = "a packet of " + std::to_string(size) + " bytes, more than any lobby message";
    return false;
  }
  if (size == 0) {
    error = "an empty packet";
    return false;
  }
  auto type = static_cast<LobbyMessageType>(data[0]);
  FieldsReader read = ReaderOf(type);
  if (read == nullptr) {
    error = "a packet of unknown lobby message type " + std::to_string(data[0]);
    return false;
  }
  FieldReader in(data + 1, size - 1, LobbyMessageTypeName(type));
  LobbyMessage fields = read(in);
  in.RequireEnd();
  if (!in.Ok()) {
    error = in.Error();
    return false;
  }
  message = std::move(fields);
  return true;
}

bool IsPathDatagram(const uint8_t* data, size_t size) {
  return size >= DatagramPrefix.size() &&
         std::equal(DatagramPrefix.begin(), DatagramPrefix.end(), data);
}

std::vector<uint8_t> EncodePathDatagram(const PathDatagram& datagram) {
  ByteWriter out;
  out.Bytes(DatagramPrefix.data(), DatagramPrefix.size());
  out.U8(DatagramVersion);
  out.U8(static_cast<uint8_t>(datagram.kind));
  if (datagram.kind == DatagramKind::Cookie) {
    out.U32(datagram.cookie);
  } else {
    WriteToken(out, datagram.token);
    out.U8(static_cast<uint8_t>(datagram.from));
    out.U8(datagram.candidate);
  }
  return std::move(out.Buffer());
}

bool DecodePathDatagram(const uint8_t* data, size_t size, PathDatagram& datagram,
                        std::string& error) {
  if (!IsPathDatagram(data, size)) {
    error = "a datagram without the path prefix";
    return false;
  }
  FieldReader in(data + DatagramPrefix.size(), size - DatagramPrefix.size(), "path datagram");
  uint8_t version = in.U8("the version");
  if (in.Ok() && version != DatagramVersion) {
    in.Refuse("version " + std::to_string(version));
  }
  PathDatagram read;
  read.kind = ReadEnum(in, "kind", DatagramKind::Cookie, DatagramKind::Answer);
  if (in.Ok() && read.kind == DatagramKind::Cookie) {
    read.cookie = in.U32("the cookie");
  } else if (in.Ok()) {
    read.token = ReadToken(in);
    read.from = ReadEnum(in, "role", PeerRole::Host, PeerRole::Guest);
    read.candidate = in.U8("the candidate");
    if (in.Ok() && read.candidate >= MaxLocalAddresses + 1) {
      in.Refuse("candidate " + std::to_string(read.candidate));
    }
  }
  in.RequireEnd();
  if (!in.Ok()) {
    error = in.Error();
    return false;
  }
  datagram = read;
  return true;
}
