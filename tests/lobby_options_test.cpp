// The lobby's command line and the program's exit codes: help, version, a bad line, a port
// already taken, and a stop by signal.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "lobby_options.h"

namespace {

TEST(LobbyOptions, ValuesComeAfterASpaceOrAnEqualsSignAndBadOnesAreOneLine) {
  ParsedLobbyCommand parsed = ParseLobbyCommand(
      {"--address", "127.0.0.1", "--port=0", "--max-clients", "4095", "--relay-megabytes=4",
       "--joins-per-minute", "30", "--max-addresses", "100"});
  ASSERT_EQ(parsed.command, LobbyCommand::Run) << parsed.error;
  EXPECT_EQ(parsed.options.address, "127.0.0.1");
  EXPECT_EQ(parsed.options.port, 0);
  EXPECT_EQ(parsed.options.maxClients, 4095);
  EXPECT_EQ(parsed.options.rooms.relayMegabytes, 4);
  EXPECT_EQ(parsed.options.addresses.joinsPerMinute, 30);
  EXPECT_EQ(parsed.options.addresses.maxAddresses, 100);
  EXPECT_EQ(parsed.options.rooms.roomMinutes, 10);  // untouched: the default

  const std::vector<std::pair<std::vector<std::string>, std::string>> bad{
      {{"--prot", "7490"}, "unknown option --prot"},
      {{"--port"}, "--port needs a value"},
      {{"--port=-1"}, "--port takes a number from 0 to 65535, not '-1'"},
      {{"--max-clients", "4096"}, "--max-clients takes a number from 1 to 4095, not '4096'"},
      {{"--room-minutes", "11"}, "--room-minutes takes a number from 1 to 10, not '11'"},
      {{"--relay-packets", "12x"}, "--relay-packets takes a number from 1 to 10000, not '12x'"},
      {{"--address", "::1"}, "--address takes an IPv4 address such as 0.0.0.0, not '::1'"},
      {{"7490"}, "unexpected argument '7490'"},
  };
  for (const auto& [line, error] : bad) {
    parsed = ParseLobbyCommand(line);
    EXPECT_EQ(parsed.command, LobbyCommand::Bad);
    EXPECT_EQ(parsed.error, error);
  }
}

// Runs the program; its exit code and what it wrote on stdout and stderr.
struct LobbyRun {
  int status = -1;
  std::string out;
  std::string errors;
};

std::string FileText(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

LobbyRun RunLobby(const std::string& arguments) {
  const std::string base = ::testing::TempDir() + "lobby-" + std::to_string(getpid());
  const std::string command =
      std::string(ASTORINE_LOBBY) + " " + arguments + " > " + base + ".out 2> " + base + ".errors";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileText(base + ".out"),
          FileText(base + ".errors")};
}

TEST(LobbyProgram, ExitsZeroOnHelpTwoOnABadLineOneOnATakenPort) {
  LobbyRun run = RunLobby("--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("usage: astorine-lobby [OPTION]...\n", 0), 0u);
  EXPECT_EQ(RunLobby("--version").out, "astorine-lobby 1.0.0\n");

  run = RunLobby("--max-relays many");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors.rfind("astorine-lobby: --max-relays takes a number from 0 to 100000, not "
                             "'many'\nusage: astorine-lobby",
                             0),
            0u);

  const int taken = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(taken, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  socklen_t size = sizeof(address);
  getsockname(taken, reinterpret_cast<sockaddr*>(&address), &size);
  const std::string port = std::to_string(ntohs(address.sin_port));
  run = RunLobby("--address 127.0.0.1 --port " + port);
  close(taken);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "astorine-lobby: cannot listen on UDP 127.0.0.1:" + port +
                            ": Address already in use\n");
}

TEST(LobbyProgram, SigtermStopsItCleanlyWithTheCounts) {
  const std::string errors = ::testing::TempDir() + "lobby-signal-" + std::to_string(getpid());
  std::remove(errors.c_str());  // nothing of an earlier run read as this one's
  const pid_t lobby = fork();
  if (lobby == 0) {
    if (std::freopen(errors.c_str(), "w", stderr) != nullptr) {
      execl(ASTORINE_LOBBY, ASTORINE_LOBBY, "--address", "127.0.0.1", "--port", "0", nullptr);
    }
    _exit(127);
  }
  // Within a bound: the line written once the signals are caught, then the end.
  auto until = [](const std::function<bool()>& done) {
    const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (; !done(); std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
      if (std::chrono::steady_clock::now() > bound) {
        return false;
      }
    }
    return true;
  };
  EXPECT_TRUE(
      until([&] { return FileText(errors).find(" listening on UDP") != std::string::npos; }));
  kill(lobby, SIGTERM);
  int status = 0;
  const bool ended = until([&] { return waitpid(lobby, &status, WNOHANG) == lobby; });
  if (!ended) {
    kill(lobby, SIGKILL);
    waitpid(lobby, &status, 0);
  }
  EXPECT_TRUE(ended && WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_NE(FileText(errors).find(" astorine-lobby stopped: 0 rooms opened"), std::string::npos);
}

}  // namespace
