// One online match from the network's side: the connection and handshake, then each frame's
// local mask sent, the opponent's taken in, the rollback, the pace, the desync check every 40
// frames and the replay of the confirmed frames; it ends with the match's result, a set number
// of frames, the opponent leaving or going silent, a refusal or a desync.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "net/action_mask.h"
#include "net/enet_link.h"
#include "net/input_inbox.h"
#include "net/input_outbox.h"
#include "net/live_game.h"
#include "net/lobby_protocol.h"
#include "net/rollback.h"
#include "replay/replay.h"
#include "replay/replay_recorder.h"

constexpr uint16_t DefaultOnlinePort = 7491;
constexpr int DefaultInputDelay = 2;
constexpr int32_t HashPeriod = 40;

struct OnlineSettings {
  bool hosting = true;
  std::string hostName;  // whom a guest joins
  uint16_t port = DefaultOnlinePort;
  // Through a lobby (its name not empty): the host asks it for a room, the guest joins the room
  // of `roomCode` (canonical); `port` is then the host's game port, 0 for any.
  std::string lobbyName;
  uint16_t lobbyPort = DefaultLobbyPort;
  std::string roomCode;
  uint32_t seed = 0;  // the host's starting point
  int inputDelay = DefaultInputDelay;
  int silenceTimeoutMs = 5000;
  double framePeriod = 0.025;
  // Above 0: the match stops once frames 0..stopAfter-1 are confirmed on both sides.
  int32_t stopAfter = 0;
  // A frame run for the first time: StepFrame when nullptr (see LiveGame).
  void (*runNewFrame)() = nullptr;
  // Follows every run of a frame, first or again (tests make a desync with it; see LiveGame).
  void (*afterEveryRun)(int32_t frame) = nullptr;
  // At the match's result the link stays open and the players may agree on another match.
  bool offerRematch = false;
};

// Rematch: the result is reached on both sides and the link is kept for another match.
enum class OnlinePhase { Connecting, Playing, Finishing, Rematch, Over };
enum class OnlineEnd {
  None,
  Result,
  FramesDone,
  Desync,
  OpponentLeft,
  OpponentSilent,
  Refused,
  Failed,
  Quit
};

class OnlineSession {
 public:
  explicit OnlineSession(const OnlineSettings& settings);
  ~OnlineSession();

  // Listens or starts joining; false with one line in `error` (a port in use, a bad host).
  bool Open(std::string& error);
  // The network, then the next frame if it is due at `now` (seconds, any steady origin), with
  // the local player's mask. True when a frame ran for the first time (a window shows it).
  bool Tick(double now, ActionMask localMask);
  // Waits for the opponent's next packet, at most until the next frame is due or `longest`
  // seconds: a loop that calls this between Ticks sleeps instead of spinning.
  void Wait(double now, double longest);
  // Leaves the match: the opponent is told, the link closed.
  void Quit();
  // In the Rematch phase: this side wants another match; it starts once both sides do.
  void AcceptRematch();
  bool RematchAccepted() const { return rematchAccepted_; }
  bool OpponentAcceptedRematch() const { return opponentAcceptedRematch_; }

  OnlinePhase Phase() const { return phase_; }
  OnlineEnd End() const { return end_; }
  // "waiting for an opponent on port N", "connecting to HOST", the meeting's progress through a
  // lobby, or why the match ended.
  std::string Status() const;
  // The room's code through a lobby, once known; "" otherwise.
  std::string RoomCode() const;
  // Once the opponent is reached: "direct, round trip 12 ms", "direct on the local network,
  // ...", "relayed by the lobby, ..."; "" before.
  std::string PathStatus() const;
  // When the next frame is due, on the `now` of Tick; < 0 before the first. A frame that ran
  // after it is late: the frames after it run at once to catch the clock up.
  double FrameDue() const { return due_; }
  // Forgets the frames owed up to `now`: for a machine that cannot run them in time.
  void RestartClock(double now);
  // The next frame to run, counted from the match's first.
  int32_t Frame() const { return rollback_ ? rollback_->NextFrame() : 0; }
  uint16_t Port() const;
  // The match's replay: the online start and both players' confirmed keys; `date` in UTC seconds.
  Replay FinishReplay(int64_t date);
  bool HasReplay() const { return rollback_ != nullptr; }
  // "rollbacks N (deepest D, mean M); packets ...; desync none|at frame F"
  std::string Report() const;

 private:
  void Service();
  void TakeEvent(const LinkEvent& event);
  void Handle(const Message& message);
  void Welcomed(const WelcomeMessage& welcome);
  void StartMatch(const WelcomeMessage& welcome);
  void TakeInputs(const InputsMessage& inputs);
  void TakeHash(const StateHashMessage& hash);
  void HearOutDesync();
  void SettleConfirmed();
  void RunDueFrame(double now, ActionMask localMask, bool& shown);
  void FollowConfirmed();
  void CompareHashes();
  void SendInputs();
  // Result or FramesDone once no frame is to run any more (the match may yet be rolled back).
  OnlineEnd ReachedEnd() const;
  // That end, with every frame run confirmed: both machines stop there.
  bool ConfirmedEnd() const;
  void Finishing(double now);
  void EnterRematch(double now);
  void Rematch(double now);
  void Finish(OnlineEnd end, const std::string& line);
  void Lost(LinkEnd end, const std::string& line = "");
  std::string MeetingStatus() const;
  // "HOST:PORT" of the lobby.
  std::string LobbyText() const;

  OnlineSettings settings_;
  std::unique_ptr<EnetLink> link_;
  OnlinePhase phase_ = OnlinePhase::Connecting;
  OnlineEnd end_ = OnlineEnd::None;
  std::string endLine_;
  std::unique_ptr<LiveGame> game_;
  std::unique_ptr<Rollback> rollback_;
  InputInbox inbox_;
  InputOutbox outbox_;
  ReplayRecorder recorder_;
  int32_t recorded_ = -1;  // the last confirmed frame handed to the recorder
  std::map<int32_t, uint64_t> ownHashes_, remoteHashes_;
  int32_t desyncFrame_ = -1;
  double due_ = -1.0;
  double finishingSince_ = -1.0;
  double lastSent_ = -1.0;
  int joinAttempts_ = 1;
  double now_ = 0.0;
  double lastHeard_ = -1.0;  // when the opponent's last message came, once the match began
  bool rematchAccepted_ = false;
  bool opponentAcceptedRematch_ = false;
};
