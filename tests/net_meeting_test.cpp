// The meeting through a lobby as decisions: what each side tells the lobby, whom it probes, which
// path the guest keeps, when it asks for the relay, and the lines said when the meeting fails.
#include <gtest/gtest.h>

#include "net/meeting.h"

namespace {

PeerAddress At(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port) {
  return PeerAddress{{a, b, c, d}, port};
}

const PeerAddress HostPublic = At(203, 0, 113, 5, 40000);
const PeerAddress HostLocal = At(192, 168, 1, 20, 7491);
const PeerAddress GuestPublic = At(198, 51, 100, 7, 51000);
const SessionToken Token{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

MeetingPlan Plan(PeerRole role) {
  MeetingPlan plan;
  plan.role = role;
  plan.code = role == PeerRole::Guest ? "K7QF2M" : "";
  plan.versions = GameVersions{LobbyProtocolVersion, 1, 3};
  plan.local = {At(10, 0, 0, 2, 7491)};
  plan.lobbyName = "lobby.example.org:7490";
  return plan;
}

// A meeting matched by the lobby at time 1: the host's with the guest's public address, the
// guest's with the host's public and local ones.
Meeting Matched(PeerRole role) {
  Meeting meeting(Plan(role), 0);
  meeting.LobbyConnected(0.1);
  if (role == PeerRole::Host) {
    meeting.TakeLobby(RoomOpenedMessage{"K7QF2M", 600}, 0.2);
    meeting.TakeLobby(MatchedMessage{Token, role, GuestPublic, {}}, 1);
  } else {
    meeting.TakeLobby(MatchedMessage{Token, role, HostPublic, {HostLocal}}, 1);
  }
  return meeting;
}

PathDatagram FromOther(PeerRole self, DatagramKind kind, uint8_t candidate) {
  PeerRole other = self == PeerRole::Host ? PeerRole::Guest : PeerRole::Host;
  return PathDatagram{kind, 0, Token, other, candidate};
}

TEST(Meeting, TheHostOpensARoomProbesTheGuestAndAnswersOnlyItsToken) {
  Meeting meeting(Plan(PeerRole::Host), 0);
  meeting.LobbyConnected(0.1);
  MeetingActions first = meeting.Step(0.1);
  ASSERT_EQ(first.toLobby.size(), 1u);
  const auto* open = std::get_if<OpenRoomMessage>(&first.toLobby[0]);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->local, Plan(PeerRole::Host).local);
  meeting.TakeLobby(RoomOpenedMessage{"K7QF2M", 600}, 0.2);
  EXPECT_EQ(meeting.Stage(), MeetingStage::WaitingForGuest);
  EXPECT_EQ(meeting.Code(), "K7QF2M");
  EXPECT_FALSE(meeting.AcceptsConnect(ConnectTag(Token)));

  meeting.TakeLobby(MatchedMessage{Token, PeerRole::Host, GuestPublic, {}}, 1);
  MeetingActions probes = meeting.Step(1);
  ASSERT_EQ(probes.datagrams.size(), 1u);
  EXPECT_EQ(probes.datagrams[0].to, GuestPublic);
  EXPECT_EQ(probes.datagrams[0].datagram.kind, DatagramKind::Probe);
  EXPECT_TRUE(meeting.Step(1.05).datagrams.empty());  // the next round comes a tenth later
  EXPECT_EQ(meeting.Step(1.1).datagrams.size(), 1u);

  const PeerAddress mapped = At(198, 51, 100, 7, 51999);  // the guest's router's other port
  meeting.TakeDatagram(FromOther(PeerRole::Host, DatagramKind::Probe, 1), mapped, 1.2);
  PathDatagram stranger = FromOther(PeerRole::Host, DatagramKind::Probe, 0);
  stranger.token[0] ^= 1;
  meeting.TakeDatagram(stranger, mapped, 1.2);
  MeetingActions answers = meeting.Step(1.25);
  ASSERT_EQ(answers.datagrams.size(), 2u);  // the answer, and a round of probes
  EXPECT_EQ(answers.datagrams[0].to, mapped);
  EXPECT_EQ(answers.datagrams[0].datagram.kind, DatagramKind::Answer);
  EXPECT_EQ(answers.datagrams[0].datagram.candidate, 1);

  EXPECT_TRUE(meeting.AcceptsConnect(ConnectTag(Token)));
  EXPECT_FALSE(meeting.AcceptsConnect(ConnectTag(Token) + 1));
  meeting.DirectOpened(GuestPublic);
  EXPECT_EQ(meeting.Stage(), MeetingStage::Direct);
  EXPECT_EQ(meeting.Path(), PathKind::Public);
  EXPECT_FALSE(meeting.AcceptsConnect(ConnectTag(Token)));
}

TEST(Meeting, TheGuestKeepsALocalPathOverAPublicOneThatAnsweredFirst) {
  Meeting meeting = Matched(PeerRole::Guest);
  MeetingActions first = meeting.Step(1);
  ASSERT_EQ(first.toLobby.size(), 1u);  // the join, sent once the lobby answered
  EXPECT_TRUE(std::holds_alternative<JoinRoomMessage>(first.toLobby[0]));
  ASSERT_EQ(first.datagrams.size(), 2u);
  EXPECT_EQ(first.datagrams[1].to, HostLocal);
  EXPECT_EQ(first.datagrams[1].datagram.candidate, 1);

  meeting.TakeDatagram(FromOther(PeerRole::Guest, DatagramKind::Answer, 0), HostPublic, 1.1);
  EXPECT_FALSE(meeting.Step(1.2).connectTo);  // a local one may yet answer
  meeting.TakeDatagram(FromOther(PeerRole::Guest, DatagramKind::Answer, 1), HostLocal, 1.25);
  MeetingActions chosen = meeting.Step(1.25);
  ASSERT_TRUE(chosen.connectTo);
  EXPECT_EQ(*chosen.connectTo, HostLocal);
  EXPECT_EQ(meeting.Path(), PathKind::Local);

  meeting.DirectOpened(HostLocal);
  MeetingActions told = meeting.Step(1.3);
  ASSERT_EQ(told.toLobby.size(), 1u);
  const auto* path = std::get_if<PathChosenMessage>(&told.toLobby[0]);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->path, PathKind::Local);
  EXPECT_EQ(path->token, Token);
}

