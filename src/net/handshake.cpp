#include "net/handshake.h"

#include "replay/versions.h"
#include "state/json_text.h"
#include "state/state_document.h"

namespace {

std::string Number(uint16_t value) {
  return std::to_string(value);
}

std::string ProtocolLine(uint16_t theirs, uint16_t ours) {
  return "match refused: the opponent speaks online protocol version " + Number(theirs) +
         ", this program speaks version " + Number(ours);
}

std::string LogicLine(uint16_t theirs, uint16_t ours) {
  return "match refused: the opponent runs game logic version " + Number(theirs) +
         ", this program plays version " + Number(ours);
}

// Empty when the document can start a match, else what is wrong with it.
std::string StartDocumentProblem(const std::string& text) {
  Json document;
  try {
    document = Json::parse(text);
  } catch (const Json::exception&) {
    return "is not valid JSON";
  }
  GameState state;
  RandomState random;
  std::string error;
  if (!ReadParsedStateDocument(document, state, random, error)) {
    return error;
  }
  if (!document.contains("random")) {
    return "lacks the random generator";
  }
  return "";
}

}  // namespace

ProgramVersions ThisProgramVersions() {
  return {OnlineProtocolVersion, GameLogicVersion};
}

HelloMessage MakeHello(const ProgramVersions& own) {
  return {own.protocol, own.logic};
}

HostDecision AnswerHello(const HelloMessage& hello, const WelcomeMessage& welcome,
                         const ProgramVersions& own) {
  // The protocol first: under another protocol the logic version may mean something else.
  if (hello.protocolVersion != own.protocol) {
    return {false, RefuseMessage{RefuseReason::ProtocolVersion, own.protocol, own.logic},
            ProtocolLine(hello.protocolVersion, own.protocol)};
  }
  if (hello.logicVersion != own.logic) {
    return {false, RefuseMessage{RefuseReason::LogicVersion, own.protocol, own.logic},
            LogicLine(hello.logicVersion, own.logic)};
  }
  return {true, welcome, ""};
}

RefuseMessage BusyRefusal(const ProgramVersions& own) {
  return {RefuseReason::Busy, own.protocol, own.logic};
}

GuestDecision ReadHostAnswer(const Message& answer, const ProgramVersions& own) {
  if (const auto* refuse = std::get_if<RefuseMessage>(&answer)) {
    switch (refuse->reason) {
      case RefuseReason::ProtocolVersion:
        return {false, {}, ProtocolLine(refuse->protocolVersion, own.protocol)};
      case RefuseReason::LogicVersion:
        return {false, {}, LogicLine(refuse->logicVersion, own.logic)};
      case RefuseReason::Busy:
        return {false, {}, "match refused: the host is already playing another opponent"};
    }
  }
  const auto* welcome = std::get_if<WelcomeMessage>(&answer);
  if (welcome == nullptr) {
    return {false,
            {},
            "the host answered with a " + std::string(MessageTypeName(TypeOf(answer))) +
                " message instead of a welcome"};
  }
  if (welcome->start == StartKind::StateDocument) {
    std::string problem = StartDocumentProblem(welcome->stateDocument);
    if (!problem.empty()) {
      return {false, {}, "the host's starting state cannot be played: " + problem};
    }
  }
  return {true, *welcome, ""};
}
