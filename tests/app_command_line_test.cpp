// The command line: each option, the combinations that make sense, and every refusal.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/version.h"

namespace {

LaunchOptions Parse(std::vector<std::string> arguments) {
  return ParseCommandLine(arguments);
}

TEST(AppCommandLine, NoArgumentsPlaysAsDesigned) {
  const LaunchOptions options = Parse({});
  EXPECT_EQ(options.action, LaunchAction::Play);
  EXPECT_EQ(options.fullScreen, FullScreenAnswer::Ask);
  EXPECT_EQ(options.scale, 0);
}

TEST(AppCommandLine, OptionsThatPlay) {
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

TEST(AppCommandLine, HelpAndVersion) {
  EXPECT_EQ(Parse({"--help"}).action, LaunchAction::ShowHelp);
  EXPECT_EQ(Parse({"-h"}).action, LaunchAction::ShowHelp);
  EXPECT_EQ(Parse({"--version"}).action, LaunchAction::ShowVersion);
  EXPECT_EQ(Parse({"--version", "--help"}).action, LaunchAction::ShowHelp);
  EXPECT_EQ(Parse({"--window", "--version"}).action, LaunchAction::ShowVersion);
  EXPECT_EQ(VersionText(), std::string("astorine ") + AstorineVersion + "\n");
  for (const char* option : {"--fullscreen", "--window", "--scale N", "--replay FILE",
                             "--write-controls", "--force", "--help", "--version"}) {
    EXPECT_NE(UsageText().find(option), std::string::npos) << option;
  }
}

TEST(AppCommandLine, WritingTheControls) {
  const LaunchOptions plain = Parse({"--write-controls"});
  EXPECT_EQ(plain.action, LaunchAction::WriteControls);
  EXPECT_FALSE(plain.force);
  const LaunchOptions forced = Parse({"--force", "--write-controls"});
  EXPECT_EQ(forced.action, LaunchAction::WriteControls);
  EXPECT_TRUE(forced.force);
  EXPECT_EQ(Parse({"--write-controls", "--help"}).action, LaunchAction::ShowHelp);
  EXPECT_FALSE(Parse({}).force);
}

TEST(AppCommandLine, RefusalsNameTheirCause) {
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
  };
  for (const auto& [arguments, cause] : cases) {
    const LaunchOptions options = Parse(arguments);
    EXPECT_EQ(options.action, LaunchAction::Refuse) << arguments.front();
    EXPECT_NE(options.error.find(cause), std::string::npos) << options.error;
    EXPECT_EQ(options.error.find('\n'), std::string::npos) << options.error;
  }
}

}  // namespace
