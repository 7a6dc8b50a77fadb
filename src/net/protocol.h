// The messages two online peers exchange, each one packet: a type byte, then its fields,
// little-endian. The reader checks every length against the bytes present and refuses anything
// malformed or oversized with one line saying why; nothing it refuses reaches the game.
// Hello and Refuse keep their layout in every protocol version, so that two programs that
// cannot play together can always tell each other why.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "net/net_limits.h"

constexpr uint16_t OnlineProtocolVersion = 1;

constexpr uint8_t InputMaskBits = 0x1F;  // one bit per action, Action's order
constexpr int MaxInputsPerPacket = 32;   // the sender's last frames, resent in every packet
constexpr size_t MaxStartDocumentBytes = 65536;
constexpr size_t MaxMessageBytes = MaxStartDocumentBytes + 16;
constexpr int32_t NoFrame = -1;  // "none yet" for an acknowledgement

enum class MessageType : uint8_t {
  Hello = 1,
  Welcome = 2,
  Refuse = 3,
  Inputs = 4,
  StateHash = 5,
  Rematch = 6,
  Bye = 7,
};

// Guest to host, first thing on a new connection.
struct HelloMessage {
  uint16_t protocolVersion = OnlineProtocolVersion;
  uint16_t logicVersion = 0;
  bool operator==(const HelloMessage&) const = default;
};

enum class StartKind : uint8_t { Seed = 0, StateDocument = 1 };

// Host to guest: the match is on, from this starting point.
struct WelcomeMessage {
  uint8_t inputDelay = 0;  // 0..MaxInputDelay
  StartKind start = StartKind::Seed;
  uint32_t seed = 0;          // StartKind::Seed
  std::string stateDocument;  // StartKind::StateDocument: the whole state with the generator
  bool operator==(const WelcomeMessage&) const = default;
};

enum class RefuseReason : uint8_t { ProtocolVersion = 1, LogicVersion = 2, Busy = 3 };

// Either way: no match, and the refusing side's own versions so both can say why.
struct RefuseMessage {
  RefuseReason reason = RefuseReason::Busy;
  uint16_t protocolVersion = OnlineProtocolVersion;
  uint16_t logicVersion = 0;
  bool operator==(const RefuseMessage&) const = default;
};

// The sender's action masks for frames firstFrame.. (at most MaxInputsPerPacket), the receiver's
// last frame it holds for sure, and the frame it is running now (for pacing).
struct InputsMessage {
  int32_t firstFrame = 0;
  std::vector<uint8_t> masks;
  int32_t lastConfirmedFrame = NoFrame;
  int32_t currentFrame = 0;
  bool operator==(const InputsMessage&) const = default;
};

// The hash of the sender's state after a frame both sides hold all keys of.
struct StateHashMessage {
  int32_t frame = 0;
  uint64_t hash = 0;
  bool operator==(const StateHashMessage&) const = default;
};

struct RematchMessage {
  bool accept = false;  // false: an offer
  bool operator==(const RematchMessage&) const = default;
};

enum class ByeReason : uint8_t { Quit = 1, Desync = 2, Result = 3 };

struct ByeMessage {
  ByeReason reason = ByeReason::Quit;
  bool operator==(const ByeMessage&) const = default;
};

using Message = std::variant<HelloMessage, WelcomeMessage, RefuseMessage, InputsMessage,
                             StateHashMessage, RematchMessage, ByeMessage>;

MessageType TypeOf(const Message& message);
// "hello", "welcome", ... for logs and complaints.
std::string_view MessageTypeName(MessageType type);
// Whether the message must arrive (handshake, rematch, bye) or may be lost (inputs, hashes,
// which are resent or superseded).
bool IsReliable(MessageType type);

// The caller keeps every field within the bounds above; the reader refuses what is not.
std::vector<uint8_t> EncodeMessage(const Message& message);
// On refusal `message` is left as it was and `error` holds one line.
bool DecodeMessage(const uint8_t* data, size_t size, Message& message, std::string& error);
