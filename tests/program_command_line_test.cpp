// The command line: each option, the combinations that make sense, and every refusal.
#include <gtest/gtest.h>

#include "net/online_session.h"
#include "program/command_line.h"
#include "program/version.h"

namespace {

LaunchOptions Parse(std::vector<std::string> arguments) {
  return ParseCommandLine(arguments);
}

TEST(ProgramCommandLine, NoArgumentsPlaysAsDesigned) {
  const LaunchOptions options = Parse({});
  EXPECT_EQ(options.action, LaunchAction::Play);
  EXPECT_EQ(options.fullScreen, FullScreenAnswer::Ask);
  EXPECT_EQ(options.scale, 0);
}

TEST(ProgramCommandLine, OptionsThatPlay) {
  EXPECT_EQ(Parse({"--fullscreen"}).fullScreen, FullScreenAnswer::Yes);
  EXPECT_EQ(Parse({"--window"}).fullScreen, FullScreenAnswer::No);
  EXPECT_EQ(Parse({"--window", "--window"}).fullScreen, FullScreenAnswer::No);
  EXPECT_EQ(Parse({"--scale", "2"}).scale, 2);
  EXPECT_EQ(Parse({"--scale=3"}).scale, 3);
  EXPECT_EQ(Parse({"--scale", "1"}).scale, 1);
  EXPECT_EQ(Parse({"--scale", std::to_string(LargestScale)}).scale, LargestScale);
  const LaunchOptions both = Parse({"--scale", "2", "--window"});
  EXPECT_EQ(both.action, LaunchAction::Play);
  EXPECT_EQ(both.scale, 2);
  EXPECT_EQ(both.fullScreen, FullScreenAnswer::No);
  // A replay is watched in the window unless full screen is asked for.
  const LaunchOptions replay = Parse({"--replay", "a game.replay"});
  EXPECT_EQ(replay.action, LaunchAction::Play);
  EXPECT_EQ(replay.replay, "a game.replay");
  EXPECT_EQ(replay.fullScreen, FullScreenAnswer::No);
  EXPECT_EQ(Parse({"--fullscreen", "--replay=x.replay"}).fullScreen, FullScreenAnswer::Yes);
  EXPECT_EQ(Parse({"--replay=x.replay"}).replay, "x.replay");
}

TEST(ProgramCommandLine, OnlinePlay) {
  const LaunchOptions host = Parse({"--host"});
  EXPECT_EQ(host.action, LaunchAction::Play);
  EXPECT_EQ(host.online, OnlineRole::Host);
  EXPECT_EQ(host.onlinePort, 0);  // chosen once the lobby is known
  // Online play opens a window without the question, unless full screen is asked for.
  EXPECT_EQ(host.fullScreen, FullScreenAnswer::No);
  EXPECT_EQ(Parse({"--fullscreen", "--host"}).fullScreen, FullScreenAnswer::Yes);
  EXPECT_EQ(Parse({"--host", "7500"}).onlinePort, 7500);
  EXPECT_EQ(Parse({"--host=65535"}).onlinePort, 65535);
  // A port is never taken for the next option.
  const LaunchOptions hostThenScale = Parse({"--host", "--scale", "2"});
  EXPECT_EQ(hostThenScale.onlinePort, 0);
  EXPECT_EQ(hostThenScale.scale, 2);
  const LaunchOptions join = Parse({"--join", "example.org"});
  EXPECT_EQ(join.online, OnlineRole::Join);
  EXPECT_EQ(join.onlineHost, "example.org");
  EXPECT_EQ(join.onlinePort, DefaultOnlinePort);
  const LaunchOptions joinPort = Parse({"--join=127.0.0.1:7600", "--window"});
  EXPECT_EQ(joinPort.onlineHost, "127.0.0.1");
  EXPECT_EQ(joinPort.onlinePort, 7600);
}

// A bare word of six characters of the code's alphabet, case and look-alikes forgiven, is a room
// code; a dot, a port, another length or a character outside the alphabet make a host name.
TEST(ProgramCommandLine, JoinTakesARoomCodeOrAHost) {
  for (const char* code : {"K7QF2M", "k7qf2m", "server", "OIL0i1"}) {
    const LaunchOptions options = Parse({"--join", code});
    EXPECT_EQ(options.roomCode, code);
    EXPECT_TRUE(options.onlineHost.empty()) << code;
  }
  EXPECT_EQ(Parse({"--join=K7QF2M"}).roomCode, "K7QF2M");
  for (const char* host : {"server.", "K7QF2M.", "localhost", "K7QF2", "K7QF2MX", "192.0.2.7",
                           "k7q-f2m", "mouser", "a.b.cd"}) {
    const LaunchOptions options = Parse({"--join", host});
    EXPECT_TRUE(options.roomCode.empty()) << host;
    EXPECT_EQ(options.onlineHost, host);
    EXPECT_EQ(options.onlinePort, DefaultOnlinePort);
  }
  const LaunchOptions withPort = Parse({"--join", "server:7491"});
  EXPECT_EQ(withPort.onlineHost, "server");
  EXPECT_EQ(withPort.onlinePort, 7491);
  // With no value the code is typed in the window; the next option is never taken for one.
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--join"}, {"--join", "--lobby", "lobby.example.org"}}) {
    const LaunchOptions typed = Parse(arguments);
    EXPECT_EQ(typed.action, LaunchAction::Play);
    EXPECT_EQ(typed.online, OnlineRole::Join);
    EXPECT_TRUE(typed.roomCode.empty() && typed.onlineHost.empty());
  }
}

