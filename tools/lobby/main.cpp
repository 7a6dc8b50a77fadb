// astorine-lobby: reads the command line, listens, and serves until SIGTERM or SIGINT.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "lobby_log.h"
#include "lobby_options.h"
#include "lobby_server.h"
#include "program/version.h"

namespace {

volatile std::sig_atomic_t StopAsked = 0;
volatile std::sig_atomic_t CountsAsked = 0;

void AskStop(int) {
  StopAsked = 1;
}
void AskCounts(int) {
  CountsAsked = 1;
}

void Catch(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

// The longest wait for traffic: how late a signal or an expiry may be noticed.
constexpr int TurnMs = 100;

}  // namespace

int main(int argc, char** argv) {
  const ParsedLobbyCommand parsed =
      ParseLobbyCommand(std::vector<std::string>(argv + 1, argv + argc));
  switch (parsed.command) {
    case LobbyCommand::Help:
      std::fputs(LobbyUsage, stdout);
      return 0;
    case LobbyCommand::Version:
      std::printf("astorine-lobby %s\n", AstorineVersion);
      return 0;
    case LobbyCommand::Bad:
      std::fprintf(stderr, "astorine-lobby: %s\n%s", parsed.error.c_str(), LobbyUsage);
      return 2;
    case LobbyCommand::Run:
      break;
  }
  LobbyLog log(stderr);
  std::string error;
  std::unique_ptr<LobbyServer> server = LobbyServer::Start(parsed.options, log, error);
  if (server == nullptr) {
    std::fprintf(stderr, "astorine-lobby: %s\n", error.c_str());
    return 1;
  }
  Catch(SIGTERM, AskStop);
  Catch(SIGINT, AskStop);
  Catch(SIGUSR1, AskCounts);
  log.Write(std::string("astorine-lobby ") + AstorineVersion + " listening on UDP " +
            parsed.options.address + ":" + std::to_string(server->Port()));
  while (StopAsked == 0) {
    server->Serve(TurnMs);
    if (CountsAsked != 0) {
      CountsAsked = 0;
      log.Write("counts: " + server->CountsText());
    }
  }
  log.Write("astorine-lobby stopped: " + server->CountsText());
  return 0;
}
