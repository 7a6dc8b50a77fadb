// The handshake's decisions, apart from any connection: the host answers a guest's Hello with a
// Welcome or a Refuse, the guest reads that answer, and each side says in one line why a match
// was refused.
#pragma once
#include <cstdint>
#include <string>

#include "net/protocol.h"

struct ProgramVersions {
  uint16_t protocol = 0;
  uint16_t logic = 0;
};

// This program's online protocol and game logic versions.
ProgramVersions ThisProgramVersions();

HelloMessage MakeHello(const ProgramVersions& own);

struct HostDecision {
  bool accepted = false;
  Message answer;    // the Welcome, or a Refuse naming the first difference
  std::string line;  // on refusal, what the host prints
};
HostDecision AnswerHello(const HelloMessage& hello, const WelcomeMessage& welcome,
                         const ProgramVersions& own);

// What the host answers a second guest while it has an opponent.
RefuseMessage BusyRefusal(const ProgramVersions& own);

struct GuestDecision {
  bool accepted = false;
  WelcomeMessage welcome;  // when accepted
  std::string line;        // on refusal, what the guest prints
};
// A state document to start from is checked here: it must read as a whole state with the
// random generator's.
GuestDecision ReadHostAnswer(const Message& answer, const ProgramVersions& own);
