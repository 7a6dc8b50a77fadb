#include "online_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "event_log.h"
#include "frame_loop.h"
#include "net/online_session.h"
#include "net/pace.h"
#include "platform/frame_clock.h"
#include "replay/replay_file.h"
#include "scenes/game_state.h"
#include "state_out.h"

namespace {

constexpr int ExitOutputNotWritten = 1;
constexpr int ExitEndedEarly = 5;
constexpr int ExitDesync = 6;
// A host waits this long for an opponent, so that a test whose guest never came ends; through a
// lobby longer, as the path may be found only by the relay.
constexpr double HostWaitSeconds = 10.0;
constexpr double LobbyHostWaitSeconds = 40.0;

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

ActionMask LocalMask(const OnlineSession& session, RandomKeys* randomKeys) {
  if (randomKeys != nullptr) {
    randomKeys->ChooseKeys(Game);
    return ReadActionMask(randomKeys->Frame());
  }
  return ReadActionMask(ScriptedFrame(session.Frame()));
}

bool WriteOutputs(const RunnerOptions& options, OnlineSession& session) {
  bool written = true;
  if (!options.stateOut.empty() && !WriteStateOut(options.stateOut)) {
    std::fprintf(stderr, "astorine-headless: %s could not be written\n", options.stateOut.c_str());
    written = false;
  }
  std::string error;
  if (!options.record.empty() && session.HasReplay() &&
      !WriteReplayFile(options.record,
                       session.FinishReplay(static_cast<int64_t>(std::time(nullptr))), error)) {
    std::fprintf(stderr, "astorine-headless: %s could not be written: %s\n", options.record.c_str(),
                 error.c_str());
    written = false;
  }
  return written;
}

// Tests make a desync on purpose: with ASTORINE_TEST_DESYNC_AT=N this peer's score is nudged
// after every run of frame N, first or again, as a peer whose game went another way would be.
// Nudged once, a rollback to an earlier frame would take it back.
int32_t desyncFrame = -1;
void NudgeTheScoreAtTheDesyncFrame(int32_t frame) {
  if (frame == desyncFrame) {
    ++Game.score;
  }
}

}  // namespace

int RunOnlineMatch(const RunnerOptions& options, RandomKeys* randomKeys) {
  OnlineSettings settings;
  settings.hosting = options.hosting;
  settings.hostName = options.joinHost;
  settings.port = options.port;
  settings.lobbyName = options.lobbyHost;
  settings.lobbyPort = options.lobbyPort;
  settings.roomCode = options.joinCode;
  settings.seed = options.seed;
  settings.framePeriod = OnlineFramePeriod / options.speed;
  settings.stopAfter = options.framesGiven ? static_cast<int32_t>(options.frames) : 0;
  if (const char* desyncAt = std::getenv("ASTORINE_TEST_DESYNC_AT")) {
    desyncFrame = std::atoi(desyncAt);
    settings.afterEveryRun = NudgeTheScoreAtTheDesyncFrame;
  }
  OnlineSession session(settings);
  std::string error;
  if (!session.Open(error)) {
    std::fprintf(stderr, "astorine-headless: %s\n", error.c_str());
    return ExitEndedEarly;
  }
  std::string status = session.Status();
  std::fprintf(stderr, "astorine-headless: %s\n", status.c_str());
  const double began = Now();
  const double hostWait = options.lobbyHost.empty() ? HostWaitSeconds : LobbyHostWaitSeconds;
  double matchBegan = -1.0, cpuBegan = 0.0;
  while (session.Phase() != OnlinePhase::Over) {
    if (matchBegan < 0.0 && session.Phase() == OnlinePhase::Playing) {
      matchBegan = Now();
      cpuBegan = ProcessCpuSeconds();
      std::fprintf(stderr, "astorine-headless: %s\n", session.PathStatus().c_str());
    }
    // Through a lobby each step of the meeting is said: the room's code first, for the guest.
    if (session.Phase() == OnlinePhase::Connecting && session.Status() != status) {
      status = session.Status();
      std::fprintf(stderr, "astorine-headless: %s\n", status.c_str());
    }
    if (session.Phase() == OnlinePhase::Connecting && options.hosting && Now() - began > hostWait) {
      std::fprintf(stderr, "astorine-headless: no opponent came in %.0f seconds; %s\n", hostWait,
                   session.Report().c_str());
      return ExitEndedEarly;
    }
    SetEventFrame(session.Frame());
    session.Tick(Now(), LocalMask(session, randomKeys));
    session.Wait(Now(), 0.005);
  }
  std::fprintf(stderr, "astorine-headless: %s after frame %d\n", session.Status().c_str(),
               session.Frame() - 1);
  std::fprintf(stderr, "astorine-headless: %s\n", session.Report().c_str());
  if (matchBegan >= 0.0) {
    const double wall = Now() - matchBegan;
    std::fprintf(stderr,
                 "astorine-headless: the match took %.3f s of CPU in %.1f s: %.4f of a core\n",
                 ProcessCpuSeconds() - cpuBegan, wall, (ProcessCpuSeconds() - cpuBegan) / wall);
  }
  const OnlineEnd end = session.End();
  if (end == OnlineEnd::Desync) {
    // Both are written for a bug report, where asked or else in the working folder.
    RunnerOptions report = options;
    const std::string name = std::string("astorine-desync-") + (options.hosting ? "host" : "guest");
    report.stateOut = options.stateOut.empty() ? name + ".json" : options.stateOut;
    report.record = options.record.empty() ? name + ".replay" : options.record;
    WriteOutputs(report, session);
    std::fprintf(stderr, "astorine-headless: for a bug report: %s and %s\n",
                 report.stateOut.c_str(), report.record.c_str());
    return ExitDesync;
  }
  const bool written = WriteOutputs(options, session);
  if (end != OnlineEnd::Result && end != OnlineEnd::FramesDone) {
    return ExitEndedEarly;
  }
  return written ? 0 : ExitOutputNotWritten;
}
