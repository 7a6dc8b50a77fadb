#include "net/meeting.h"

#include <algorithm>

#include "services/formatted.h"
#include "services/texts.h"

Meeting::Meeting(MeetingPlan plan, double now) : plan_(std::move(plan)), stageStarted_(now) {
  if (plan_.role == PeerRole::Guest) {
    code_ = plan_.code;
  }
}

void Meeting::LobbyConnected(double now) {
  if (stage_ != MeetingStage::ReachingLobby) {
    return;
  }
  if (plan_.role == PeerRole::Host) {
    pending_.toLobby.push_back(OpenRoomMessage{plan_.versions, plan_.local});
  } else {
    pending_.toLobby.push_back(JoinRoomMessage{plan_.versions, plan_.code, plan_.local});
  }
  stage_ = MeetingStage::AskingLobby;
  stageStarted_ = now;
}

void Meeting::LobbyLost(bool silent) {
  switch (stage_) {
    case MeetingStage::ReachingLobby:
      Fail(Formatted(Tr("no lobby answers at %s"), plan_.lobbyName.c_str()));
      break;
    case MeetingStage::Direct:
    case MeetingStage::Relayed:
    case MeetingStage::Failed:
      break;
    default:
      Fail(silent
               ? Formatted(Tr("the lobby at %s stopped answering"), plan_.lobbyName.c_str())
               : Formatted(Tr("the lobby at %s closed the connection"), plan_.lobbyName.c_str()));
  }
}

void Meeting::TakeLobby(const LobbyMessage& message, double now) {
  if (stage_ == MeetingStage::Failed || stage_ == MeetingStage::Direct) {
    return;
  }
  if (const auto* refuse = std::get_if<LobbyRefuseMessage>(&message)) {
    Refused(*refuse);
  } else if (const auto* opened = std::get_if<RoomOpenedMessage>(&message)) {
    if (stage_ == MeetingStage::AskingLobby && plan_.role == PeerRole::Host) {
      code_ = opened->code;
      stage_ = MeetingStage::WaitingForGuest;
      stageStarted_ = now;
    }
  } else if (const auto* matched = std::get_if<MatchedMessage>(&message)) {
    Matched(*matched, now);
  } else if (std::holds_alternative<RelayReadyMessage>(message)) {
    if (stage_ != MeetingStage::Relayed) {
      stage_ = MeetingStage::Relayed;
      stageStarted_ = now;
    }
  } else if (const auto* gone = std::get_if<PeerGoneMessage>(&message)) {
    if (gone->reason == PeerGoneReason::Expired && stage_ == MeetingStage::WaitingForGuest) {
      Fail(Formatted(Tr("room %s expired: nobody joined in time"), code_.c_str()));
    } else if (stage_ != MeetingStage::Relayed) {
      Fail(Tr("the opponent left the room"));
    }
  }
}

void Meeting::Refused(const LobbyRefuseMessage& refuse) {
  const GameVersions& theirs = refuse.versions;
  switch (refuse.reason) {
    case LobbyRefuseReason::LobbyVersion:
      Fail(Formatted(Tr("the lobby speaks lobby protocol version %d, this program speaks "
                        "version %d"),
                     theirs.lobbyVersion, plan_.versions.lobbyVersion));
      break;
    case LobbyRefuseReason::GameVersions:
      Fail(Formatted(Tr("the versions differ: the room's host plays online protocol %d and "
                        "game logic %d, this program %d and %d"),
                     theirs.protocolVersion, theirs.logicVersion, plan_.versions.protocolVersion,
                     plan_.versions.logicVersion));
      break;
    case LobbyRefuseReason::UnknownCode:
      Fail(Formatted(Tr("no room %s: the code is unknown or expired"), code_.c_str()));
      break;
    case LobbyRefuseReason::RoomFull:
      Fail(Formatted(Tr("room %s is full: someone joined it already"), code_.c_str()));
      break;
    case LobbyRefuseReason::LobbyFull:
      Fail(Formatted(Tr("the lobby at %s is full; try again later"), plan_.lobbyName.c_str()));
      break;
    case LobbyRefuseReason::SlowDown:
      Fail(Tr("the lobby asks to slow down: too many attempts from this address"));
      break;
    case LobbyRefuseReason::BadRequest:
      Fail(Formatted(Tr("the lobby at %s did not understand this program"),
                     plan_.lobbyName.c_str()));
      break;
  }
}

void Meeting::Matched(const MatchedMessage& matched, double now) {
  bool expected = plan_.role == PeerRole::Host ? stage_ == MeetingStage::WaitingForGuest
                                               : stage_ == MeetingStage::AskingLobby;
  if (!expected || matched.role != plan_.role) {
    return;
  }
  token_ = matched.token;
  candidates_.clear();
  candidates_.push_back(matched.peerPublic);
  candidates_.insert(candidates_.end(), matched.peerLocal.begin(), matched.peerLocal.end());
  stage_ = MeetingStage::OpeningPath;
  stageStarted_ = now;
  matchedAt_ = now;
  nextProbe_ = now;
}

