#include "net/online_session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "net/handshake.h"
#include "net/link_report.h"
#include "net/meeting.h"
#include "net/online_start.h"
#include "net/pace.h"
#include "scenes/game_state.h"
#include "scenes/scene_state.h"
#include "services/formatted.h"
#include "services/texts.h"

namespace {

// A finished peer waits this long at most for the opponent to hold all its keys.
constexpr double FinishingSeconds = 3.0;
// A connection lost before the host answered is tried again: on a lossy network the first
// packets can be lost often enough for the handshake to go silent.
constexpr int MaxJoinAttempts = 3;
// State hashes further back than this many frames are no longer kept for comparison.
constexpr int32_t HashMemoryFrames = 400;
// After the opponent's Bye(desync), what it sent just before (on the other channel) is still taken
// in: this many messages at most, each waited for this long at most.
constexpr int HearOutMessages = 16;
constexpr int HearOutWaitMs = 50;

}  // namespace

OnlineSession::OnlineSession(const OnlineSettings& settings) : settings_(settings) {}

OnlineSession::~OnlineSession() = default;

bool OnlineSession::Open(std::string& error) {
  const LinkOptions options{settings_.silenceTimeoutMs};
  if (!settings_.lobbyName.empty()) {
    const ProgramVersions own = ThisProgramVersions();
    MeetingPlan plan;
    plan.role = settings_.hosting ? PeerRole::Host : PeerRole::Guest;
    plan.code = settings_.roomCode;
    plan.versions = GameVersions{LobbyProtocolVersion, own.protocol, own.logic};
    plan.lobbyName = LobbyText();
    link_ = EnetLink::Meet(settings_.lobbyName, settings_.lobbyPort,
                           settings_.hosting ? settings_.port : 0, plan, options, error);
    return link_ != nullptr;
  }
  link_ = settings_.hosting ? EnetLink::Host(settings_.port, options, error)
                            : EnetLink::Join(settings_.hostName, settings_.port, options, error);
  return link_ != nullptr;
}

uint16_t OnlineSession::Port() const {
  return link_ ? link_->Port() : settings_.port;
}

bool OnlineSession::Tick(double now, ActionMask localMask) {
  bool shown = false;
  now_ = now;
  if (phase_ != OnlinePhase::Over) {
    Service();
  }
  // Silence is timed here too: the link's own timeout waits on its resends and ends later.
  const bool linked = phase_ == OnlinePhase::Playing || phase_ == OnlinePhase::Finishing ||
                      phase_ == OnlinePhase::Rematch;
  if (linked && lastHeard_ >= 0 && now - lastHeard_ > settings_.silenceTimeoutMs / 1000.0) {
    Lost(LinkEnd::Silent);
  }
  if (phase_ == OnlinePhase::Playing) {
    RunDueFrame(now, localMask, shown);
  }
  if (phase_ == OnlinePhase::Finishing) {
    Finishing(now);
  }
  if (phase_ == OnlinePhase::Rematch) {
    Rematch(now);
  }
  return shown;
}

void OnlineSession::Service() {
  for (int events = 0; events < 256 && phase_ != OnlinePhase::Over; ++events) {
    LinkEvent event = link_->Poll(0);
    if (event.kind == LinkEventKind::Idle) {
      return;
    }
    TakeEvent(event);
  }
}

void OnlineSession::TakeEvent(const LinkEvent& event) {
  if (event.kind == LinkEventKind::Connected && !settings_.hosting) {
    link_->Send(MakeHello(ThisProgramVersions()));
  } else if (event.kind == LinkEventKind::Received) {
    lastHeard_ = now_;
    Handle(event.message);
  } else if (event.kind == LinkEventKind::Disconnected) {
    Lost(event.end, event.line);
  }
}

void OnlineSession::Wait(double now, double longest) {
  if (phase_ == OnlinePhase::Over) {
    return;
  }
  double seconds = longest;
  if (phase_ == OnlinePhase::Playing && due_ >= 0.0) {
    seconds = std::min(seconds, due_ - now);
  }
  now_ = now;
  // Rounded up: a wait rounded down to 0 ms would spin through the last millisecond.
  const LinkEvent event = link_->Poll(std::max(0, static_cast<int>(std::ceil(seconds * 1000.0))));
  if (event.kind != LinkEventKind::Idle) {
    TakeEvent(event);
  }
}