TEST(ProgramCommandLine, TheLobbyGoesWithHostOrJoin) {
  EXPECT_EQ(Parse({"--lobby", "lobby.example.org", "--host"}).lobby, "lobby.example.org");
  EXPECT_EQ(Parse({"--join", "K7QF2M", "--lobby=192.0.2.1:7500"}).lobby, "192.0.2.1:7500");
  const std::pair<std::vector<std::string>, std::string> refused[] = {
      {{"--lobby", "example.org"}, "--lobby goes only with --host or --join"},
      {{"--lobby", "example.org", "--records"}, "--lobby goes only with --host or --join"},
      {{"--host", "--lobby"}, "--lobby needs HOST or HOST:PORT"},
      {{"--lobby", "--host"}, "--lobby needs HOST or HOST:PORT"},
      {{"--host", "--lobby="}, "not ''"},
      {{"--host", "--lobby", "example.org:0"}, "not 'example.org:0'"},
      {{"--host", "--lobby", "example.org:65536"}, "not 'example.org:65536'"},
      {{"--host", "--lobby", ":7490"}, "not ':7490'"},
      {{"--host", "--lobby", "a b"}, "not 'a b'"},
      {{"--host", "--lobby", "[::1]:7490"}, "not '[::1]:7490'"},
      {{"--host", "--lobby", "a", "--lobby", "a"}, "--lobby can be given only once"},
  };
  for (const auto& [arguments, cause] : refused) {
    const LaunchOptions options = Parse(arguments);
    EXPECT_EQ(options.action, LaunchAction::Refuse) << arguments.back();
    EXPECT_NE(options.error.find(cause), std::string::npos) << options.error;
  }
}

TEST(ProgramCommandLine, HelpAndVersion) {
  EXPECT_EQ(Parse({"--help"}).action, LaunchAction::ShowHelp);
  EXPECT_EQ(Parse({"-h"}).action, LaunchAction::ShowHelp);
  EXPECT_EQ(Parse({"--version"}).action, LaunchAction::ShowVersion);
  EXPECT_EQ(Parse({"--version", "--help"}).action, LaunchAction::ShowHelp);
  EXPECT_EQ(Parse({"--window", "--version"}).action, LaunchAction::ShowVersion);
  EXPECT_EQ(VersionText(), std::string("astorine ") + AstorineVersion + "\n");
  for (const char* option :
       {"--fullscreen", "--window", "--scale N", "--replay FILE", "--write-controls", "--force",
        "--help", "--version", "--host [PORT]", "--join [CODE | HOST[:PORT]]",
        "--lobby HOST[:PORT]", "ASTORINE_LOBBY", "--join server."}) {
    EXPECT_NE(UsageText().find(option), std::string::npos) << option;
  }
}

TEST(ProgramCommandLine, WritingTheControls) {
  const LaunchOptions plain = Parse({"--write-controls"});
  EXPECT_EQ(plain.action, LaunchAction::WriteControls);
  EXPECT_FALSE(plain.force);
  const LaunchOptions forced = Parse({"--force", "--write-controls"});
  EXPECT_EQ(forced.action, LaunchAction::WriteControls);
  EXPECT_TRUE(forced.force);
  EXPECT_EQ(Parse({"--write-controls", "--help"}).action, LaunchAction::ShowHelp);
  EXPECT_FALSE(Parse({}).force);
}

