// The recorder's cost per frame: keys of a random-looking game (a few held at a time, changing
// every few frames) recorded over ten minutes of frames, with a state hash every 200 frames as in
// play; and the window's title frames, each keeping the state a game's replay would start from.
// Prints nanoseconds per frame on average; the goal is under 1000 for both.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "program/game_recorder.h"
#include "replay/replay_recorder.h"
#include "scenes/game_state.h"
#include "services/random.h"

namespace {

constexpr uint32_t Frames = 24000;
constexpr int Rounds = 20;

// The same frames every round: runs of 1 to 16 frames of up to three of the players' keys.
std::vector<InputFrame> MakeFrames() {
  constexpr int Keys[] = {37, 39, 40, 'K', 'L', 'E', 'T', 'R', 'A', 'S'};
  std::vector<InputFrame> frames;
  uint64_t state = 12345;
  auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state >> 33);
  };
  while (frames.size() < Frames) {
    InputFrame keys;
    for (uint32_t held = next() % 4; held > 0; --held) {
      keys.Press(Keys[next() % 10]);
    }
    for (uint32_t length = 1 + next() % 16; length > 0 && frames.size() < Frames; --length) {
      frames.push_back(keys);
    }
  }
  return frames;
}

// The window's recorder on the title: every frame keeps a copy of the state and the generator.
double TitleFrameNanoseconds(const std::vector<InputFrame>& frames) {
  GameRecorder recorder("", 50);
  Game = GameState{};
  double best = 1e30;
  for (int round = 0; round < Rounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    for (const InputFrame& keys : frames) {
      recorder.BeforeFrame(keys);
      ++Game.FrameCount;
      recorder.AfterFrame();
    }
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return 1e9 * best / static_cast<double>(frames.size());
}

}  // namespace

int main() {
  std::vector<InputFrame> frames = MakeFrames();
  GameState state;
  SeedRandom(1);
  double best = 1e30;
  double total = 0.0;
  size_t runs = 0;
  for (int round = 0; round < Rounds; ++round) {
    ReplayRecorder recorder;
    recorder.Begin(state, Random);
    auto start = std::chrono::steady_clock::now();
    for (const InputFrame& keys : frames) {
      recorder.RecordFrame(keys);
      ++state.FrameCount;  // so that the hashes differ as in play
      recorder.FrameRan(state, Random);
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Replay replay = recorder.Finish(state, Random, 0);
    runs = replay.runs.size();
    best = std::min(best, seconds);
    total += seconds;
  }
  std::printf("replay recorder: %u frames (%zu runs of keys, %u state hashes) x %d rounds\n",
              Frames, runs, Frames / 200, Rounds);
  std::printf("  mean %.1f ns per frame, best round %.1f ns per frame\n",
              1e9 * total / Rounds / Frames, 1e9 * best / Frames);
  std::printf(
      "window recorder on the title (a copy of the state per frame): best round %.1f ns"
      " per frame\n",
      TitleFrameNanoseconds(frames));
  return 0;
}