TEST(Meeting, TheGuestTakesThePublicPathAfterTheGraceAndAsksForTheRelayWithoutOne) {
  Meeting publicOnly = Matched(PeerRole::Guest);
  publicOnly.TakeDatagram(FromOther(PeerRole::Guest, DatagramKind::Answer, 0), HostPublic, 1.5);
  EXPECT_FALSE(publicOnly.Step(1.7).connectTo);
  MeetingActions chosen = publicOnly.Step(1.5 + LocalPathGrace);
  ASSERT_TRUE(chosen.connectTo);
  EXPECT_EQ(*chosen.connectTo, HostPublic);
  // The connection on the path never comes up: the relay, then.
  EXPECT_TRUE(publicOnly.Step(1.5 + LocalPathGrace + DirectConnectSeconds - 0.1).toLobby.empty());
  MeetingActions relay = publicOnly.Step(1.5 + LocalPathGrace + DirectConnectSeconds);
  ASSERT_EQ(relay.toLobby.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<AskRelayMessage>(relay.toLobby[0]));

  Meeting silent = Matched(PeerRole::Guest);
  silent.Step(1);
  EXPECT_TRUE(silent.Step(1 + ProbeSeconds - 0.1).toLobby.empty());
  MeetingActions asked = silent.Step(1 + ProbeSeconds);
  ASSERT_EQ(asked.toLobby.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<AskRelayMessage>(asked.toLobby[0]));
  EXPECT_EQ(silent.Stage(), MeetingStage::AwaitingRelay);
  // An answer that comes too late changes nothing; the relay does.
  silent.TakeDatagram(FromOther(PeerRole::Guest, DatagramKind::Answer, 0), HostPublic, 5.5);
  EXPECT_FALSE(silent.Step(6).connectTo);
  silent.TakeLobby(RelayReadyMessage{}, 6);
  EXPECT_EQ(silent.Stage(), MeetingStage::Relayed);
}

TEST(Meeting, EachFailureIsOneLine) {
  const auto refusal = [](LobbyRefuseReason reason) {
    Meeting meeting(Plan(PeerRole::Guest), 0);
    meeting.LobbyConnected(0);
    meeting.TakeLobby(LobbyRefuseMessage{reason, GameVersions{LobbyProtocolVersion, 1, 4}}, 0.1);
    EXPECT_EQ(meeting.Stage(), MeetingStage::Failed);
    return meeting.Failure();
  };
  EXPECT_EQ(refusal(LobbyRefuseReason::UnknownCode),
            "no room K7QF2M: the code is unknown or expired");
  EXPECT_EQ(refusal(LobbyRefuseReason::RoomFull), "room K7QF2M is full: someone joined it already");
  EXPECT_EQ(refusal(LobbyRefuseReason::LobbyFull),
            "the lobby at lobby.example.org:7490 is full; try again later");
  EXPECT_EQ(refusal(LobbyRefuseReason::GameVersions),
            "the versions differ: the room's host plays online protocol 1 and game logic 4, this "
            "program 1 and 3");

  Meeting unanswered(Plan(PeerRole::Host), 0);
  unanswered.Step(LobbyAnswerSeconds - 0.1);
  EXPECT_EQ(unanswered.Stage(), MeetingStage::ReachingLobby);
  unanswered.Step(LobbyAnswerSeconds);
  EXPECT_EQ(unanswered.Failure(), "no lobby answers at lobby.example.org:7490");

  Meeting stopped = Matched(PeerRole::Host);
  stopped.LobbyLost(true);
  EXPECT_EQ(stopped.Failure(), "the lobby at lobby.example.org:7490 stopped answering");

  Meeting expired(Plan(PeerRole::Host), 0);
  expired.LobbyConnected(0);
  expired.TakeLobby(RoomOpenedMessage{"K7QF2M", 600}, 0.1);
  expired.TakeLobby(PeerGoneMessage{PeerGoneReason::Expired}, 600);
  EXPECT_EQ(expired.Failure(), "room K7QF2M expired: nobody joined in time");

  Meeting stranded = Matched(PeerRole::Host);
  stranded.Step(1 + HostPathSeconds - 0.1);
  EXPECT_EQ(stranded.Stage(), MeetingStage::OpeningPath);
  stranded.Step(1 + HostPathSeconds);
  EXPECT_EQ(stranded.Stage(), MeetingStage::Failed);
}

}  // namespace