void OnlineSession::Handle(const Message& message) {
  if (const auto* hello = std::get_if<HelloMessage>(&message)) {
    if (settings_.hosting && phase_ == OnlinePhase::Connecting) {
      WelcomeMessage welcome;
      welcome.inputDelay = static_cast<uint8_t>(settings_.inputDelay);
      welcome.seed = settings_.seed;
      const HostDecision decision = AnswerHello(*hello, welcome, ThisProgramVersions());
      link_->Send(decision.answer);
      decision.accepted ? StartMatch(welcome) : Finish(OnlineEnd::Refused, decision.line);
    }
  } else if (std::holds_alternative<WelcomeMessage>(message) ||
             std::holds_alternative<RefuseMessage>(message)) {
    const bool rematch = phase_ == OnlinePhase::Rematch && rematchAccepted_;
    if (!settings_.hosting && (phase_ == OnlinePhase::Connecting || rematch)) {
      const GuestDecision decision = ReadHostAnswer(message, ThisProgramVersions());
      decision.accepted ? StartMatch(decision.welcome) : Finish(OnlineEnd::Refused, decision.line);
    }
  } else if (const auto* inputs = std::get_if<InputsMessage>(&message)) {
    TakeInputs(*inputs);
  } else if (const auto* hash = std::get_if<StateHashMessage>(&message)) {
    TakeHash(*hash);
  } else if (const auto* rematch = std::get_if<RematchMessage>(&message)) {
    if (rematch->accept && (phase_ == OnlinePhase::Finishing || phase_ == OnlinePhase::Rematch)) {
      opponentAcceptedRematch_ = true;
    }
  } else if (const auto* bye = std::get_if<ByeMessage>(&message)) {
    if (bye->reason == ByeReason::Desync) {
      HearOutDesync();
      Finish(OnlineEnd::Desync, Tr("the opponent found the match out of step"));
      return;
    }
    // An opponent that finished held every key of both sides: this side can finish too.
    if (rollback_ && bye->reason == ByeReason::Result) {
      SettleConfirmed();
      if (ConfirmedEnd()) {
        Finish(ReachedEnd(), Tr("the match is over"));
        return;
      }
    }
    Finish(OnlineEnd::OpponentLeft, Tr("the opponent left the match"));
  }
}

// The opponent's hash of the frame that differs goes out with its Bye(desync) but unreliably, so
// it can arrive just behind it: taking in its last keys and hashes lets this side name the frame
// too (CompareHashes then ends the match), instead of only repeating the opponent's verdict.
void OnlineSession::HearOutDesync() {
  if (!rollback_) {
    return;
  }
  for (int i = 0; i < HearOutMessages && phase_ != OnlinePhase::Over; ++i) {
    const LinkEvent event = link_->Poll(HearOutWaitMs);
    if (event.kind != LinkEventKind::Received) {
      break;
    }
    if (const auto* inputs = std::get_if<InputsMessage>(&event.message)) {
      TakeInputs(*inputs);
    } else if (const auto* hash = std::get_if<StateHashMessage>(&event.message)) {
      TakeHash(*hash);
    }
  }
  if (phase_ != OnlinePhase::Over) {
    SettleConfirmed();
  }
}

// Runs again what late keys changed and records every frame both sides' keys now confirm.
void OnlineSession::SettleConfirmed() {
  rollback_->Settle();
  FollowConfirmed();
}

void OnlineSession::StartMatch(const WelcomeMessage& welcome) {
  std::string error;
  if (welcome.start == StartKind::StateDocument) {
    EnterOnlineStartFromDocument(welcome.stateDocument, error);
  } else {
    EnterOnlineStart(welcome.seed);
  }
  // A rematch starts afresh: nothing of the last match's keys, hashes or timing carries over.
  inbox_ = InputInbox();
  outbox_ = InputOutbox();
  recorded_ = -1;
  ownHashes_.clear();
  remoteHashes_.clear();
  due_ = -1.0;
  finishingSince_ = -1.0;
  lastHeard_ = now_;
  end_ = OnlineEnd::None;
  rematchAccepted_ = false;
  opponentAcceptedRematch_ = false;
  recorder_.Begin(Game, Random);
  game_ = std::make_unique<LiveGame>(settings_.runNewFrame, settings_.afterEveryRun);
  rollback_ = std::make_unique<Rollback>(*game_, settings_.hosting, welcome.inputDelay);
  phase_ = OnlinePhase::Playing;
}

