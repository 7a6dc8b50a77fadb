// Meeting the opponent from the command line: where the lobby's address comes from, the host's
// port, a code or a host joined, the refusals before anything opens; and the room code as the
// guest types it in the window.
#include <gtest/gtest.h>

#include "program/online_plan.h"
#include "program/room_code_entry.h"

namespace {

OnlinePlan PlanOf(const std::vector<std::string>& arguments, const char* variable = nullptr,
                  const std::string& setting = "") {
  const LaunchOptions options = ParseCommandLine(arguments);
  EXPECT_EQ(options.action, LaunchAction::Play) << options.error;
  return PlanOnline(options, variable, setting);
}

TEST(OnlinePlan, TheLobbyIsTheCommandLinesThenTheVariablesThenTheSettingsFiles) {
  const OnlinePlan fromAll =
      PlanOf({"--lobby", "a.example:7001", "--host"}, "b.example", "c.example");
  EXPECT_EQ(fromAll.settings.lobbyName, "a.example");
  EXPECT_EQ(fromAll.settings.lobbyPort, 7001);
  const OnlinePlan fromVariable = PlanOf({"--host"}, "b.example:7002", "c.example");
  EXPECT_EQ(fromVariable.settings.lobbyName, "b.example");
  EXPECT_EQ(fromVariable.settings.lobbyPort, 7002);
  // An empty variable counts as unset.
  const OnlinePlan fromSetting = PlanOf({"--host"}, "", "c.example");
  EXPECT_EQ(fromSetting.settings.lobbyName, "c.example");
  EXPECT_EQ(fromSetting.settings.lobbyPort, DefaultLobbyPort);
  EXPECT_TRUE(PlanOf({"--host"}).settings.lobbyName.empty());
  // "none" sets every lobby aside for one run; a lobby host of that name is written with its dot.
  const OnlinePlan none = PlanOf({"--lobby", "none", "--host"}, "b.example", "c.example");
  EXPECT_TRUE(none.settings.lobbyName.empty());
  EXPECT_EQ(none.settings.port, DefaultOnlinePort);
  EXPECT_EQ(PlanOf({"--lobby", "none.", "--host"}).settings.lobbyName, "none.");
  // The variable is read only when it would be used.
  EXPECT_TRUE(PlanOf({"--lobby", "a.example", "--host"}, "bad value").error.empty());
  const OnlinePlan badVariable = PlanOf({"--host"}, "bad value", "c.example");
  EXPECT_EQ(badVariable.error,
            "ASTORINE_LOBBY takes HOST or HOST:PORT (a port from 1 to 65535), not 'bad value'");
}

TEST(OnlinePlan, TheHostListensOnThePortGivenElseAnyWithALobbyElseTheDefault) {
  const OnlinePlan direct = PlanOf({"--host"});
  EXPECT_TRUE(direct.settings.hosting);
  EXPECT_EQ(direct.settings.port, DefaultOnlinePort);
  EXPECT_EQ(PlanOf({"--host", "7600"}).settings.port, 7600);
  EXPECT_EQ(PlanOf({"--host"}, "lobby.example").settings.port, 0);
  EXPECT_EQ(PlanOf({"--host=7600"}, "lobby.example").settings.port, 7600);
  EXPECT_FALSE(PlanOf({"--host"}, "lobby.example").typeCode);
}

TEST(OnlinePlan, AGuestJoinsARoomThroughTheLobbyOrAHostDirectly) {
  const OnlinePlan room = PlanOf({"--join", "k7qf2o"}, "lobby.example");
  EXPECT_FALSE(room.settings.hosting);
  EXPECT_EQ(room.settings.roomCode, "K7QF20");
  EXPECT_EQ(room.settings.lobbyName, "lobby.example");
  EXPECT_FALSE(room.typeCode);
  const OnlinePlan typed = PlanOf({"--join"}, nullptr, "lobby.example");
  EXPECT_TRUE(typed.typeCode);
  EXPECT_TRUE(typed.settings.roomCode.empty());
  EXPECT_EQ(typed.settings.lobbyName, "lobby.example");
  // A host is joined directly, whatever the lobby, and a bad variable is then never read.
  const OnlinePlan direct = PlanOf({"--join", "server.:7600"}, "bad value", "lobby.example");
  EXPECT_TRUE(direct.error.empty());
  EXPECT_EQ(direct.settings.hostName, "server.");
  EXPECT_EQ(direct.settings.port, 7600);
  EXPECT_TRUE(direct.settings.lobbyName.empty());
}

TEST(OnlinePlan, ACodeOrTypingWithoutALobbyIsRefusedSayingHowToSetOne) {
  const std::string code = PlanOf({"--join", "server"}).error;
  for (const char* part : {"'server' reads as a room code", "--lobby HOST", "ASTORINE_LOBBY",
                           "lobby = in settings.conf", "'server.'"}) {
    EXPECT_NE(code.find(part), std::string::npos) << code;
  }
  const std::string typing = PlanOf({"--join"}, "").error;
  EXPECT_NE(typing.find("needs a lobby: --lobby HOST, ASTORINE_LOBBY or lobby = in settings.conf"),
            std::string::npos)
      << typing;
}

TEST(RoomCodeEntry, TakesLettersAndDigitsUpToACodesLength) {
  RoomCodeEntry entry;
  entry.Type("k7");
  entry.Type("-q f\xc3\xa9");  // a dash, a space and an accented letter are left out
  EXPECT_EQ(entry.Typed(), "K7QF");
  entry.Type(
      "\xef\xbc\x92\xef\xbd\x8d"
      "9z");  // a full-width 2 and m, as an input method types
  EXPECT_EQ(entry.Typed(), "K7QF2M");
  entry.Backspace();
  entry.Backspace();
  entry.Type("o");
  EXPECT_EQ(entry.Typed(), "K7QFO");
  for (int i = 0; i < 7; ++i) {
    entry.Backspace();
  }
  EXPECT_EQ(entry.Typed(), "");
}

TEST(RoomCodeEntry, ReturnGivesTheCodeMeantOrSaysWhyNone) {
  RoomCodeEntry entry;
  EXPECT_EQ(entry.Submit(), "");  // nothing typed: no answer, no complaint
  EXPECT_EQ(entry.Complaint(), "");
  entry.Type("k7qfu");
  EXPECT_EQ(entry.Submit(), "");
  EXPECT_EQ(entry.Complaint(),
            "K7QFU is no room code: the host's screen shows six letters and digits");
  entry.Type("m");
  EXPECT_EQ(entry.Submit(), "");
  EXPECT_NE(entry.Complaint().find("K7QFUM"), std::string::npos);
  entry.Backspace();
  entry.Backspace();
  entry.Type("ol");
  EXPECT_EQ(entry.Submit(), "K7QF01");
  entry.Complain("no room K7QF01: the code is unknown or expired");
  EXPECT_EQ(entry.Complaint(), "no room K7QF01: the code is unknown or expired");
  EXPECT_EQ(entry.Typed(), "K7QFOL");  // kept, to be put right
}

}  // namespace