void Meeting::TakeDatagram(const PathDatagram& datagram, const PeerAddress& from, double now) {
  bool probing = stage_ == MeetingStage::OpeningPath || stage_ == MeetingStage::Connecting ||
                 stage_ == MeetingStage::AwaitingRelay;
  if (!probing || datagram.token != token_ || datagram.from == plan_.role) {
    return;
  }
  if (datagram.kind == DatagramKind::Probe) {
    // The answer goes back to where the probe came from: that is the way through both routers.
    PathDatagram answer{DatagramKind::Answer, 0, token_, plan_.role, datagram.candidate};
    pending_.datagrams.push_back({from, answer});
    return;
  }
  if (datagram.kind != DatagramKind::Answer || plan_.role != PeerRole::Guest ||
      stage_ != MeetingStage::OpeningPath || datagram.candidate >= candidates_.size()) {
    return;
  }
  if (datagram.candidate > 0 && !localAnswer_) {
    localAnswer_ = from;
  } else if (datagram.candidate == 0 && !publicAnswer_) {
    publicAnswer_ = from;
  }
  if (firstAnswerAt_ == 0) {
    firstAnswerAt_ = now;
  }
  GuestChooses(now);
}

void Meeting::GuestChooses(double now) {
  if (stage_ != MeetingStage::OpeningPath) {
    return;
  }
  std::optional<PeerAddress> chosen;
  if (localAnswer_) {
    chosen = localAnswer_;
    path_ = PathKind::Local;
  } else if (publicAnswer_ && now >= firstAnswerAt_ + LocalPathGrace) {
    chosen = publicAnswer_;
    path_ = PathKind::Public;
  }
  if (chosen) {
    pending_.connectTo = *chosen;
    stage_ = MeetingStage::Connecting;
    stageStarted_ = now;
  }
}

void Meeting::DirectFailed() {
  if (stage_ == MeetingStage::Connecting) {
    AskRelay();
  }
}

void Meeting::DirectOpened(const PeerAddress& at) {
  if (stage_ == MeetingStage::Direct || stage_ == MeetingStage::Failed) {
    return;
  }
  if (!path_) {
    // The host learns the path from where the guest's connection came from.
    bool local = std::find(candidates_.begin() + (candidates_.empty() ? 0 : 1), candidates_.end(),
                           at) != candidates_.end();
    path_ = local ? PathKind::Local : PathKind::Public;
  }
  if (plan_.role == PeerRole::Guest) {
    pending_.toLobby.push_back(PathChosenMessage{token_, *path_});
  }
  stage_ = MeetingStage::Direct;
}

void Meeting::AskRelay() {
  pending_.toLobby.push_back(AskRelayMessage{token_});
  stage_ = MeetingStage::AwaitingRelay;
}

void Meeting::Probe(double now) {
  for (size_t i = 0; i < candidates_.size(); ++i) {
    PathDatagram probe{DatagramKind::Probe, 0, token_, plan_.role, static_cast<uint8_t>(i)};
    pending_.datagrams.push_back({candidates_[i], probe});
  }
  nextProbe_ = now + ProbeInterval;
}

MeetingActions Meeting::Step(double now) {
  switch (stage_) {
    case MeetingStage::ReachingLobby:
    case MeetingStage::AskingLobby:
      if (now >= stageStarted_ + LobbyAnswerSeconds) {
        Fail(Formatted(Tr("no lobby answers at %s"), plan_.lobbyName.c_str()));
      }
      break;
    case MeetingStage::OpeningPath:
      GuestChooses(now);
      if (stage_ == MeetingStage::OpeningPath && plan_.role == PeerRole::Guest &&
          now >= matchedAt_ + ProbeSeconds) {
        AskRelay();
      }
      break;
    case MeetingStage::Connecting:
      if (now >= stageStarted_ + DirectConnectSeconds) {
        AskRelay();
      }
      break;
    default:
      break;
  }
  // The host probes until the guest connects or the relay starts, so that its router stays open
  // for the guest; the guest until it has chosen.
  if (stage_ == MeetingStage::OpeningPath && now >= nextProbe_) {
    Probe(now);
  }
  bool waitingForPath = stage_ == MeetingStage::OpeningPath || stage_ == MeetingStage::Connecting ||
                        stage_ == MeetingStage::AwaitingRelay;
  if (waitingForPath && now >= matchedAt_ + HostPathSeconds) {
    Fail(Tr("no path to the opponent opened, and the lobby did not relay"));
  }
  MeetingActions due = std::move(pending_);
  pending_ = {};
  return due;
}

bool Meeting::AcceptsConnect(uint32_t tag) const {
  bool matched = stage_ == MeetingStage::OpeningPath || stage_ == MeetingStage::AwaitingRelay;
  return plan_.role == PeerRole::Host && matched && tag == ConnectTag(token_);
}

void Meeting::Fail(const std::string& line) {
  if (stage_ == MeetingStage::Failed) {
    return;
  }
  stage_ = MeetingStage::Failed;
  failure_ = line;
}