void OnlineSession::TakeInputs(const InputsMessage& inputs) {
  // The opponent cannot hold keys this side never sent: such a packet is from a match before.
  if (!rollback_ || inputs.lastConfirmedFrame > rollback_->LastLocalFrame()) {
    return;
  }
  const std::optional<int32_t> earliest = inbox_.Take(inputs);
  if (!earliest) {
    return;
  }
  const int32_t last = inputs.firstFrame + static_cast<int32_t>(inputs.masks.size()) - 1;
  for (int32_t frame = *earliest; frame <= last; ++frame) {
    if (const std::optional<uint8_t> mask = inbox_.Mask(frame)) {
      rollback_->ReceiveRemote(frame, *mask);
    }
  }
}

void OnlineSession::TakeHash(const StateHashMessage& hash) {
  // A frame past this side's keys cannot be confirmed over there: a hash of a match before.
  if (rollback_ && hash.frame > recorded_ - HashMemoryFrames &&
      hash.frame <= rollback_->LastLocalFrame()) {
    remoteHashes_[hash.frame] = hash.hash;
    CompareHashes();
  }
}

void OnlineSession::RunDueFrame(double now, ActionMask localMask, bool& shown) {
  if (due_ < 0.0) {
    due_ = now;
  }
  if (now < due_) {
    return;
  }
  if (ReachedEnd() != OnlineEnd::None) {
    // No frame past the end: late keys may still move it, or confirm it.
    SettleConfirmed();
    if (ConfirmedEnd()) {
      phase_ = OnlinePhase::Finishing;
      finishingSince_ = now;
    } else if (ReachedEnd() == OnlineEnd::None) {
      return;  // a late key took the end back: play on at once
    }
    SendInputs();
    lastSent_ = now;
    due_ = now + settings_.framePeriod;
    return;
  }
  const AdvanceResult result = rollback_->Advance(localMask);
  while (outbox_.LastFrame() < rollback_->LastLocalFrame()) {
    outbox_.Add(rollback_->LocalMask(outbox_.LastFrame() + 1));
  }
  SendInputs();
  lastSent_ = now;
  if (result == AdvanceResult::Stalled) {
    due_ = now + settings_.framePeriod / 4;  // waiting on the opponent's keys: look again soon
    return;
  }
  shown = true;
  FollowConfirmed();
  // The pace is reckoned in frames: at a faster speed the round trip spans more of them.
  const double scale = settings_.framePeriod / OnlineFramePeriod;
  const LinkCounters counters = link_->Counters();
  const PaceReading pace{rollback_->NextFrame(), inbox_.RemoteCurrentFrame(),
                         counters.roundTripMs / 1000.0 / scale};
  due_ += settings_.framePeriod + ExtraFrameWait(pace) * scale;
  // Late frames are caught up by running the next ones at once; a gap is not (see RestartClock).
  if (now - due_ >= OnlineLongestCatchUp * scale) {
    due_ = now;
  }
}

void OnlineSession::RestartClock(double now) {
  due_ = std::max(due_, now);
}

void OnlineSession::FollowConfirmed() {
  const int32_t confirmed = rollback_->ConfirmedFrame();
  for (int32_t frame = recorded_ + 1; frame <= confirmed; ++frame) {
    const FrameMasks masks = rollback_->MasksOf(frame);
    recorder_.RecordFrame(OnlineFrame(masks.host, masks.guest));
    // The state after a frame is the one saved before the next.
    const int slot = (frame + 1) % SnapshotSlots;
    recorder_.FrameRan(game_->SavedGame(slot), game_->SavedRandom(slot));
    if ((frame + 1) % HashPeriod == 0) {
      const uint64_t hash = game_->SavedHash(slot);
      ownHashes_[frame] = hash;
      link_->Send(StateHashMessage{frame, hash});
    }
    recorded_ = frame;
  }
  CompareHashes();
}

void OnlineSession::CompareHashes() {
  for (auto remote = remoteHashes_.begin(); remote != remoteHashes_.end();) {
    const auto own = ownHashes_.find(remote->first);
    if (own == ownHashes_.end()) {
      ++remote;
      continue;
    }
    if (own->second != remote->second && desyncFrame_ < 0) {
      desyncFrame_ = remote->first;
      link_->Send(ByeMessage{ByeReason::Desync});
      Finish(OnlineEnd::Desync,
             Formatted(Tr("the match went out of step at frame %d (the two machines' states "
                          "differ)"),
                       static_cast<int>(desyncFrame_)));
      return;
    }
    remote = remoteHashes_.erase(remote);
  }
  // Hashes long past can no longer be matched.
  ownHashes_.erase(ownHashes_.begin(), ownHashes_.lower_bound(recorded_ - HashMemoryFrames));
}