TEST(ProgramCommandLine, WritingTheSettings) {
  const LaunchOptions plain = Parse({"--write-settings"});
  EXPECT_EQ(plain.action, LaunchAction::WriteSettings);
  EXPECT_FALSE(plain.force);
  const LaunchOptions forced = Parse({"--force", "--write-settings"});
  EXPECT_EQ(forced.action, LaunchAction::WriteSettings);
  EXPECT_TRUE(forced.force);
  EXPECT_NE(UsageText().find("astorine --write-settings [--force]"), std::string::npos);
  // It opens no window and plays nothing, and writes one file at a time.
  const std::vector<std::vector<std::string>> refused = {{"--write-settings", "--write-controls"},
                                                         {"--write-settings", "--window"},
                                                         {"--scale", "2", "--write-settings"},
                                                         {"--replay", "a", "--write-settings"},
                                                         {"--write-settings", "--host"},
                                                         {"--join", "a", "--write-settings"},
                                                         {"--write-settings", "--records"},
                                                         {"--force"},
                                                         {"--write-settings=yes"}};
  for (const std::vector<std::string>& arguments : refused) {
    const LaunchOptions options = Parse(arguments);
    EXPECT_EQ(options.action, LaunchAction::Refuse) << arguments.front();
    EXPECT_NE(options.error.find("--write-settings"), std::string::npos) << options.error;
  }
}

TEST(ProgramCommandLine, ListingTheRecordsOpensNoWindowAndDoesNothingElse) {
  EXPECT_EQ(Parse({"--records"}).action, LaunchAction::ShowRecords);
  EXPECT_EQ(Parse({"--records", "--help"}).action, LaunchAction::ShowHelp);
  EXPECT_NE(UsageText().find("--records"), std::string::npos);
  for (std::vector<std::string> arguments : {std::vector<std::string>{"--window"},
                                             {"--fullscreen"},
                                             {"--scale", "2"},
                                             {"--replay", "a"},
                                             {"--host"},
                                             {"--join", "a"},
                                             {"--write-controls"}}) {
    arguments.push_back("--records");
    const LaunchOptions options = Parse(arguments);
    EXPECT_EQ(options.action, LaunchAction::Refuse) << arguments.front();
    EXPECT_NE(options.error.find("cannot be given with"), std::string::npos) << options.error;
  }
}

TEST(ProgramCommandLine, RefusalsNameTheirCause) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--fast"}, "unknown option '--fast'"},
      {{"-x"}, "unknown option '-x'"},
      {{"Data"}, "unexpected argument 'Data'"},
      {{"--fullscreen", "--window"}, "--fullscreen and --window cannot be given together"},
      {{"--scale"}, "--scale needs a number"},
      {{"--scale", "0"}, "'0'"},
      {{"--scale", "9"}, "'9'"},
      {{"--scale", "-1"}, "'-1'"},
      {{"--scale", "2x"}, "'2x'"},
      {{"--scale", " 2"}, "' 2'"},
      {{"--scale="}, "''"},
      {{"--scale", "99999999999"}, "'99999999999'"},
      {{"--help", "--bogus"}, "'--bogus'"},
      {{"--force"}, "--force goes only with --write-controls"},
      {{"--force", "--window"}, "--force goes only with --write-controls"},
      {{"--write-controls", "--scale", "2"}, "cannot be given with"},
      {{"--write-controls", "--fullscreen"}, "cannot be given with"},
      {{"--write-controls=yes"}, "unknown option '--write-controls=yes'"},
      {{"--replay"}, "--replay needs a replay file"},
      {{"--replay="}, "--replay needs a replay file"},
      {{"--replay", "a", "--write-controls"}, "--write-controls cannot be given with --replay"},
      {{"--host", "0"}, "'0'"},
      {{"--host", "65536"}, "'65536'"},
      {{"--host", "port"}, "'port'"},
      {{"--host="}, "''"},
      {{"--join="}, "''"},
      {{"--join", ":7491"}, "':7491'"},
      {{"--join=host:"}, "'host:'"},
      {{"--join", "host:99999"}, "'host:99999'"},
      {{"--host", "--join", "a"}, "not together"},
      {{"--join", "a", "--join", "b"}, "only once"},
      {{"--host", "--replay", "a"}, "cannot be given with --write-controls or --replay"},
      {{"--write-controls", "--join", "a"}, "cannot be given with --write-controls or --replay"},
  };
  for (const auto& [arguments, cause] : cases) {
    const LaunchOptions options = Parse(arguments);
    EXPECT_EQ(options.action, LaunchAction::Refuse) << arguments.front();
    EXPECT_NE(options.error.find(cause), std::string::npos) << options.error;
    EXPECT_EQ(options.error.find('\n'), std::string::npos) << options.error;
  }
}

}  // namespace
