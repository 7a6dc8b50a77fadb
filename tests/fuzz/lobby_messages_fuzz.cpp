// Fuzz target: what the lobby reads from the network, and the rooms it drives. The input is read
// whole as a lobby message, a path datagram and a datagram at the lobby's gate: a refusal must
// leave the message as it was and explain itself in one line, an accepted one must encode back to
// the same bytes, and the gate may answer only a CONNECT, never with more bytes than it holds.
// Then the input is a script for the rooms, records of an op byte, a length byte and the bytes:
// op & 7 is one of eight connections; (op >> 3) & 3 is what happens: 0 a packet from it, 1 it
// leaves (silent if op & 0x20) and a new connection takes its place, 2 time passes (the length
// in seconds), 3 a packet whose code or token is replaced by the last one the lobby handed out,
// so that scripts reach matched and relayed rooms. Whatever happens, every message the rooms
// send goes to a connection that is there and reads back as sent, the limits hold, and once
// every connection is gone nothing is left.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "datagram_gate.h"
#include "fuzz_check.h"
#include "net/enet_datagram.h"
#include "net/lobby_protocol.h"
#include "rooms.h"

namespace {

using namespace std::chrono_literals;

template <class Message, class Decode>
void ReadWhole(const uint8_t* data, size_t size, const Message& untouched, Decode decode,
               std::vector<uint8_t> (*encode)(const Message&)) {
  Message message = untouched;
  std::string error;
  if (!decode(data, size, message, error)) {
    FUZZ_REQUIRE(!error.empty() && error.find_first_of("\r\n") == std::string::npos);
    FUZZ_REQUIRE(message == untouched);
    return;
  }
  FUZZ_REQUIRE(encode(message) == std::vector<uint8_t>(data, data + size));
}

void JudgeAtTheGate(const uint8_t* data, size_t size) {
  static const AdmissionCookies cookies(SipHashKey{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
  const PeerAddress from{{203, 0, 113, 9}, 51000};
  const uint32_t bucket = 1000;
  const GateVerdict verdict = JudgeDatagram(data, size, from, cookies, bucket);
  uint32_t connectData = 0;
  const bool connect = ReadConnectAttempt(data, size, connectData);
  const bool answered =
      verdict == GateVerdict::AskForCookie || verdict == GateVerdict::RefreshCookie;
  FUZZ_REQUIRE(!answered || connect);
  FUZZ_REQUIRE(!answered || size >= EncodePathDatagram(PathDatagram{DatagramKind::Cookie}).size());
  FUZZ_REQUIRE(verdict != GateVerdict::Admit ||
               (connect && cookies.Accepts(connectData, from, bucket)));
  FUZZ_REQUIRE((verdict == GateVerdict::DropPath) == IsPathDatagram(data, size));
}

constexpr int Connections = 8;

class RoomsScript {
 public:
  RoomsScript()
      : rooms_(Rules(), AddressRules{3, 5, 2}, [this](std::span<uint8_t> out) {
          for (uint8_t& byte : out) {
            seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
            byte = static_cast<uint8_t>(seed_ >> 56);
          }
        }) {
    for (int i = 0; i < Connections; ++i) {
      Reconnect(i);
    }
  }

  void Step(uint8_t op, const uint8_t* bytes, size_t size) {
    const int slot = op & 7;
    RoomEffects out;
    switch ((op >> 3) & 3) {
      case 0:
      case 3:
        Packet(slot, bytes, size, ((op >> 3) & 3) == 3, out);
        break;
      case 1:
        rooms_.Disconnected(ids_[slot], (op & 0x20) != 0, now_, out);
        Reconnect(slot);
        break;
      case 2:
        now_ += std::chrono::seconds(size);
        rooms_.Expire(now_, out);
        break;
    }
    CheckMessages(out);
    FUZZ_REQUIRE(rooms_.RoomCount() <= 4);
    FUZZ_REQUIRE(rooms_.RelayCount() >= 0 && rooms_.RelayCount() <= 1);
    FUZZ_REQUIRE(rooms_.AddressCount() <= 2);
    FUZZ_REQUIRE(rooms_.MemberCount() == Connections);
  }

  void End() {
    for (int i = 0; i < Connections; ++i) {
      RoomEffects out;
      rooms_.Disconnected(ids_[i], false, now_, out);
      ids_[i] = 0;
      CheckMessages(out);
    }
    FUZZ_REQUIRE(rooms_.RoomCount() == 0 && rooms_.MemberCount() == 0 && rooms_.RelayCount() == 0);
  }

 private:
  static RoomRules Rules() {
    RoomRules rules;
    rules.maxRooms = 4;
    rules.maxRelays = 1;
    rules.roomMinutes = 1;
    rules.relayMinutes = 1;
    rules.relayMegabytes = 1;
    rules.relayPacketsPerSecond = 5;
    return rules;
  }

  void Reconnect(int slot) {
    ids_[slot] = rooms_.Connect(
        PeerAddress{{10, 0, 0, static_cast<uint8_t>(slot & 3)}, static_cast<uint16_t>(1000 + slot)},
        now_);
  }

  void Packet(int slot, const uint8_t* bytes, size_t size, bool fillIn, RoomEffects& out) {
    LobbyMessage message;
    std::string error;
    if (!DecodeLobbyMessage(bytes, size, message, error)) {
      rooms_.Unreadable(ids_[slot], now_, out);
      return;
    }
    if (fillIn) {
      if (auto* join = std::get_if<JoinRoomMessage>(&message)) {
        join->code = lastCode_;
      } else if (auto* ask = std::get_if<AskRelayMessage>(&message)) {
        ask->token = tokens_[slot];
      } else if (auto* chosen = std::get_if<PathChosenMessage>(&message)) {
        chosen->token = tokens_[slot];
      } else if (auto* relay = std::get_if<RelayMessage>(&message)) {
        relay->token = tokens_[slot];
      }
    }
    rooms_.Receive(ids_[slot], std::move(message), now_, out);
    for (const RoomEffects::Outgoing& outgoing : out.messages) {
      FUZZ_REQUIRE(outgoing.to != ids_[slot] ||
                   !std::holds_alternative<RelayedMessage>(outgoing.message));
    }
  }

  // Each message to a connection that is there, reading back as sent; each log line one line.
  void CheckMessages(const RoomEffects& out) {
    for (const RoomEffects::Outgoing& outgoing : out.messages) {
      int slot = 0;
      while (slot < Connections && ids_[slot] != outgoing.to) {
        ++slot;
      }
      FUZZ_REQUIRE(slot < Connections);
      const std::vector<uint8_t> bytes = EncodeLobbyMessage(outgoing.message);
      LobbyMessage again;
      std::string error;
      FUZZ_REQUIRE(DecodeLobbyMessage(bytes.data(), bytes.size(), again, error));
      FUZZ_REQUIRE(again == outgoing.message);
      if (const auto* opened = std::get_if<RoomOpenedMessage>(&outgoing.message)) {
        lastCode_ = opened->code;
      } else if (const auto* matched = std::get_if<MatchedMessage>(&outgoing.message)) {
        tokens_[slot] = matched->token;
      }
    }
    for (const std::string& line : out.log) {
      FUZZ_REQUIRE(!line.empty() && line.find_first_of("\r\n") == std::string::npos);
    }
  }

  uint64_t seed_ = 7;
  std::chrono::steady_clock::time_point now_ = std::chrono::steady_clock::time_point{} + 1h;
  Rooms rooms_;
  std::array<MemberId, Connections> ids_{};
  std::array<SessionToken, Connections> tokens_{};
  std::string lastCode_ = "000000";
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadWhole<LobbyMessage>(data, size, PeerGoneMessage{PeerGoneReason::Expired}, DecodeLobbyMessage,
                          EncodeLobbyMessage);
  ReadWhole<PathDatagram>(data, size, PathDatagram{DatagramKind::Answer, 9}, DecodePathDatagram,
                          EncodePathDatagram);
  JudgeAtTheGate(data, size);

  RoomsScript script;
  for (size_t at = 0; at + 1 < size;) {
    const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
    script.Step(data[at], data + at + 2, length);
    at += 2 + length;
  }
  script.End();
  return 0;
}
