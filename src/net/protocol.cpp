// The messages' layout, byte by byte as docs/online.md describes it.
#include "net/protocol.h"

#include <limits>
#include <type_traits>

#include "net/field_reader.h"
#include "replay/byte_stream.h"

namespace {

constexpr int32_t LastFrame = std::numeric_limits<int32_t>::max();

// A frame number: 0..2^31-1, or NoFrame where `noneAllowed`.
int32_t ReadFrame(FieldReader& in, const char* field, bool noneAllowed = false) {
  uint32_t raw = in.U32(field);
  int32_t frame = static_cast<int32_t>(raw);
  if (in.Ok() && frame < 0 && !(noneAllowed && frame == NoFrame)) {
    in.Refuse(std::string(field) + " " + std::to_string(raw) + " is no frame number");
  }
  return frame;
}

void Write(ByteWriter& out, const HelloMessage& hello) {
  out.U16(hello.protocolVersion);
  out.U16(hello.logicVersion);
}

void Write(ByteWriter& out, const WelcomeMessage& welcome) {
  out.U8(welcome.inputDelay);
  out.U8(static_cast<uint8_t>(welcome.start));
  if (welcome.start == StartKind::Seed) {
    out.U32(welcome.seed);
    return;
  }
  out.U32(static_cast<uint32_t>(welcome.stateDocument.size()));
  out.Bytes(welcome.stateDocument.data(), welcome.stateDocument.size());
}

void Write(ByteWriter& out, const RefuseMessage& refuse) {
  out.U8(static_cast<uint8_t>(refuse.reason));
  out.U16(refuse.protocolVersion);
  out.U16(refuse.logicVersion);
}

void Write(ByteWriter& out, const InputsMessage& inputs) {
  out.U32(static_cast<uint32_t>(inputs.firstFrame));
  out.U8(static_cast<uint8_t>(inputs.masks.size()));
  out.Bytes(inputs.masks.data(), inputs.masks.size());
  out.U32(static_cast<uint32_t>(inputs.lastConfirmedFrame));
  out.U32(static_cast<uint32_t>(inputs.currentFrame));
}

void Write(ByteWriter& out, const StateHashMessage& hash) {
  out.U32(static_cast<uint32_t>(hash.frame));
  out.U64(hash.hash);
}

void Write(ByteWriter& out, const RematchMessage& rematch) {
  out.U8(rematch.accept ? 1 : 0);
}

void Write(ByteWriter& out, const ByeMessage& bye) {
  out.U8(static_cast<uint8_t>(bye.reason));
}

HelloMessage ReadHello(FieldReader& in) {
  HelloMessage hello;
  hello.protocolVersion = in.U16("the protocol version");
  hello.logicVersion = in.U16("the game logic version");
  return hello;
}

WelcomeMessage ReadWelcome(FieldReader& in) {
  WelcomeMessage welcome;
  welcome.inputDelay = in.U8("the input delay");
  if (in.Ok() && welcome.inputDelay > MaxInputDelay) {
    in.Refuse("an input delay of " + std::to_string(welcome.inputDelay) + " frames");
  }
  uint8_t start = in.U8("the starting point's kind");
  if (!in.Ok()) {
    return welcome;
  }
  if (start == static_cast<uint8_t>(StartKind::Seed)) {
    welcome.seed = in.U32("the seed");
    return welcome;
  }
  if (start != static_cast<uint8_t>(StartKind::StateDocument)) {
    in.Refuse("unknown starting point kind " + std::to_string(start));
    return welcome;
  }
  welcome.start = StartKind::StateDocument;
  uint32_t length = in.U32("the state document's length");
  if (in.Ok() && length > MaxStartDocumentBytes) {
    in.Refuse("a state document of " + std::to_string(length) + " bytes");
    return welcome;
  }
  const uint8_t* text = in.Take(length, "the state document");
  if (text != nullptr) {
    welcome.stateDocument.assign(reinterpret_cast<const char*>(text), length);
  }
  return welcome;
}

RefuseMessage ReadRefuse(FieldReader& in) {
  RefuseMessage refuse;
  uint8_t reason = in.U8("the reason");
  if (in.Ok() && (reason < static_cast<uint8_t>(RefuseReason::ProtocolVersion) ||
                  reason > static_cast<uint8_t>(RefuseReason::Busy))) {
    in.Refuse("unknown reason " + std::to_string(reason));
  }
  refuse.reason = static_cast<RefuseReason>(reason);
  refuse.protocolVersion = in.U16("the protocol version");
  refuse.logicVersion = in.U16("the game logic version");
  return refuse;
}

InputsMessage ReadInputs(FieldReader& in) {
  InputsMessage inputs;
  inputs.firstFrame = ReadFrame(in, "the first frame");
  uint8_t count = in.U8("the mask count");
  if (in.Ok() && count > MaxInputsPerPacket) {
    in.Refuse(std::to_string(count) + " masks, more than " + std::to_string(MaxInputsPerPacket));
  }
  if (in.Ok() && count > 0 && inputs.firstFrame > LastFrame - (count - 1)) {
    in.Refuse("frames past the last frame number");
  }
  const uint8_t* masks = in.Take(count, "the masks");
  if (masks != nullptr) {
    inputs.masks.assign(masks, masks + count);
    for (uint8_t mask : inputs.masks) {
      if ((mask & ~InputMaskBits) != 0) {
        in.Refuse("a mask with unused bits set: " + std::to_string(mask));
        break;
      }
    }
  }
  inputs.lastConfirmedFrame = ReadFrame(in, "the last confirmed frame", true);
  inputs.currentFrame = ReadFrame(in, "the current frame");
  return inputs;
}

StateHashMessage ReadStateHash(FieldReader& in) {
  StateHashMessage hash;
  hash.frame = ReadFrame(in, "the frame");
  hash.hash = in.U64("the hash");
  return hash;
}

RematchMessage ReadRematch(FieldReader& in) {
  uint8_t accept = in.U8("the answer");
  if (in.Ok() && accept > 1) {
    in.Refuse("unknown answer " + std::to_string(accept));
  }
  return RematchMessage{accept == 1};
}

ByeMessage ReadBye(FieldReader& in) {
  uint8_t reason = in.U8("the reason");
  if (in.Ok() && (reason < static_cast<uint8_t>(ByeReason::Quit) ||
                  reason > static_cast<uint8_t>(ByeReason::Result))) {
    in.Refuse("unknown reason " + std::to_string(reason));
  }
  return ByeMessage{static_cast<ByeReason>(reason)};
}

template <class Fields>
Message ReadFields(FieldReader& in, Fields read) {
  Message message = read(in);
  in.RequireEnd();
  return message;
}

}  // namespace

