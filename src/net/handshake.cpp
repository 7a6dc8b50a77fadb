#include "net/handshake.h"

#include "replay/versions.h"
#include "services/formatted.h"
#include "services/texts.h"
#include "state/json_text.h"
#include "state/state_document.h"

namespace {

std::string ProtocolLine(uint16_t theirs, uint16_t ours) {
  return Formatted(Tr("match refused: the opponent speaks online protocol version %d, this program "
                      "speaks version %d"),
                   theirs, ours);
}

std::string LogicLine(uint16_t theirs, uint16_t ours) {
  return Formatted(Tr("match refused: the opponent runs game logic version %d, this program plays "
                      "version %d"),
                   theirs, ours);
}

// Empty when the document can start a match, else what is wrong with it.
std::string StartDocumentProblem(const std::string& text) {
  Json document;
  try {
    document = Json::parse(text);
  } catch (const Json::exception&) {
    return Tr("is not valid JSON");
  }
  GameState state;
  RandomState random;
  std::string error;
  if (!ReadParsedStateDocument(document, state, random, error)) {
    return error;
  }
  if (!document.contains("random")) {
    return Tr("lacks the random generator");
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
        return {false, {}, Tr("match refused: the host is already playing another opponent")};
    }
  }
  const auto* welcome = std::get_if<WelcomeMessage>(&answer);
  if (welcome == nullptr) {
    const std::string type(MessageTypeName(TypeOf(answer)));
    return {
        false,
        {},
        Formatted(Tr("the host answered with a %s message instead of a welcome"), type.c_str())};
  }
  if (welcome->start == StartKind::StateDocument) {
    std::string problem = StartDocumentProblem(welcome->stateDocument);
    if (!problem.empty()) {
      return {false,
              {},
              Formatted(Tr("the host's starting state cannot be played: %s"), problem.c_str())};
    }
  }
  return {true, *welcome, ""};
}