void OnlineSession::SendInputs() {
  link_->Send(
      outbox_.Next(inbox_.RemoteConfirmedFrame(), inbox_.ConfirmedFrame(), rollback_->NextFrame()));
}

OnlineEnd OnlineSession::ReachedEnd() const {
  if (settings_.stopAfter > 0 && rollback_->NextFrame() >= settings_.stopAfter) {
    return OnlineEnd::FramesDone;
  }
  // A match ends by going back to the title.
  return rollback_->NextFrame() > 0 && Game.CurrentScene == SceneTitle ? OnlineEnd::Result
                                                                       : OnlineEnd::None;
}

bool OnlineSession::ConfirmedEnd() const {
  return ReachedEnd() != OnlineEnd::None &&
         rollback_->ConfirmedFrame() == rollback_->NextFrame() - 1;
}

// The end is sure on this side; once the opponent holds all of this side's keys, it is on
// both, and this side says goodbye.
void OnlineSession::Finishing(double now) {
  const bool opponentHasAll = inbox_.RemoteConfirmedFrame() >= rollback_->NextFrame() - 1;
  if ((opponentHasAll || now - finishingSince_ > FinishingSeconds) && settings_.offerRematch) {
    EnterRematch(now);
  } else if (opponentHasAll || now - finishingSince_ > FinishingSeconds) {
    link_->Send(ByeMessage{ByeReason::Result});
    Finish(ReachedEnd(), Tr("the match is over"));
  } else if (now - lastSent_ >= settings_.framePeriod) {
    SendInputs();
    lastSent_ = now;
  }
}

void OnlineSession::EnterRematch(double now) {
  phase_ = OnlinePhase::Rematch;
  end_ = ReachedEnd();
  endLine_ = Tr("the match is over");
  lastSent_ = now;
}

// The opponent keeps hearing this side's acknowledgements (a peer still finishing waits for
// them), which also keep the silence from ending the link while the players choose.
void OnlineSession::Rematch(double now) {
  if (settings_.hosting && rematchAccepted_ && opponentAcceptedRematch_) {
    WelcomeMessage welcome;
    welcome.inputDelay = static_cast<uint8_t>(settings_.inputDelay);
    // Another match from another start; the guest is sent it, as at the first.
    settings_.seed = settings_.seed * 1664525u + 1013904223u;
    welcome.seed = settings_.seed;
    link_->Send(welcome);
    StartMatch(welcome);
  } else if (now - lastSent_ >= settings_.framePeriod * 4) {
    SendInputs();
    lastSent_ = now;
  }
}

void OnlineSession::AcceptRematch() {
  if (phase_ == OnlinePhase::Rematch && !rematchAccepted_) {
    rematchAccepted_ = true;
    link_->Send(RematchMessage{true});
  }
}

void OnlineSession::Quit() {
  if (phase_ != OnlinePhase::Over) {
    link_->Send(ByeMessage{ByeReason::Quit});
    Finish(OnlineEnd::Quit, phase_ == OnlinePhase::Connecting ? Tr("cancelled before a match")
                                                              : Tr("you left the match"));
  }
}

void OnlineSession::Lost(LinkEnd end, const std::string& line) {
  if (phase_ == OnlinePhase::Finishing) {
    Finish(ReachedEnd(), Tr("the match is over"));
  } else if (end == LinkEnd::Lobby) {
    Finish(OnlineEnd::Failed, line);
  } else if (phase_ == OnlinePhase::Connecting && !settings_.lobbyName.empty()) {
    Finish(OnlineEnd::Failed, end == LinkEnd::Left
                                  ? Tr("the opponent left before the match")
                                  : Tr("the opponent went silent before the match"));
  } else if (phase_ == OnlinePhase::Connecting && !settings_.hosting) {
    std::string error;
    if (joinAttempts_ < MaxJoinAttempts) {
      ++joinAttempts_;
      if (Open(error)) {
        return;
      }
    }
    Finish(OnlineEnd::Failed,
           Formatted(Tr("no answer from %s on port %d"), settings_.hostName.c_str(),
                     static_cast<int>(settings_.port)));
  } else if (end == LinkEnd::Left) {
    Finish(OnlineEnd::OpponentLeft, Tr("the opponent left the match"));
  } else if (end == LinkEnd::Silent) {
    Finish(OnlineEnd::OpponentSilent, Formatted(Tr("the opponent went silent for %d seconds"),
                                                settings_.silenceTimeoutMs / 1000));
  } else {
    Finish(OnlineEnd::Failed, Tr("the connection failed"));
  }
}