MessageType TypeOf(const Message& message) {
  // Message lists the structs in the order of their type numbers, from 1.
  static_assert(std::is_same_v<std::variant_alternative_t<0, Message>, HelloMessage> &&
                std::is_same_v<std::variant_alternative_t<6, Message>, ByeMessage> &&
                std::variant_size_v<Message> == static_cast<size_t>(MessageType::Bye));
  return static_cast<MessageType>(message.index() + 1);
}

std::string_view MessageTypeName(MessageType type) {
  switch (type) {
    case MessageType::Hello:
      return "hello";
    case MessageType::Welcome:
      return "welcome";
    case MessageType::Refuse:
      return "refuse";
    case MessageType::Inputs:
      return "inputs";
    case MessageType::StateHash:
      return "state hash";
    case MessageType::Rematch:
      return "rematch";
    case MessageType::Bye:
      return "bye";
  }
  return "unknown";
}

bool IsReliable(MessageType type) {
  return type != MessageType::Inputs && type != MessageType::StateHash;
}

std::vector<uint8_t> EncodeMessage(const Message& message) {
  ByteWriter out;
  out.U8(static_cast<uint8_t>(TypeOf(message)));
  std::visit([&out](const auto& fields) { Write(out, fields); }, message);
  return std::move(out.Buffer());
}

bool DecodeMessage(const uint8_t* data, size_t size, Message& message, std::string& error) {
  if (size > MaxMessageBytes) {
    error = "a packet of " + std::to_string(size) + " bytes, more than any message";
    return false;
  }
  if (size == 0) {
    error = "an empty packet";
    return false;
  }
  auto type = static_cast<MessageType>(data[0]);
  FieldReader in(data + 1, size - 1, MessageTypeName(type));
  Message read;
  switch (type) {
    case MessageType::Hello:
      read = ReadFields(in, ReadHello);
      break;
    case MessageType::Welcome:
      read = ReadFields(in, ReadWelcome);
      break;
    case MessageType::Refuse:
      read = ReadFields(in, ReadRefuse);
      break;
    case MessageType::Inputs:
      read = ReadFields(in, ReadInputs);
      break;
    case MessageType::StateHash:
      read = ReadFields(in, ReadStateHash);
      break;
    case MessageType::Rematch:
      read = ReadFields(in, ReadRematch);
      break;
    case MessageType::Bye:
      read = ReadFields(in, ReadBye);
      break;
    default:
      error = "a packet of unknown type " + std::to_string(data[0]);
      return false;
  }
  if (!in.Ok()) {
    error = in.Error();
    return false;
  }
  message = std::move(read);
  return true;
}