void OnlineSession::Finish(OnlineEnd end, const std::string& line) {
  if (phase_ == OnlinePhase::Over) {
    return;
  }
  phase_ = OnlinePhase::Over;
  end_ = end;
  endLine_ = line;
  if (link_ != nullptr) {
    link_->Close();
  }
}

std::string OnlineSession::Status() const {
  switch (phase_) {
    case OnlinePhase::Connecting:
      if (!settings_.lobbyName.empty()) {
        return MeetingStatus();
      }
      return settings_.hosting
                 ? Formatted(Tr("waiting for an opponent on port %d"), static_cast<int>(Port()))
                 : Formatted(Tr("connecting to %s"), settings_.hostName.c_str());
    case OnlinePhase::Playing:
      return Tr("playing");
    case OnlinePhase::Finishing:
    case OnlinePhase::Rematch:
      return Tr("the match is over");
    case OnlinePhase::Over:
      break;
  }
  return endLine_;
}

std::string OnlineSession::MeetingStatus() const {
  const Meeting* meeting = link_ ? link_->LobbyMeeting() : nullptr;
  if (meeting == nullptr) {
    return Formatted(Tr("asking the lobby at %s"), LobbyText().c_str());
  }
  switch (meeting->Stage()) {
    case MeetingStage::ReachingLobby:
    case MeetingStage::AskingLobby:
      return Formatted(Tr("asking the lobby at %s"), LobbyText().c_str());
    case MeetingStage::WaitingForGuest:
      return Formatted(Tr("room %s: waiting for an opponent"), meeting->Code().c_str());
    case MeetingStage::OpeningPath:
    case MeetingStage::Connecting:
      return Tr("opening a path to the opponent");
    case MeetingStage::AwaitingRelay:
      return Tr("no direct path: asking the lobby to relay");
    case MeetingStage::Direct:
      return Tr("direct path open: starting the match");
    case MeetingStage::Relayed:
      return Tr("relayed by the lobby: starting the match");
    case MeetingStage::Failed:
      break;
  }
  return meeting->Failure();
}

std::string OnlineSession::LobbyText() const {
  return settings_.lobbyName + ":" + std::to_string(settings_.lobbyPort);
}

std::string OnlineSession::RoomCode() const {
  const Meeting* meeting = link_ ? link_->LobbyMeeting() : nullptr;
  return meeting != nullptr ? meeting->Code() : std::string();
}

std::string OnlineSession::PathStatus() const {
  if (link_ == nullptr || !link_->Connected()) {
    return {};
  }
  const int roundTrip = static_cast<int>(link_->Counters().roundTripMs);
  if (link_->Relayed()) {
    return Formatted(Tr("relayed by the lobby, round trip about %d ms"), roundTrip);
  }
  const Meeting* meeting = link_->LobbyMeeting();
  if (meeting != nullptr && meeting->Path() == PathKind::Local) {
    return Formatted(Tr("direct on the local network, round trip %d ms"), roundTrip);
  }
  return Formatted(Tr("direct, round trip %d ms"), roundTrip);
}

Replay OnlineSession::FinishReplay(int64_t date) {
  const int slot = (recorded_ + 1) % SnapshotSlots;
  return recorder_.Finish(game_->SavedGame(slot), game_->SavedRandom(slot), date);
}

std::string OnlineSession::Report() const {
  char rollbacks[128] = "rollbacks 0";
  if (rollback_) {
    const RollbackStats& stats = rollback_->Stats();
    std::snprintf(rollbacks, sizeof rollbacks, "rollbacks %lld (deepest %d, mean %.2f)",
                  static_cast<long long>(stats.rollbacks), stats.deepest, stats.MeanDepth());
  }
  const std::string desync =
      desyncFrame_ >= 0 ? "desync at frame " + std::to_string(desyncFrame_) : "desync none";
  const LinkCounters counters = link_ != nullptr ? link_->Counters() : LinkCounters{};
  return std::string(rollbacks) + "; " + DescribeLink(counters, inbox_.Counts()) + "; " + desync;
}
